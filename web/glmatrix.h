// SPDX-License-Identifier: MIT
// 4x4 matrix maths of the web build's OpenGL layer: what glLoadIdentity,
// gluPerspective and gluLookAt do to the current matrix. Plain C++, so the
// desktop tests can hold it against the system's GLU.
//
// Matrices are 16 floats in OpenGL's order: column-major, the element in
// row r and column c at [c * 4 + r]. Angles are degrees, distances world
// units.
#pragma once

// Sets m to the identity.
void matidentity(float m[16]);

// m = m * by, as glMultMatrix does.
void matmultiply(float m[16], const float by[16]);

// Multiplies m by a perspective projection: fovy is the vertical field of
// view (0 ... 180 degrees, exclusive), aspect is width / height (> 0),
// 0 < znear < zfar are the distances of the clipping planes.
void matperspective(float m[16], double fovy, double aspect, double znear, double zfar);

// Multiplies m by a view from the eye towards the centre with the up vector
// pointing up on screen. The eye and centre must differ and the up vector
// must not be parallel to the line between them.
void matlookat(float m[16], double eyex, double eyey, double eyez,
               double centrex, double centrey, double centrez,
               double upx, double upy, double upz);
