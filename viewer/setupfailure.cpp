// SPDX-License-Identifier: MIT
// A set-up failure on the desktop (and in a browser): one line on standard
// error and status 1.
#include "setupfailure.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "SDL.h"

void setupfailed(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    vfprintf(stderr, format, args);
    va_end(args);
    // Only a started SDL is shut down: when SDL_Init itself failed there
    // is nothing to give back.
    if (SDL_WasInit(SDL_INIT_VIDEO))
        SDL_Quit();
    exit(1);
}
