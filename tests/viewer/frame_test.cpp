// Whole frames on SDL's offscreen OpenGL driver: when input takes effect,
// and that a normal run reports no errors.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "SDL.h"
#include "camera.h"
#include "display.h"
#include "field.h"
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

    static void push(SDL_Event e) { ASSERT_EQ(SDL_PushEvent(&e), 0) << SDL_GetError(); }
    static void pushmotion(Uint16 x, Uint16 y)
    {
        SDL_Event e{};
        e.type = SDL_MOUSEMOTION;
        e.motion.x = x;
        e.motion.y = y;
        push(e);
    }
    static void pushkey(SDLKey sym)
    {
        SDL_Event e{};
        e.type = SDL_KEYDOWN;
        e.key.keysym.sym = sym;
        push(e);
    }
    static void pushclick()
    {
        SDL_Event e{};
        e.type = SDL_MOUSEBUTTONDOWN;
        e.button.button = SDL_BUTTON_LEFT;
        push(e);
    }

    // The eye x of the view the last frame drew with, read back from GL.
    static double vieweyex()
    {
        double m[16];
        glGetDoublev(GL_MODELVIEW_MATRIX, m);
        // The view is a rotation R and then a translation -R * eye.
        return -(m[0] * m[12] + m[1] * m[13] + m[2] * m[14]);
    }
};

std::string Frames::startoutput;

TEST_F(Frames, MouseMotionMovesTheEyeFromTheSecondFrameOn)
{
    pushmotion(400, 300);
    drawframe();
    drawframe();
    ASSERT_EQ(sx, 0);

    pushmotion(800 - 1, 300);  // polled at the end of frame k
    drawframe();
    EXPECT_EQ(sx, 0) << "the offset is taken before the frame's events";
    drawframe();  // frame k+1 still looks from the old offset ...
    EXPECT_NEAR(vieweyex(), cax, 1e-3);
    EXPECT_EQ(sx, 199);  // ... and takes the new one after drawing
    drawframe();  // frame k+2 moves the eye
    EXPECT_NEAR(vieweyex(), cax + 199 / 40.0, 1e-3);
}

TEST_F(Frames, EscapeEndsTheRunEvenWhenMotionFollowsInTheSameFrame)
{
    pushkey(SDLK_ESCAPE);
    pushmotion(10, 10);
    EXPECT_EQ(drawframe(), 1);

    SDL_Event quit{};
    quit.type = SDL_QUIT;
    push(quit);
    pushkey(SDLK_a);
    pushclick();
    EXPECT_EQ(drawframe(), 1);
    changer = 0;

    pushkey(SDLK_a);
    pushmotion(10, 10);
    EXPECT_EQ(drawframe(), 0);
}

TEST_F(Frames, ClicksOfOneFrameMakeOnePresetStepDrawnInTheNextFrame)
{
    int before = fx;
    static float colours[vertexslots];
    memcpy(colours, mcol, sizeof mcol);

    pushclick();
    pushclick();
    drawframe();  // polls both clicks at its end
    EXPECT_EQ(fx, before);
    EXPECT_EQ(changer, 1);
    EXPECT_EQ(memcmp(colours, mcol, sizeof mcol), 0);

    drawframe();
    EXPECT_EQ(fx, (before + 1) % (maxfx + 1));
    EXPECT_EQ(changer, 0);
    EXPECT_NE(memcmp(colours, mcol, sizeof mcol), 0);
}

TEST_F(Frames, ANewCameraLegDrawsBeforeTheFrameChangesThePreset)
{
    // A frame that begins a leg and changes the preset: the camera's six
    // draws come first, so the field is the one built after them.
    static float built[vertexslots][3];
    int start = fx;
    camcounter = leglength;
    changer = 1;
    srand(42);
    drawframe();
    memcpy(built, mmix, sizeof mmix);

    srand(42);
    for (int n = 0; n < 6; n++)
        rand();
    fx = start;
    changefx();
    EXPECT_EQ(memcmp(built, mmix, sizeof mmix), 0);
}

TEST_F(Frames, ANormalRunPrintsNoErrors)
{
    testing::internal::CaptureStderr();
    for (int n = 0; n < 20; n++) {
        pushmotion(n * 40, n * 30);
        drawframe();
    }
    std::string printed = startoutput + testing::internal::GetCapturedStderr();
    EXPECT_EQ(printed.find("lumbox:"), std::string::npos) << printed;
}

}  // namespace
