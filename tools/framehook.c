/* SPDX-License-Identifier: MIT */
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
 *   FRAME:rss          log the resident memory and the heap in use
 *   FRAME:storm:N      queue N events of every kind, made up from the frame
 *                      number (see storm.c); never Escape or a quit
 *   FRAME:allocs       log the allocation calls so far (needs allocount.so
 *                      preloaded as well)
 *   FRAME:count        log the frame's number, so that a range of counts
 *                      shows how many frames a running program has drawn
 * Queued events are polled at the end of that same frame, as real input is.
 * The list is read once at start; a malformed item ends the program.
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
 *   rss FRAME KB HEAP      for each rss action: resident memory, and the
 *                          memory malloc has handed out and not had back,
 *                          both in KiB
 *   frame N                for each count action
 *   frames N               at exit, with
 *   seconds S              from the first swap to the last, and
 *   maxrss_kb KB           the peak resident memory. */
#define _GNU_SOURCE
#include <GL/gl.h>
#include <dlfcn.h>
#include <malloc.h>
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

static long heapkb(void)
{
    struct mallinfo2 heap = mallinfo2();
    return (long)((heap.uordblks + heap.hblkhd) / 1024);
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

/* The actions, parsed once at start. */
enum { maxactions = 256 };
enum kind { click, motion, key, quit, shot, rss, storm, allocs, count };
static struct action {
    long first, last;  /* frames */
    enum kind kind;
    int x, y;          /* motion's position; key's symbol; storm's count */
    const char *path;  /* shot's file */
} actions[maxactions];
static int actioncount;
static char actiontext[16384];  /* FRAMEHOOK_ACTIONS, cut into its items */

static void refuse(const char *why, const char *item)
{
    fprintf(stderr, "framehook: %s in FRAMEHOOK_ACTIONS: '%s'\n", why, item);
    exit(2);
}

static void parseactions(const char *text)
{
    if (strlen(text) >= sizeof actiontext)
        refuse("too long a list", "");
    strcpy(actiontext, text);
    for (char *item = strtok(actiontext, " "); item; item = strtok(NULL, " ")) {
        if (actioncount == maxactions)
            refuse("too many items from", item);
        struct action *a = &actions[actioncount++];
        char *what;
        int end = 0;
        a->first = a->last = strtol(item, &what, 10);
        if (*what == '-')
            a->last = strtol(what + 1, &what, 10);
        if (what == item || *what++ != ':')
            refuse("no FRAME: before the action", item);
        if (strcmp(what, "click") == 0)
            a->kind = click;
        else if (strcmp(what, "quit") == 0)
            a->kind = quit;
        else if (strcmp(what, "rss") == 0)
            a->kind = rss;
        else if (strcmp(what, "allocs") == 0)
            a->kind = allocs;
        else if (strcmp(what, "count") == 0)
            a->kind = count;
        else if (sscanf(what, "motion:%d,%d%n", &a->x, &a->y, &end) == 2 && !what[end])
            a->kind = motion;
        else if (sscanf(what, "key:%d%n", &a->x, &end) == 1 && !what[end])
            a->kind = key;
        else if (sscanf(what, "storm:%d%n", &a->x, &end) == 1 && !what[end])
            a->kind = storm;
        else if (strncmp(what, "shot:", 5) == 0 && what[5]) {
            a->kind = shot;
            a->path = what + 5;
        } else
            refuse("an unknown action", item);
    }
}

__attribute__((constructor)) static void start(void)
{
    const char *path = getenv("FRAMEHOOK_LOG");
    if (path && *path)
        logfile = fopen(path, "w");
    owner = getpid();
    const char *list = getenv("FRAMEHOOK_ACTIONS");
    if (list)
        parseactions(list);
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

/* Queues an event as input brings it: a press or release (by type) of key
 * a, a press of mouse button a, or a mouse motion to (a, b). */
static void queue(Uint8 type, int a, int b)
{
    SDL_Event e;
    memset(&e, 0, sizeof e);
    e.type = type;  /* every member of the union starts with the type */
    if (type == SDL_MOUSEMOTION) {
        e.motion.x = (Uint16)a;
        e.motion.y = (Uint16)b;
    } else if (type == SDL_MOUSEBUTTONDOWN) {
        e.button.button = (Uint8)a;
        e.button.state = SDL_PRESSED;
    } else {
        e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        e.key.keysym.sym = (SDLKey)a;
    }
    if (SDL_PushEvent(&e) != 0)
        fprintf(stderr, "framehook: cannot queue an event: %s\n", SDL_GetError());
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
    for (int k = 0; k < actioncount; k++) {
        const struct action *a = &actions[k];
        if (frames < a->first || frames > a->last)
            continue;
        switch (a->kind) {
        case click: queue(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 0); break;
        case motion: queue(SDL_MOUSEMOTION, a->x, a->y); break;
        case key: queue(SDL_KEYDOWN, a->x, 0); queue(SDL_KEYUP, a->x, 0); break;
        case quit: queue(SDL_KEYDOWN, SDLK_ESCAPE, 0); break;
        case shot: saveshot(a->path); break;
        case rss: logline("rss %ld %ld %ld\n", frames, residentkb(), heapkb()); break;
        case allocs: logallocs(); break;
        case count: logline("frame %ld\n", frames); break;
        case storm: {
            int lost = queuestorm(frames, a->x);
            if (lost > 0)
                fprintf(stderr, "framehook: frame %ld: %d storm events did not fit in the queue\n", frames, lost);
            break;
        }
        }
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
