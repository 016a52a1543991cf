// SPDX-License-Identifier: MIT
// The block field arrays, the generator that places the blocks, and the
// start palette. Every random value is one rand() call; the order of the
// calls fixes the field for a given C library.
#include "field.h"

#include <cstdlib>
#include <utility>

float mmix[vertexslots][3];
float mcol[vertexslots];
float cubform[4][2];

// Half-width and half-height of the outline the program starts with.
static const float startwidth = 0.4f;
static const float startheight = 0.2f;

void setoutline(float a, float b)
{
    const float corners[4][2] = {{-a, b}, {a, b}, {a, -b}, {-a, -b}};
    for (int k = 0; k < 4; k++) {
        cubform[k][0] = corners[k][0];
        cubform[k][1] = corners[k][1];
    }
}

// One centre coordinate: -5.00 ... +4.95 in steps of 0.05.
static float centrecoordinate()
{
    return (rand() % 200 - 100) / 20.0;
}

// Swaps coordinates p and q of all four corners of the block at slot i.
static void swapaxes(int i, int p, int q)
{
    for (int k = 0; k < 4; k++)
        std::swap(mmix[i + k][p], mmix[i + k][q]);
}

void doblockz()
{
    // Placement: every block flat in a plane of constant z.
    for (int i = 0; i < fieldslots; i += 4) {
        float posx = centrecoordinate();
        float posy = centrecoordinate();
        float temp = centrecoordinate();
        for (int k = 0; k < 4; k++) {
            mmix[i + k][0] = posx + cubform[k][0];
            mmix[i + k][1] = posy + cubform[k][1];
            mmix[i + k][2] = temp;
        }
    }

    // Orientation, only once every block is placed: an optional turn within
    // the plane, then a move to the x, y or z plane (six orientations).
    for (int i = 0; i < fieldslots; i += 4) {
        if (rand() % 2 == 0)
            swapaxes(i, 0, 1);
        switch (rand() % 3) {
        case 0: swapaxes(i, 0, 2); break;  // now in a plane of constant x
        case 1: swapaxes(i, 1, 2); break;  // now in a plane of constant y
        default: break;                    // stays in a plane of constant z
        }
    }
}

// The start colours: one selector draw and one value draw per block. A
// selector of 0 gives grey; 1 and 2 both give pure green.
static void startpalette()
{
    for (int i = 0; i < fieldslots; i += 4) {
        int stepper = rand() % 3;
        float v = (rand() % 100) / 100.0;
        if (stepper == 0) {
            mcol[i] = mcol[i + 1] = mcol[i + 2] = v;
        } else {
            mcol[i] = 0;
            mcol[i + 1] = v;
            mcol[i + 2] = 0;
        }
    }
}

void startfield()
{
    setoutline(startwidth, startheight);
    doblockz();
    startpalette();
}
