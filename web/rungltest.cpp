// The demo's run in a browser: start state, display set-up, then the
// browser calls one frame per display refresh, and the frame that asks to
// end stops the calls and shuts SDL down. A page cannot wait in a loop of
// its own, so this replaces the desktop's frame loop; everything else is
// the desktop's code.
#include "rungltest.h"

#include <emscripten.h>

#include "SDL.h"
#include "camera.h"
#include "display.h"
#include "field.h"
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

int RunGLTest()
{
    startcamera();
    startfield();  // before SDL starts, so the field owns the first draws
    opendisplay();
    // Hands the frames to the browser and leaves this function for good
    // (the C stack unwinds; the program's state lives on in its globals).
    emscripten_set_main_loop(webframe, browserpace, 1);
    return 0;
}
