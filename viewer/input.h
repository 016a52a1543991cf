// Input: the mouse position, the eye offset taken from it, and the handling
// of SDL events between frames.
//
// Units: mx, my are pixels of the display mode (x right, y down);
// sx, sy are half-pixels from the mode's centre (-200 ... +199, -150 ... +149
// while the mouse is on the display), turned into world units by the view.
#pragma once

#include "SDL.h"

extern int mx, my;  // last mouse position reported by a motion event
extern int sx, sy;  // eye offset for the next frame's view

// Handles one event. Returns 1 when it asks the program to end (Escape
// pressed, display closed), else 0. A motion event records the mouse
// position; any mouse button press requests the next effect preset.
int HandleEvent(SDL_Event *event);

// Handles every event queued since the last frame. Returns 1 when any of
// them asked to end, even if other events followed it.
int pollevents();

// Derives sx, sy from the mouse position, truncating toward zero.
void mouseoffset();
