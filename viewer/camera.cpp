// SPDX-License-Identifier: MIT
// Camera state and its per-frame step. Positions are stored as floats and
// worked out in double precision.
#include "camera.h"

#include <cstdlib>

float camx, camy, camz;
float ocamx, ocamy, ocamz;
float lookx, looky, lookz;
float olookx, olooky, olookz;

int camcounter;
float cax, cay, caz;
float lox, loy, loz;

void startcamera()
{
    camcounter = 0;
    camx = 0; camy = 0; camz = -10;
    ocamx = 10; ocamy = 10; ocamz = 10;
    lookx = 0; looky = 0; lookz = 0;
    olookx = 1; olooky = 1; olookz = 1;
}

// One random target coordinate: -1000 ... +999 steps of 1/scale.
static float randomtarget(double scale)
{
    return (rand() % 2000 - 1000.0) / scale;
}

// The point t frames along the straight leg from `from` to `to`.
static float along(float from, float to, int t)
{
    return from + t * ((static_cast<double>(to) - from) / leglength);
}

void camerastep()
{
    camcounter++;
    if (camcounter > leglength) {
        ocamx = camx; ocamy = camy; ocamz = camz;
        olookx = lookx; olooky = looky; olookz = lookz;
        camx = randomtarget(100.0);
        camy = randomtarget(100.0);
        camz = randomtarget(100.0);
        lookx = randomtarget(1000.0);
        looky = randomtarget(1000.0);
        lookz = randomtarget(1000.0);
        camcounter = 0;
    }
    cax = along(ocamx, camx, camcounter);
    cay = along(ocamy, camy, camcounter);
    caz = along(ocamz, camz, camcounter);
    lox = along(olookx, lookx, camcounter);
    loy = along(olooky, looky, camcounter);
    loz = along(olookz, lookz, camcounter);
}
