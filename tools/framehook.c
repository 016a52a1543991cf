/* framehook: a library preloaded into lumbox (LD_PRELOAD) that wraps
 * SDL_GL_SwapBuffers to count and time its frames and to act at chosen
 * frames, and SDL_PollEvent to log the mouse motion the program gets,
 * without touching the program. Used by the benchmark, the picture script
 * and the end-to-end tests.
 *
 * FRAMEHOOK_ACTIONS: space-separated FRAME:ACTION items, FRAME counting
 * swaps from 1; FIRST-LAST:ACTION runs the action at every frame from FIRST
 * to LAST. At that frame, just before its swap:
 *   FRAME:click        queue a left mouse button press
 *   FRAME:motion:X,Y   queue a mouse motion to (X, Y)
 *   FRAME:key:SYM      queue a press and release of SDL key SYM (a number)
 *   FRAME:quit         queue an Escape key press
 *   FRAME:shot:PATH    save the frame just drawn as a binary PPM at PATH
 *   FRAME:rss          log the resident memory
 *   FRAME:storm:N      queue N events of every kind, made up from the frame
 *                      number (see storm.c); never Escape or a quit
 *   FRAME:allocs       log the allocation calls so far (needs allocount.so
 *                      preloaded as well)
 *   FRAME:count        log the frame's number, so that a range of counts
 *                      shows how many frames a running program has drawn
 * Queued events are polled at the end of that same frame, as real input is.
 *
 * FRAMEHOOK_LOG: file that gets a line per logged fact, "KEY VALUE ...":
 *   first_frame_at S       wall clock (seconds since the epoch) when the
 *                          first swap has returned
 *   gl_renderer TEXT       the OpenGL renderer and version strings, logged
 *   gl_version TEXT        at the first frame
 *   swap_control N         at the first frame: the buffer swap interval in
 *                          force (1 waits for the display's refresh, 0 runs
 *                          free)
 *   motion X Y             for each mouse motion event the program polls,
 *                          in its own coordinates
 *   allocs FRAME ALL MAIN  for each allocs action: malloc, calloc, realloc
 *                          and aligned allocation calls so far, in all
 *                          threads and in the thread that draws
 *   rss FRAME KB           for each rss action
 *   frame N                for each count action
 *   frames N               at exit, with
 *   seconds S              from the first swap to the last, and
 *   maxrss_kb KB           the peak resident memory. */
#define _GNU_SOURCE
#include <GL/gl.h>
#include <dlfcn.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include "SDL.h"
#include "storm.h"

static long frames;
static double firstswap, lastswap;
static FILE *logfile;
static pid_t owner;  /* the process that opened the log */

