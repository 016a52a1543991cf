// SPDX-License-Identifier: MIT
// The WebGL state the viewer sets, kept (glstate.cpp).
#pragma once

// Sets the kept state (viewport, enabled tests, depth and blend functions,
// clear colour) in the current context once more, as after the context
// was lost and given back.
void reapplyglstate();
