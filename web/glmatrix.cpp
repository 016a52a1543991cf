// SPDX-License-Identifier: MIT
// Matrix maths of the web build's OpenGL layer, worked out in double
// precision and stored as floats, as GL keeps its matrices.
#include "glmatrix.h"

#include <cmath>

static const double pi = 3.14159265358979323846;

void matidentity(float m[16])
{
    for (int i = 0; i < 16; i++)
        m[i] = (i % 5 == 0) ? 1.0f : 0.0f;
}

void matmultiply(float m[16], const float by[16])
{
    float product[16];
    for (int c = 0; c < 4; c++)
        for (int r = 0; r < 4; r++) {
            double sum = 0;
            for (int k = 0; k < 4; k++)
                sum += static_cast<double>(m[k * 4 + r]) * by[c * 4 + k];
            product[c * 4 + r] = static_cast<float>(sum);
        }
    for (int i = 0; i < 16; i++)
        m[i] = product[i];
}

void matperspective(float m[16], double fovy, double aspect, double znear, double zfar)
{
    double cotangent = 1.0 / std::tan(fovy / 2 * pi / 180);
    double depth = zfar - znear;
    float p[16] = {};
    p[0] = static_cast<float>(cotangent / aspect);
    p[5] = static_cast<float>(cotangent);
    p[10] = static_cast<float>(-(zfar + znear) / depth);
    p[11] = -1.0f;
    p[14] = static_cast<float>(-2 * znear * zfar / depth);
    matmultiply(m, p);
}

// v = v / |v|
static void normalise(double v[3])
{
    double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    for (int i = 0; i < 3; i++)
        v[i] /= length;
}

// out = a x b
static void cross(double out[3], const double a[3], const double b[3])
{
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

static double dot(const double a[3], const double b[3])
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

void matlookat(float m[16], double eyex, double eyey, double eyez,
               double centrex, double centrey, double centrez,
               double upx, double upy, double upz)
{
    const double eye[3] = {eyex, eyey, eyez};
    const double up[3] = {upx, upy, upz};
    double forward[3] = {centrex - eyex, centrey - eyey, centrez - eyez};
    normalise(forward);
    double side[3];
    cross(side, forward, up);
    normalise(side);
    double upright[3];
    cross(upright, side, forward);

    // Rows side, upright and -forward turn the world into eye axes; the last
    // column then moves the eye to the origin.
    float v[16] = {};
    for (int i = 0; i < 3; i++) {
        v[i * 4 + 0] = static_cast<float>(side[i]);
        v[i * 4 + 1] = static_cast<float>(upright[i]);
        v[i * 4 + 2] = static_cast<float>(-forward[i]);
    }
    v[12] = static_cast<float>(-dot(side, eye));
    v[13] = static_cast<float>(-dot(upright, eye));
    v[14] = static_cast<float>(dot(forward, eye));
    v[15] = 1.0f;
    matmultiply(m, v);
}
