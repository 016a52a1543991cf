// SPDX-License-Identifier: MIT
// lumbox as an XScreenSaver hack, which MATE's screensaver runs too: the
// demo's frames, driven by the saver's loop, in the window the screensaver
// names in XSCREENSAVER_WINDOW (a hex X window id).
#include <cstdio>
#include <cstdlib>

#include "rungltest.h"

int main(int argc, char *argv[])
{
    // Arguments such as XScreenSaver's --root say nothing the window does
    // not: the hack takes none.
    (void)argc;
    (void)argv;
    const char *window = getenv("XSCREENSAVER_WINDOW");
    if (window == nullptr || window[0] == '\0') {
        fprintf(stderr, "lumbox: XSCREENSAVER_WINDOW is not set: this is lumbox's screensaver, "
                        "which XScreenSaver or MATE's screensaver starts; run lumbox to start "
                        "the demo on its own\n");
        return 1;
    }
    // SDL draws into a window it did not make, and with OpenGL only when
    // told the window is fit for it. The screensaver ends its hack with
    // SIGTERM and destroys the window at once: SDL's own handler would turn
    // the signal into a quit event and let the frame under way fail on the
    // vanished window, so the signal is left to end the process at once.
    setenv("SDL_WINDOWID", window, 1);
    setenv("SDL_VIDEO_FOREIGN_WINDOW_OPENGL", "1", 1);
    setenv("SDL_NO_SIGNAL_HANDLERS", "1", 1);
    return RunGLTest();
}
