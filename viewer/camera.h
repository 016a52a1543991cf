// SPDX-License-Identifier: MIT
// The camera tour: straight legs of leglength frames from one eye position
// and look-at point to the next, random ones after the first leg.
//
// Units: world units for positions, frames for time. New eye targets lie in
// -10.00 ... +9.99 on each axis, new look-at targets in -1.000 ... +0.999.
#pragma once

const int leglength = 300;  // frames from the start of a leg to its targets

extern float camx, camy, camz;        // eye target of the current leg
extern float ocamx, ocamy, ocamz;     // eye at the start of the current leg
extern float lookx, looky, lookz;     // look-at target of the current leg
extern float olookx, olooky, olookz;  // look-at point at the start of the current leg

extern int camcounter;             // frames into the current leg
extern float cax, cay, caz;        // this frame's eye, before the mouse offset
extern float lox, loy, loz;        // this frame's look-at point

// Puts the camera at the start of its first, fixed leg: from eye (10, 10, 10)
// looking at (1, 1, 1) towards eye (0, 0, -10) looking at (0, 0, 0).
void startcamera();

// Advances one frame: on the frame after a leg's last one, begins a new leg
// from the old targets to six fresh rand() draws (eye x, y, z, then look-at
// x, y, z); then sets this frame's eye and look-at point.
void camerastep();
