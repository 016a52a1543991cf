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

    // Both start from the same matrix: identity, or a view that a later
    // call must multiply onto (so the order of the product shows).
    void SetUp() override
    {
        glLoadIdentity();
        matidentity(ours);
    }
    void startfromview()
    {
        gluLookAt(3, -2, 7, 0.5, 0.25, -1, 0.1, 1, 0.2);
        matlookat(ours, 3, -2, 7, 0.5, 0.25, -1, 0.1, 1, 0.2);
    }

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

TEST_F(MatricesMatchGlu, PerspectiveOfTheDemo)
{
    gluPerspective(45.0, 800.0 / 600.0, 0.5, 150.0);
    matperspective(ours, 45.0, 800.0 / 600.0, 0.5, 150.0);
    expectsame();
}

TEST_F(MatricesMatchGlu, WidePerspectiveOnAView)
{
    startfromview();
    gluPerspective(100.0, 0.5, 2.0, 20.0);
    matperspective(ours, 100.0, 0.5, 2.0, 20.0);
    expectsame();
}

// The first leg's start, a mouse-shifted eye, a far target looking back
// through the origin, and one on a view already there.
TEST_F(MatricesMatchGlu, LookAtFromTheCameraTour)
{
    const double views[][6] = {
        {10, 10, 10, 1, 1, 1},
        {-5.0, -3.75, -10, 0, 0, 0},
        {9.99, -10, 4.5, -1, 0.999, -0.25},
    };
    for (const auto &v : views) {
        SCOPED_TRACE(testing::Message() << "eye " << v[0] << ", " << v[1] << ", " << v[2]);
        glLoadIdentity();
        matidentity(ours);
        gluLookAt(v[0], v[1], v[2], v[3], v[4], v[5], 0, 1, 0);
        matlookat(ours, v[0], v[1], v[2], v[3], v[4], v[5], 0, 1, 0);
        expectsame();
    }
}

TEST_F(MatricesMatchGlu, LookAtOnAView)
{
    startfromview();
    gluLookAt(1, 2, 3, -4, 0, 1, 0, 1, 0);
    matlookat(ours, 1, 2, 3, -4, 0, 1, 0, 1, 0);
    expectsame();
}

}  // namespace
