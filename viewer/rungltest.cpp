// SPDX-License-Identifier: MIT
// The demo's run: start state, display set-up, the frames, shutdown.
#include "rungltest.h"

#include "SDL.h"
#include "camera.h"
#include "display.h"
#include "field.h"
#include "frameloop.h"

int RunGLTest()
{
    startcamera();
    startfield();  // before SDL starts, so the field owns the first draws
    opendisplay();
    runframes();
    SDL_Quit();
    return 0;
}
