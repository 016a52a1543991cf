// SPDX-License-Identifier: MIT
// The block field: 1249 flat rectangles, each parallel to a coordinate plane,
// scattered through a cube about ten world units across.
//
// Units: world units, y up; colours are components from 0.0 to 1.0.
// Block i (0 ... blockcount-1) owns vertices 4i ... 4i+3 of mmix, drawn as one
// quad in that order, and the colour group mcol[4i ... 4i+2] (red, green,
// blue). The arrays keep room for one block more than is ever generated: the
// last vertex group and every fourth float of mcol stay untouched.
#pragma once

const int blockcount = 1249;
const int vertexslots = 5000;
const int fieldslots = blockcount * 4;  // vertex (and colour) slots in use: 0 ... 4995

extern float mmix[vertexslots][3];  // vertices, (x, y, z)
extern float mcol[vertexslots];     // per block: red, green, blue, unused
extern float cubform[4][2];         // block outline: corner offsets (x, y) from the centre

// Sets cubform to the centred rectangle of half-width a and half-height b,
// corners in drawing order (-a, +b), (+a, +b), (+a, -b), (-a, -b).
void setoutline(float a, float b);

// Places and orients every block from cubform and fresh rand() draws
// (3 per block for the centre, then 2 per block for the orientation).
// Block centres lie in -5.00 ... +4.95 on each axis, in steps of 0.05.
// Leaves mcol alone.
void doblockz();

// Builds the field shown at start: outline 0.4 x 0.2, doblockz, then the
// start palette (two blocks in three green, one in three grey).
// Makes 8743 rand() draws in all.
void startfield();
