/* SPDX-License-Identifier: MIT */
/* Pseudo-random SDL events: the xorshift32 generator and the garbage fill
 * that the hook's storms and the input tests share. */
#include "eventfill.h"

#include <stddef.h>

uint32_t eventseed(uint32_t n)
{
    uint32_t state = 2463534242u ^ (n * 2654435761u);
    return state ? state : 1;
}

uint32_t eventrandom(uint32_t *state)
{
    uint32_t x = *state;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    return *state = x;
}

void eventgarbage(SDL_Event *e, uint32_t *state)
{
    for (size_t k = 0; k < sizeof *e; k++)
        ((unsigned char *)e)[k] = (unsigned char)eventrandom(state);
}
