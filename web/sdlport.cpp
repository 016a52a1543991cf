// SPDX-License-Identifier: MIT
// What Emscripten's SDL 1.2 port leaves out, supplied for the web build in
// place of the port's own versions: error text that is empty until an error
// is set, a description of the browser's display, and pointer pictures.
#include <emscripten/html5.h>

#include <cstdarg>
#include <cstdio>

#include "SDL.h"

// The port keeps no error text: its SDL_GetError always gives "unknown
// SDL-emscripten error", so every frame would report an error that never
// happened.
static char errortext[256];

extern "C" {

void SDL_SetError(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    vsnprintf(errortext, sizeof errortext, format, args);
    va_end(args);
}

const char *SDL_GetError(void)
{
    return errortext;
}

void SDL_ClearError(void)
{
    errortext[0] = '\0';
}

// The port's video information leaves its pixel format unset. A page is
// drawn with 8 bits for each of red, green, blue and alpha; the mode is the
// canvas.
const SDL_VideoInfo *SDL_GetVideoInfo(void)
{
    static SDL_PixelFormat format;
    static SDL_VideoInfo info;
    format.BitsPerPixel = 32;
    format.BytesPerPixel = 4;
    info.vfmt = &format;
    emscripten_get_canvas_element_size("#canvas", &info.current_w, &info.current_h);
    return &info;
}

// The port makes no pointer pictures; the page hides the pointer over its
// picture with a style rule (cursor: none) instead.
SDL_Cursor *SDL_CreateCursor(const Uint8 *, const Uint8 *, int, int, int, int)
{
    return nullptr;
}

void SDL_SetCursor(SDL_Cursor *)
{
}

}  // extern "C"
