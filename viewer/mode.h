// SPDX-License-Identifier: MIT
// The size of the demo's one display mode, shared by the display set-up and
// the mouse offset, which measures from the mode's centre.
#pragma once

const int modewidth = 800;   // pixels
const int modeheight = 600;  // pixels
