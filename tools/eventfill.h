/* SPDX-License-Identifier: MIT */
/* Pseudo-random SDL events from a small generator of their own (xorshift32),
 * so whoever makes them leaves the program's rand() sequence alone. Shared
 * by the hook's event storms and the input handler's tests; C and C++. */
#pragma once

#include <stdint.h>

#include "SDL.h"

#ifdef __cplusplus
extern "C" {
#endif

/* A generator state made from any number n; never 0, which xorshift32
 * would never leave. The same n always gives the same state. */
uint32_t eventseed(uint32_t n);

/* Advances the generator and returns its new state. */
uint32_t eventrandom(uint32_t *state);

/* Fills every byte of *e from the generator, type included. */
void eventgarbage(SDL_Event *e, uint32_t *state);

#ifdef __cplusplus
}
#endif
