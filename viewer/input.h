// SPDX-License-Identifier: MIT
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
extern int minimised;  // 1 while SDL reports the display inactive (iconified), else 0

// Handles one event. Returns 1 when it asks the program to end (Escape
// pressed, display closed), else 0. A motion event records the mouse
// position; any mouse button press requests the next effect preset; an
// activity event that concerns SDL_APPACTIVE sets or clears `minimised`.
int HandleEvent(SDL_Event *event);

// Handles every event queued since the last frame. Returns 1 when any of
// them asked to end, even if other events followed it.
int pollevents();

// While `minimised` is set, sleeps in SDL_WaitEvent and handles each event
// that arrives. Returns 0 once the display is active again, 1 as soon as an
// event asks to end. Draws nothing, so the tour goes on where it stopped.
int waitwhileminimised();

// Derives sx, sy from the mouse position, truncating toward zero.
void mouseoffset();
