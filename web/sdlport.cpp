// SPDX-License-Identifier: MIT
// The SDL 1.2 calls the viewer makes, for the browser, in place of
// Emscripten's SDL port (which would bring a file system, audio and much
// else the page never runs): start and end, the display as a WebGL context
// on the page's canvas, error text, video information and pointer pictures.
// The events are in sdlevents.cpp.
#include <emscripten/html5.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "SDL.h"
#include "contextloss.h"
#include "sdlevents.h"

static const char canvasname[] = "#canvas";  // the page's canvas, by its id

static Uint32 started;  // the subsystems SDL_Init started
static int glattributes[SDL_GL_CONTEXT_MINOR_VERSION + 1];
static char errortext[256];  // empty until an error is set

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

// Video is all a page has; it starts with the display.
int SDL_Init(Uint32 flags)
{
    started |= flags;
    return 0;
}

Uint32 SDL_WasInit(Uint32 flags)
{
    return started & flags;
}

const char *SDL_VideoDriverName(char *name, int size)
{
    if (!started || size <= 0)
        return nullptr;
    snprintf(name, size, "%s", "emscripten");
    return name;
}

// A page is drawn with 8 bits for each of red, green, blue and alpha; the
// mode is the canvas.
const SDL_VideoInfo *SDL_GetVideoInfo(void)
{
    static SDL_PixelFormat format;
    static SDL_VideoInfo info;
    format.BitsPerPixel = 32;
    format.BytesPerPixel = 4;
    info.vfmt = &format;
    emscripten_get_canvas_element_size(canvasname, &info.current_w, &info.current_h);
    return &info;
}

int SDL_GL_SetAttribute(SDL_GLattr attribute, int value)
{
    if (attribute < 0 || attribute >= static_cast<int>(sizeof glattributes / sizeof glattributes[0])) {
        SDL_SetError("unknown OpenGL attribute %d", attribute);
        return -1;
    }
    glattributes[attribute] = value;
    return 0;
}

// The canvas at that size with a WebGL 1 context for OpenGL, made as the
// SDL port made it: no alpha, multisampling or stencil unless asked, and a
// depth buffer when one was asked for. Without WebGL there is no display.
SDL_Surface *SDL_SetVideoMode(int width, int height, int, Uint32 flags)
{
    static SDL_Surface screen;
    if (!(flags & SDL_OPENGL)) {
        SDL_SetError("only OpenGL displays are made here");
        return nullptr;
    }
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.alpha = glattributes[SDL_GL_ALPHA_SIZE] > 0;
    attributes.depth = glattributes[SDL_GL_DEPTH_SIZE] > 0;
    attributes.stencil = glattributes[SDL_GL_STENCIL_SIZE] > 0;
    attributes.antialias = glattributes[SDL_GL_MULTISAMPLEBUFFERS] != 0 &&
                           glattributes[SDL_GL_MULTISAMPLESAMPLES] > 1;
    attributes.majorVersion = 1;
    attributes.enableExtensionsByDefault = false;  // none is used
    emscripten_set_canvas_element_size(canvasname, width, height);
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = emscripten_webgl_create_context(canvasname, &attributes);
    if (context <= 0) {
        SDL_SetError("lumbox needs WebGL, which this browser has turned off or lacks");
        return nullptr;
    }
    emscripten_webgl_make_context_current(context);
    watchcontext(context);
    startevents();
    screen.flags = flags;
    screen.w = width;
    screen.h = height;
    return &screen;
}

// The page's title already names the demo.
void SDL_WM_SetCaption(const char *, const char *)
{
}

// The browser shows what was drawn once the frame's callback returns.
void SDL_GL_SwapBuffers(void)
{
}

void SDL_Quit(void)
{
    stopevents();
    started = 0;
}

// No pointer pictures are made; the page hides the pointer over its
// picture with a style rule (cursor: none) instead.
SDL_Cursor *SDL_CreateCursor(const Uint8 *, const Uint8 *, int, int, int, int)
{
    return nullptr;
}

void SDL_SetCursor(SDL_Cursor *)
{
}

}  // extern "C"
