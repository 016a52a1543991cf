// SPDX-License-Identifier: MIT
// Event handling and the mouse eye offset.
#include "input.h"

#include <cstring>
#include <type_traits>

#include "mode.h"
#include "presets.h"

int mx, my;
int sx, sy;
int minimised;

// The number type a key code is stored as: the enum's underlying type, or
// the type itself where SDL keeps key codes as plain integers (as its
// browser port does).
template <typename T>
using storedas = typename std::conditional_t<std::is_enum<T>::value, std::underlying_type<T>,
                                             std::common_type<T>>::type;

int HandleEvent(SDL_Event *event)
{
    switch (event->type) {
    case SDL_KEYDOWN: {
        // The key code is read as the plain number it is stored as: a code
        // that SDL's key list lacks is no valid SDLKey value, and reading it
        // as one would be undefined. Such a key is simply not Escape.
        storedas<SDLKey> sym;
        memcpy(&sym, &event->key.keysym.sym, sizeof sym);
        return sym == SDLK_ESCAPE;
    }
    case SDL_MOUSEMOTION:
        mx = event->motion.x;
        my = event->motion.y;
        return 0;
    case SDL_MOUSEBUTTONDOWN:
        changer = 1;
        return 0;
    case SDL_QUIT:
        return 1;
    case SDL_ACTIVEEVENT:
        // Other bits of the state are mouse and keyboard focus, which do
        // not stop the picture from being seen.
        if (event->active.state & SDL_APPACTIVE)
            minimised = !event->active.gain;
        return 0;
    default:
        return 0;
    }
}

int pollevents()
{
    SDL_Event event;
    int quit = 0;
    // A request to end is kept even when later events of the same frame,
    // such as mouse motion, say nothing about ending.
    while (SDL_PollEvent(&event))
        if (HandleEvent(&event))
            quit = 1;
    return quit;
}

int waitwhileminimised()
{
    SDL_Event event;
    while (minimised) {
        // Without an event queue there is nothing to wait for: draw on.
        if (!SDL_WaitEvent(&event))
            return 0;
        if (HandleEvent(&event))
            return 1;
    }
    return 0;
}

void mouseoffset()
{
    sx = (mx - modewidth / 2) / 2;
    sy = (my - modeheight / 2) / 2;
}
