/* sdlprobe: a library preloaded into lumbox (LD_PRELOAD) that logs what the
 * program gets from SDL, for the end-to-end tests to check from outside:
 * the buffer swap interval in force once the mode is set, and each mouse
 * motion event the program polls, in the program's own coordinates.
 *
 * SDLPROBE_LOG: file that gets a line per fact:
 *   swap_control N   after the mode set: SDL's swap interval (1 waits for
 *                    the display's refresh, 0 runs free, -1 unknown)
 *   motion X Y       for each mouse motion event polled */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>

#include "SDL.h"

static FILE *logfile;

__attribute__((constructor)) static void start(void)
{
    const char *path = getenv("SDLPROBE_LOG");
    if (path && *path)
        logfile = fopen(path, "w");
}

__attribute__((destructor)) static void finish(void)
{
    if (logfile)
        fclose(logfile);
}

SDL_Surface *SDL_SetVideoMode(int width, int height, int bpp, Uint32 flags)
{
    SDL_Surface *(*real)(int, int, int, Uint32) =
        (SDL_Surface * (*)(int, int, int, Uint32)) dlsym(RTLD_NEXT, "SDL_SetVideoMode");
    SDL_Surface *surface = real(width, height, bpp, flags);
    int interval = -1;
    if (surface && logfile && SDL_GL_GetAttribute(SDL_GL_SWAP_CONTROL, &interval) == 0) {
        fprintf(logfile, "swap_control %d\n", interval);
        fflush(logfile);
    }
    return surface;
}

int SDL_PollEvent(SDL_Event *event)
{
    static int (*real)(SDL_Event *);
    if (!real)
        real = (int (*)(SDL_Event *))dlsym(RTLD_NEXT, "SDL_PollEvent");
    int got = real(event);
    if (got && event && event->type == SDL_MOUSEMOTION && logfile) {
        fprintf(logfile, "motion %d %d\n", event->motion.x, event->motion.y);
        fflush(logfile);
    }
    return got;
}
