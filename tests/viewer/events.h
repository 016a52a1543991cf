// SPDX-License-Identifier: MIT
// SDL events as the input tests need them, for the handler directly or for
// SDL's queue: a bare type, key presses and releases, motion, buttons, and
// the display's activity.
// Every byte not set here is zero.
#pragma once

#include "SDL.h"

inline SDL_Event oftype(Uint8 type)
{
    SDL_Event e{};
    e.type = type;
    return e;
}

inline SDL_Event key(Uint8 type, SDLKey sym)
{
    SDL_Event e = oftype(type);
    e.key.keysym.sym = sym;
    return e;
}

// Motion to (x, y), pixels of the display mode.
inline SDL_Event motion(Uint16 x, Uint16 y)
{
    SDL_Event e = oftype(SDL_MOUSEMOTION);
    e.motion.x = x;
    e.motion.y = y;
    return e;
}

inline SDL_Event click(Uint8 which = SDL_BUTTON_LEFT)
{
    SDL_Event e = oftype(SDL_MOUSEBUTTONDOWN);
    e.button.button = which;
    return e;
}

// The display gained (1) or lost (0) what the state bits name, such as
// SDL_APPACTIVE (shown, not iconified) or SDL_APPINPUTFOCUS.
inline SDL_Event activity(Uint8 gain, Uint8 state)
{
    SDL_Event e{};
    e.active = SDL_ActiveEvent{SDL_ACTIVEEVENT, gain, state};
    return e;
}
