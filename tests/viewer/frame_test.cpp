// SPDX-License-Identifier: MIT
// Whole frames on SDL's offscreen OpenGL driver: the mode they draw into,
// when input takes effect, the wait while iconified, and that a normal run
// reports no errors.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "../scene/blockshape.h"
#include "SDL.h"
#include "camera.h"
#include "display.h"
#include "events.h"
#include "frame.h"
#include "input.h"
#include "presets.h"

namespace {

class Frames : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        startcamera();
        startfield();
        testing::internal::CaptureStderr();
        opendisplay();
        drawframe();  // let SDL deliver whatever it queues at start
        startoutput = testing::internal::GetCapturedStderr();
    }
    static void TearDownTestSuite() { SDL_Quit(); }

    static std::string startoutput;  // standard error of set-up and the first frame

    // Queues the events in order, as if they came between two frames.
    static void push(std::initializer_list<SDL_Event> events)
    {
        for (SDL_Event e : events)
            ASSERT_EQ(SDL_PushEvent(&e), 0) << SDL_GetError();
    }

    // Checks the view the last frame drew with, read back from GL: its eye
    // is this frame's camera eye moved by (dx, dy).
    static void expecteye(double dx, double dy)
    {
        double m[16];  // column by column
        glGetDoublev(GL_MODELVIEW_MATRIX, m);
        // The view is a rotation R and then a translation t = -R * eye, so
        // eye = -(transposed R) * t.
        const double expected[3] = {cax + dx, cay + dy, caz};
        for (int c = 0; c < 3; c++)
            EXPECT_NEAR(-(m[4 * c] * m[12] + m[4 * c + 1] * m[13] + m[4 * c + 2] * m[14]), expected[c], 1e-3)
                << "eye " << "xyz"[c];
    }
};

std::string Frames::startoutput;

TEST_F(Frames, DrawFullScreenAt800By600SeeFortyFiveDegreesHighAndAddBlocksBehindTheDepthTest)
{
    const SDL_Surface *screen = SDL_GetVideoSurface();
    ASSERT_NE(screen, nullptr);
    EXPECT_TRUE(screen->flags & SDL_FULLSCREEN) << "not full screen";
    EXPECT_TRUE(screen->flags & SDL_OPENGL) << "not an OpenGL mode";
    EXPECT_EQ(screen->w, 800);
    EXPECT_EQ(screen->h, 600);

    drawframe();
    double p[16];  // column by column
    glGetDoublev(GL_PROJECTION_MATRIX, p);
    const double halfangle = 22.5 * M_PI / 180, nearplane = 0.5, farplane = 150;
    EXPECT_NEAR(p[5], 1 / std::tan(halfangle), 1e-6) << "vertical field of view";
    EXPECT_NEAR(p[0], p[5] * 600 / 800, 1e-6) << "aspect ratio";
    EXPECT_NEAR(p[10], -(farplane + nearplane) / (farplane - nearplane), 1e-6) << "depth range";
    EXPECT_NEAR(p[14], -2 * farplane * nearplane / (farplane - nearplane), 1e-6) << "depth range";

    auto state = [](GLenum name) { GLint value; glGetIntegerv(name, &value); return value; };
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST)) << "no depth test";
    EXPECT_EQ(state(GL_DEPTH_FUNC), GL_LESS) << "depth test";
    EXPECT_TRUE(state(GL_BLEND_SRC) == GL_ONE && state(GL_BLEND_DST) == GL_ONE) << "blending is not additive";
    EXPECT_FALSE(glIsEnabled(GL_BLEND)) << "blending left on after the field";
    EXPECT_EQ(state(GL_SHADE_MODEL), GL_FLAT);
}

TEST_F(Frames, MouseMotionMovesTheEyeFromTheSecondFrameOn)
{
    push({motion(400, 300)});
    drawframe();
    drawframe();
    ASSERT_EQ(sx, 0);
    ASSERT_EQ(sy, 0);

    push({motion(800 - 1, 600 - 1)});  // lower right, polled at the end of frame k
    drawframe();
    EXPECT_EQ(sx, 0) << "the offset is taken before the frame's events";
    drawframe();  // frame k+1 still looks from the old offset ...
    expecteye(0, 0);
    EXPECT_EQ(sx, 199);  // ... and takes the new one after drawing
    drawframe();  // frame k+2 moves the eye right and, the mouse being low, up
    expecteye(199 / 40.0, 149 / 40.0);
}

TEST_F(Frames, EscapeEndsTheRunEvenWhenMotionFollowsInTheSameFrame)
{
    push({key(SDL_KEYDOWN, SDLK_ESCAPE), motion(10, 10)});
    EXPECT_EQ(drawframe(), 1);

    push({oftype(SDL_QUIT), key(SDL_KEYDOWN, SDLK_a), click()});
    EXPECT_EQ(drawframe(), 1);
    changer = 0;

    push({key(SDL_KEYDOWN, SDLK_a), motion(10, 10)});
    EXPECT_EQ(drawframe(), 0);
}

// The step comes in a frame that also begins a camera leg: the camera's six
// draws come first, so the field is the one built after them.
TEST_F(Frames, ClicksOfOneFrameMakeOnePresetStepDrawnInTheNextFrameAfterTheCameraDraws)
{
    int before = fx;
    FieldCopy field;

    push({click(), click(SDL_BUTTON_RIGHT)});
    drawframe();  // polls both clicks at its end
    EXPECT_EQ(fx, before);
    EXPECT_EQ(changer, 1);
    EXPECT_TRUE(field.samecolours());

    camcounter = leglength;
    srand(42);
    drawframe();
    EXPECT_EQ(fx, (before + 1) % (maxfx + 1));
    EXPECT_EQ(changer, 0);
    EXPECT_FALSE(field.samecolours());

    FieldCopy built;
    srand(42);
    for (int n = 0; n < 6; n++)
        rand();
    fx = before;
    changefx();
    EXPECT_TRUE(built.samepositions());
}

TEST_F(Frames, IconifiedTheRunWaitsForEventsUntilShownAgainOrClosed)
{
    push({activity(0, SDL_APPACTIVE)});
    EXPECT_EQ(drawframe(), 0);
    ASSERT_EQ(minimised, 1);

    // Input while waiting counts; an Escape after the display shows again
    // is left for the next frame.
    push({motion(10, 20), click(), activity(1, SDL_APPACTIVE), key(SDL_KEYDOWN, SDLK_ESCAPE)});
    EXPECT_EQ(waitwhileminimised(), 0);
    EXPECT_EQ(minimised, 0);
    EXPECT_EQ(mx, 10);
    EXPECT_EQ(changer, 1);
    EXPECT_EQ(drawframe(), 1);

    // Closed while iconified: the wait ends at the request to end, and what
    // follows it stays queued for the next frame.
    push({activity(0, SDL_APPACTIVE)});
    drawframe();
    push({oftype(SDL_QUIT), motion(10, 10), activity(1, SDL_APPACTIVE)});
    EXPECT_EQ(waitwhileminimised(), 1);
    EXPECT_EQ(pollevents(), 0);  // what followed the close, left queued
    EXPECT_EQ(minimised, 0);
}

TEST_F(Frames, ANormalRunPrintsNoErrors)
{
    testing::internal::CaptureStderr();
    for (int n = 0; n < 20; n++) {
        push({motion(n * 40, n * 30)});
        drawframe();
    }
    std::string printed = startoutput + testing::internal::GetCapturedStderr();
    EXPECT_EQ(printed.find("lumbox:"), std::string::npos) << printed;
}

}  // namespace
