// SPDX-License-Identifier: MIT
// A set-up failure in a browser: the line goes to standard error (the
// browser's console) and to the page, which shows it where the picture
// would be; then the run ends with status 1.
#include "setupfailure.h"

#include <emscripten.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "SDL.h"

void setupfailed(const char *format, ...)
{
    char line[256];
    va_list args;
    va_start(args, format);
    vsnprintf(line, sizeof line, format, args);
    va_end(args);
    fputs(line, stderr);
    EM_ASM(if (Module['onfailed']) Module['onfailed'](UTF8ToString($0).trim()), line);
    if (SDL_WasInit(SDL_INIT_VIDEO))
        SDL_Quit();
    exit(1);
}
