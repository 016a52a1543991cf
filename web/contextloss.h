// SPDX-License-Identifier: MIT
// The page's WebGL context lost and given back (contextloss.cpp).
#pragma once

#include <emscripten/html5_webgl.h>

// Watches the display's context from now on and keeps it restorable.
void watchcontext(EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context);

// False while the context is lost. The first call after it came back makes
// the GL layer's objects and state again, then gives true.
bool contextready();
