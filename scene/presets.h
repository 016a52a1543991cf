// Effect presets: each mouse click switches to the next of five block
// outlines and colour schemes and rebuilds the whole field with them.
#pragma once

// Change request: the input handler sets it to 1, the change clears it.
extern int changer;
