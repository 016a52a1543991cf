// SPDX-License-Identifier: MIT
// The web build's matrix maths against the desktop's GLU: each matrix
// gluPerspective and gluLookAt leave on a real GL context (SDL's offscreen
// driver, Mesa) equals the web layer's to float rounding, on its own and
// multiplied onto a matrix already there.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <cstdlib>

#include "SDL.h"
#include "glmatrix.h"

namespace {

class MatricesMatchGlu : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        ASSERT_NE(SDL_SetVideoMode(64, 64, 0, SDL_OPENGL), nullptr) << SDL_GetError();
        glMatrixMode(GL_MODELVIEW);
    }
    static void TearDownTestSuite() { SDL_Quit(); }

    // GL keeps floats: the two agree to a few units in the last place of
    // the larger element.
    void expectsame()
    {
        float glus[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, glus);
        ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        float largest = 0;
        for (float v : glus)
            largest = std::fmax(largest, std::fabs(v));
        for (int i = 0; i < 16; i++)
            EXPECT_NEAR(ours[i], glus[i], 4e-7f * std::fmax(largest, 1.0f))
                << "row " << i % 4 << ", column " << i / 4;
    }

    float ours[16];
};

// Each call from identity or multiplied onto a view (so the order of the
// product shows): the demo's perspective and a wide one; the first leg's
// start, a mouse-shifted eye, and a far target looking back through the origin.
TEST_F(MatricesMatchGlu, ForPerspectivesAndViewsAloneOrOnAView)
{
    const struct {
        bool onview, lookat;
        double a[9];  // gluPerspective's four or gluLookAt's nine arguments
    } calls[] = {
        {false, false, {45.0, 800.0 / 600.0, 0.5, 150.0}},
        {true, false, {100.0, 0.5, 2.0, 20.0}},
        {false, true, {10, 10, 10, 1, 1, 1, 0, 1, 0}},
        {false, true, {-5.0, -3.75, -10, 0, 0, 0, 0, 1, 0}},
        {false, true, {9.99, -10, 4.5, -1, 0.999, -0.25, 0, 1, 0}},
        {true, true, {1, 2, 3, -4, 0, 1, 0, 1, 0}},
    };
    for (const auto &c : calls) {
        const double *a = c.a;
        SCOPED_TRACE(testing::Message() << (c.lookat ? "look-at " : "perspective ") << a[0] << ", " << a[1]
                                        << (c.onview ? " on a view" : ""));
        glLoadIdentity();
        matidentity(ours);
        if (c.onview) {
            gluLookAt(3, -2, 7, 0.5, 0.25, -1, 0.1, 1, 0.2);
            matlookat(ours, 3, -2, 7, 0.5, 0.25, -1, 0.1, 1, 0.2);
        }
        if (c.lookat) {
            gluLookAt(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8]);
            matlookat(ours, a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8]);
        } else {
            gluPerspective(a[0], a[1], a[2], a[3]);
            matperspective(ours, a[0], a[1], a[2], a[3]);
        }
        expectsame();
    }
}

}  // namespace
