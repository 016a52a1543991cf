// SPDX-License-Identifier: MIT
// The browser's frame driving. A page cannot wait in a loop of its own, so
// the browser calls one frame per display refresh, and the frame that asks
// to end stops the calls, shuts SDL down and lets the page say so. While
// the WebGL context is lost nothing is drawn, as on a minimised desktop:
// the tour waits where it was, and the input is still handled.
#include "frameloop.h"

#include <emscripten.h>
#include <emscripten/eventloop.h>
#include <emscripten/html5.h>

#include "SDL.h"
#include "contextloss.h"
#include "frame.h"
#include "input.h"

// Returns whether the browser is to call it again.
static EM_BOOL webframe(double, void *)
{
    if (!(contextready() ? drawframe() : pollevents()))
        return EM_TRUE;
    SDL_Quit();
    // The page says the demo has ended and how to start it again.
    EM_ASM(if (Module['onended']) Module['onended']());
    return EM_FALSE;
}

void runframes()
{
    // Hands the frames to the browser and leaves the run for good: the C
    // stack unwinds, so the run's own shutdown after this call never comes
    // (webframe does it), and the program's state lives on in its globals.
    emscripten_request_animation_frame_loop(webframe, nullptr);
    emscripten_unwind_to_js_event_loop();
}
