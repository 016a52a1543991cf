// SPDX-License-Identifier: MIT
// The demo's run from start state to shutdown.
#pragma once

// Builds the start field, opens the display, runs the frames until the
// user ends them and shuts SDL down. Returns 0; a set-up failure ends the
// process with status 1 instead of returning. In a browser it does not
// return at all: the browser runs the frames (see frameloop.h).
int RunGLTest();