static double now(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

static long residentkb(void)
{
    long pages = 0, resident = 0;
    FILE *f = fopen("/proc/self/statm", "r");
    if (f) {
        if (fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        fclose(f);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

static void logline(const char *format, ...)
{
    if (!logfile)
        return;
    va_list args;
    va_start(args, format);
    vfprintf(logfile, format, args);
    va_end(args);
    fflush(logfile);
}

__attribute__((constructor)) static void start(void)
{
    const char *path = getenv("FRAMEHOOK_LOG");
    if (path && *path)
        logfile = fopen(path, "w");
    owner = getpid();
}

__attribute__((destructor)) static void finish(void)
{
    /* A child that SDL or a library forks and that exits without exec
     * runs this too; only the program itself reports its run. */
    if (getpid() != owner)
        return;
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    logline("frames %ld\n", frames);
    logline("seconds %.6f\n", frames ? lastswap - firstswap : 0.0);
    logline("maxrss_kb %ld\n", usage.ru_maxrss);
    if (logfile)
        fclose(logfile);
}

static void push(SDL_Event *event)
{
    if (SDL_PushEvent(event) != 0)
        fprintf(stderr, "framehook: cannot queue an event: %s\n", SDL_GetError());
}

static void pushkey(Uint8 type, SDLKey sym)
{
    SDL_Event e;
    memset(&e, 0, sizeof e);
    e.type = type;
    e.key.type = type;
    e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = sym;
    push(&e);
}

static void saveshot(const char *path)
{
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    int w = viewport[2], h = viewport[3];
    unsigned char *pixels = malloc((size_t)w * h * 3);
    FILE *f = fopen(path, "wb");
    if (!pixels || !f) {
        fprintf(stderr, "framehook: cannot save %s\n", path);
    } else {
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, pixels);
        fprintf(f, "P6\n%d %d\n255\n", w, h);
        for (int row = h - 1; row >= 0; row--)  /* GL's rows run bottom up */
            fwrite(pixels + (size_t)row * w * 3, 1, (size_t)w * 3, f);
    }
    if (f)
        fclose(f);
    free(pixels);
}

/* Logs the allocation counts kept by allocount.so, when it is preloaded. */
static void logallocs(void)
{
    unsigned long (*all)(void) = (unsigned long (*)(void))dlsym(RTLD_DEFAULT, "allocount_all");
    unsigned long (*here)(void) = (unsigned long (*)(void))dlsym(RTLD_DEFAULT, "allocount_thread");
    if (!all || !here) {
        fprintf(stderr, "framehook: allocs needs allocount.so preloaded\n");
        return;
    }
    logline("allocs %ld %lu %lu\n", frames, all(), here());
}

/* Runs the actions listed for this frame. */
static void act(void)
{
    const char *actions = getenv("FRAMEHOOK_ACTIONS");
    if (!actions)
        return;
    char item[4096];
    for (const char *p = actions; *p;) {
        size_t n = strcspn(p, " ");
        if (n > 0 && n < sizeof item) {
            memcpy(item, p, n);
            item[n] = '\0';
            char *what;
            long first = strtol(item, &what, 10), last = first;
            if (*what == '-')
                last = strtol(what + 1, &what, 10);
            if (first <= frames && frames <= last && *what == ':') {
                what++;
                SDL_Event e;
                memset(&e, 0, sizeof e);
                int x, y, sym;
                if (strcmp(what, "click") == 0) {
                    e.type = SDL_MOUSEBUTTONDOWN;
                    e.button.type = SDL_MOUSEBUTTONDOWN;
                    e.button.button = SDL_BUTTON_LEFT;
                    e.button.state = SDL_PRESSED;
                    push(&e);
                } else if (sscanf(what, "motion:%d,%d", &x, &y) == 2) {
                    e.type = SDL_MOUSEMOTION;
                    e.motion.type = SDL_MOUSEMOTION;
                    e.motion.x = (Uint16)x;
                    e.motion.y = (Uint16)y;
                    push(&e);
                } else if (sscanf(what, "key:%d", &sym) == 1) {
                    pushkey(SDL_KEYDOWN, (SDLKey)sym);
                    pushkey(SDL_KEYUP, (SDLKey)sym);
                } else if (strcmp(what, "quit") == 0) {
                    pushkey(SDL_KEYDOWN, SDLK_ESCAPE);
                } else if (strncmp(what, "shot:", 5) == 0) {
                    saveshot(what + 5);
                } else if (strcmp(what, "rss") == 0) {
                    logline("rss %ld %ld\n", frames, residentkb());
                } else if (sscanf(what, "storm:%d", &x) == 1) {
                    int lost = queuestorm(frames, x);
                    if (lost > 0)
                        fprintf(stderr, "framehook: frame %ld: %d storm events did not fit in the queue\n",
                                frames, lost);
                } else if (strcmp(what, "allocs") == 0) {
                    logallocs();
                } else if (strcmp(what, "count") == 0) {
                    logline("frame %ld\n", frames);
                } else {
                    fprintf(stderr, "framehook: unknown action '%s'\n", what);
                }
            }
        }
        p += n;
        while (*p == ' ')
            p++;
    }
}

void SDL_GL_SwapBuffers(void)
{
    static void (*real)(void);
    if (!real)
        real = (void (*)(void))dlsym(RTLD_NEXT, "SDL_GL_SwapBuffers");
    double t = now();
    frames++;
    lastswap = t;
    if (frames == 1) {
        firstswap = t;
        logline("gl_renderer %s\n", (const char *)glGetString(GL_RENDERER));
        logline("gl_version %s\n", (const char *)glGetString(GL_VERSION));
        int interval;
        if (SDL_GL_GetAttribute(SDL_GL_SWAP_CONTROL, &interval) == 0)
            logline("swap_control %d\n", interval);
    }
    act();
    real();
    if (frames == 1) {
        struct timespec wall;
        clock_gettime(CLOCK_REALTIME, &wall);
        logline("first_frame_at %.6f\n", wall.tv_sec + wall.tv_nsec / 1e9);
    }
}

int SDL_PollEvent(SDL_Event *event)
{
    static int (*real)(SDL_Event *);
    if (!real)
        real = (int (*)(SDL_Event *))dlsym(RTLD_NEXT, "SDL_PollEvent");
    int got = real(event);
    if (got && event && event->type == SDL_MOUSEMOTION)
        logline("motion %d %d\n", event->motion.x, event->motion.y);
    return got;
}
