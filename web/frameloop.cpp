// SPDX-License-Identifier: MIT
// The browser's frame driving. A page cannot wait in a loop of its own, so
// the browser calls one frame per display refresh, and the frame that asks
// to end stops the calls, shuts SDL down and lets the page say so.
#include "frameloop.h"

#include <emscripten.h>

#include "SDL.h"
#include "frame.h"

// Lets the browser call frames at its own pace: once per display refresh.
static const int browserpace = 0;

static void webframe()
{
    if (!drawframe())
        return;
    emscripten_cancel_main_loop();
    SDL_Quit();
    // The page says the demo has ended and how to start it again.
    EM_ASM(if (Module['onended']) Module['onended']());
}

void runframes()
{
    // Hands the frames to the browser and leaves the run for good: the C
    // stack unwinds, so the run's own shutdown after this call never comes
    // (webframe does it), and the program's state lives on in its globals.
    emscripten_set_main_loop(webframe, browserpace, 1);
}
