// The demo's run: start state, display set-up, the frame loop, shutdown.
#include "rungltest.h"

#include "SDL.h"
#include "camera.h"
#include "display.h"
#include "field.h"
#include "frame.h"

int RunGLTest()
{
    int done = 0;
    startcamera();
    startfield();  // before SDL starts, so the field owns the first draws
    opendisplay();
    while (!done)
        done = drawframe();
    SDL_Quit();
    return 0;
}
