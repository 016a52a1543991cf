// The demo's run from start state to shutdown.
#pragma once

// Builds the start field, opens the display, runs the frame loop until the
// user ends it and shuts SDL down. Returns 0; a set-up failure ends the
// process with status 1 instead of returning.
int RunGLTest();
