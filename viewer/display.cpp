// SPDX-License-Identifier: MIT
// SDL and OpenGL set-up for the demo's one full-screen display.
#include "display.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <strings.h>

#include <cstdlib>
#include <cstring>

#include "SDL.h"
#include "mode.h"
#include "setupfailure.h"

int bpp;
int rgb_size[3];

static const int depthbits = 16;         // depth buffer
static const double fieldofview = 45.0;  // vertical, degrees
static const double nearplane = 0.5;     // world units
static const double farplane = 150.0;    // world units
static const char windowname[] = "lumbox";  // for task bars and window lists

// The pointer's picture: 8x8 pixels of one bit each, none of them in the
// mask, so every pixel is transparent.
static const int cursorsize = 8;
static Uint8 blankcursor[cursorsize * cursorsize / 8];

void choosedepth(int desktopbits)
{
    if (desktopbits > 8) {
        bpp = 16;
        rgb_size[0] = 5; rgb_size[1] = 5; rgb_size[2] = 5;
    } else {
        bpp = 8;
        rgb_size[0] = 2; rgb_size[1] = 3; rgb_size[2] = 3;
    }
}

// True when `name` is one of the comma-separated driver names in `list`.
static bool namedin(const char *list, const char *name)
{
    size_t len = strlen(name);
    for (const char *p = list; *p; ) {
        size_t n = strcspn(p, ",");
        if (n == len && strncasecmp(p, name, len) == 0)
            return true;
        p += n;
        if (*p == ',')
            p++;
    }
    return false;
}

// With no display to reach, SDL falls back to a video driver that draws into
// memory only, and the demo would run unseen at full speed. Returns that
// driver's name unless the user asked for it in SDL_VIDEODRIVER, else null.
static const char *unaskedinvisibledriver()
{
    static char name[64];
    if (!SDL_VideoDriverName(name, sizeof name))
        return nullptr;
    if (strcasecmp(name, "offscreen") != 0 && strcasecmp(name, "dummy") != 0)
        return nullptr;
    const char *asked = getenv("SDL_VIDEODRIVER");
    if (asked && namedin(asked, name))
        return nullptr;
    return name;
}

// Asks for buffer swaps that wait for the display's refresh, where SDL has
// the attribute. Emscripten's port lacks it (and would stop the program at
// an attribute it does not know); a page's frames come once per refresh
// anyway. The first version names the attribute as a member of SDL's
// attribute enum, so it exists only where the attribute does, and the int
// argument of askswapcontrol<SDL_GLattr>(0) prefers it to the second.
template <typename Attributes>
static auto askswapcontrol(int) -> decltype(SDL_GL_SetAttribute(Attributes::SDL_GL_SWAP_CONTROL, 1))
{
    return SDL_GL_SetAttribute(Attributes::SDL_GL_SWAP_CONTROL, 1);
}
template <typename Attributes>
static int askswapcontrol(long)
{
    return -1;  // no such attribute in this SDL
}

void opendisplay()
{
    const int w = modewidth, h = modeheight;

    if (SDL_Init(SDL_INIT_VIDEO) < 0)
        setupfailed("Couldn't initialize SDL: %s\n", SDL_GetError());
    if (const char *driver = unaskedinvisibledriver())
        setupfailed("Couldn't initialize SDL: no display found (only the invisible "
                    "'%s' video driver started; set DISPLAY, or SDL_VIDEODRIVER=%s "
                    "to run without a picture)\n",
                    driver, driver);

    choosedepth(SDL_GetVideoInfo()->vfmt->BitsPerPixel);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, rgb_size[0]);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, rgb_size[1]);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, rgb_size[2]);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depthbits);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    // The tour moves one step per frame, so swaps wait for the display's
    // refresh: unasked, the SDL 1.2 layer on SDL 2 lets them run free and
    // a fast GPU flies the tour past in a blur. A user's
    // SDL12COMPAT_SYNC_TO_VBLANK=0 still frees them.
    askswapcontrol<SDL_GLattr>(0);
    if (SDL_SetVideoMode(w, h, bpp, SDL_OPENGL | SDL_FULLSCREEN) == nullptr)
        setupfailed("Couldn't set GL mode: %s\n", SDL_GetError());
    SDL_WM_SetCaption(windowname, windowname);
    // No pointer over the picture. SDL_ShowCursor(SDL_DISABLE) would hide
    // it too, but on a full-screen display the SDL 1.2 layer then switches
    // the mouse to relative motion, and the eye would no longer follow the
    // pointer's place on the screen; a transparent pointer leaves that be.
    SDL_SetCursor(SDL_CreateCursor(blankcursor, blankcursor, cursorsize, cursorsize, 0, 0));
    // A successful mode set may leave the note of an optional call that
    // failed (such as a swap interval); it is no error, so it must not show
    // up in the first frame's error report.
    SDL_ClearError();

    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(fieldofview, static_cast<double>(w) / h, nearplane, farplane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glShadeModel(GL_FLAT);
}
