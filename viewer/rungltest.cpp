// The demo's run: start state, display set-up, the frame loop, shutdown.
#include "rungltest.h"

#include "SDL.h"
#include "camera.h"
#include "display.h"
#include "field.h"
#include "frame.h"
#include "input.h"

int RunGLTest()
{
    int done = 0;
    startcamera();
    startfield();  // before SDL starts, so the field owns the first draws
    opendisplay();
    while (!done) {
        done = drawframe();
        // Iconified, nobody sees the picture: draw no frame until it shows.
        if (!done && minimised)
            done = waitwhileminimised();
    }
    SDL_Quit();
    return 0;
}
