// Names the desktop's SDL 1.2 has and Emscripten's SDL port lacks, for the
// viewer's sources in the web build (the build includes this ahead of
// each of them).
#pragma once

#include "SDL.h"

#ifndef SDL_GL_SWAP_CONTROL
// Swap control asks each buffer swap to wait for the display's refresh.
// A page's frames come once per refresh anyway, so the request is taken
// and does nothing here, where the port would stop the program at a GL
// attribute it does not know.
static const SDL_GLattr SDL_GL_SWAP_CONTROL =
    static_cast<SDL_GLattr>(SDL_GL_CONTEXT_MINOR_VERSION + 1);

static inline int lumbox_gl_setattribute(SDL_GLattr attribute, int value)
{
    return attribute == SDL_GL_SWAP_CONTROL ? 0 : SDL_GL_SetAttribute(attribute, value);
}
#define SDL_GL_SetAttribute lumbox_gl_setattribute
#endif
