// SPDX-License-Identifier: MIT
// Effect presets: each mouse click switches to the next of five block
// outlines and colour schemes and rebuilds the whole field with them.
#pragma once

const int maxfx = 4;  // highest preset index: presets 0 ... 4
extern int fx;        // preset now shown, 0 ... maxfx; 0 at start (showing the start field)

// Change request: the input handler sets it to 1; the change clears it.
extern int changer;

// Moves to the next preset (after maxfx comes 0), rebuilds the field with
// its outline through doblockz, recolours every block by its rule and
// clears changer. Makes 8743 rand() draws: 6245 for the blocks, then one
// selector and one value draw per block.
void changefx();
