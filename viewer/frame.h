// SPDX-License-Identifier: MIT
// One frame of the demo: update, draw, swap, then input.
#pragma once

// Draws one frame and handles the input queued meanwhile. In order: clear,
// camera step, view, preset change if one was requested, the field, the
// mouse offset for the next frame, swap, error reports, events.
// Returns 1 when an event of this frame asked the program to end, else 0.
int drawframe();
