/* SPDX-License-Identifier: MIT */
/* Bursts of made-up SDL events for the soak test: mouse motion anywhere in
 * the 16-bit coordinate range (on the display, near and past its edges),
 * presses and releases of any button and any key, and events of the other
 * types, each with random bytes in the rest of the event. Escape presses and
 * quit events are left out so that a storm never ends the run. */
#include "storm.h"

#include <stdint.h>

#include "SDL.h"
#include "eventfill.h"

/* A coordinate: mostly on the display (0 ... size-1), otherwise just past an
 * edge, or anywhere in the 16-bit range (where values past 32767 stand for
 * negative positions). */
static Uint16 coordinate(uint32_t *state, int size)
{
    uint32_t r = eventrandom(state);
    switch (r % 4) {
    case 0: return (Uint16)(size + (r >> 8) % 64);     /* past the far edge */
    case 1: return (Uint16)(r >> 8);                   /* anywhere */
    default: return (Uint16)((r >> 8) % (uint32_t)size);
    }
}

static void makeevent(uint32_t *state, SDL_Event *e)
{
    eventgarbage(e, state);
    uint32_t r = eventrandom(state);
    switch (r % 8) {
    case 0: case 1: case 2:
        e->type = SDL_MOUSEMOTION;
        e->motion.x = coordinate(state, 800);
        e->motion.y = coordinate(state, 600);
        break;
    case 3:
        e->type = SDL_MOUSEBUTTONDOWN;
        break;
    case 4:
        e->type = SDL_MOUSEBUTTONUP;
        break;
    case 5:
        e->type = SDL_KEYDOWN;
        if (e->key.keysym.sym == SDLK_ESCAPE)
            e->key.keysym.sym = SDLK_SPACE;
        break;
    case 6:
        e->type = SDL_KEYUP;  /* of any key, Escape included */
        break;
    default:
        /* Any other type, garbage and all, except a window system event:
         * SDL_PushEvent copies the message its pointer names, so a garbage
         * pointer would crash SDL itself before the program sees it. */
        e->type = (Uint8)((r >> 8) % SDL_NUMEVENTS);
        if (e->type == SDL_QUIT || e->type == SDL_KEYDOWN || e->type == SDL_SYSWMEVENT)
            e->type = SDL_USEREVENT;
        break;
    }
    /* Every member of the union starts with the type. */
    e->key.type = e->type;
}

int queuestorm(long frame, int count)
{
    uint32_t state = eventseed((uint32_t)frame);
    int lost = 0;
    for (int n = 0; n < count; n++) {
        SDL_Event e;
        makeevent(&state, &e);
        if (SDL_PushEvent(&e) != 0)
            lost++;
    }
    return lost;
}
