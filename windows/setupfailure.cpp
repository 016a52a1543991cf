// SPDX-License-Identifier: MIT
// A set-up failure on Windows. Whoever double-clicked the program has no
// console, and SDL sends standard error to stderr.txt beside it, so the line
// goes there and into a message box as well.
#include "setupfailure.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "SDL.h"

static const char boxtitle[] = "lumbox";
static const int linesize = 2048;  // bytes; SDL's error texts are shorter
static char line[linesize];

void setupfailed(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    vsnprintf(line, sizeof line, format, args);
    va_end(args);
    fputs(line, stderr);
    fflush(stderr);
    // The box comes after SDL has given the screen back.
    if (SDL_WasInit(SDL_INIT_VIDEO))
        SDL_Quit();
    line[strcspn(line, "\n")] = '\0';
    MessageBoxA(nullptr, line, boxtitle, MB_OK | MB_ICONERROR);
    exit(1);
}
