// Input: what each kind of event does, and how the mouse position becomes
// the eye offset.
#include <gtest/gtest.h>

#include "SDL.h"
#include "input.h"
#include "presets.h"

namespace {

SDL_Event key(Uint8 type, SDLKey sym)
{
    SDL_Event e{};
    e.type = type;
    e.key.type = type;
    e.key.keysym.sym = sym;
    return e;
}

SDL_Event motion(Uint16 x, Uint16 y)
{
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = x;
    e.motion.y = y;
    return e;
}

SDL_Event button(Uint8 type, int which)
{
    SDL_Event e{};
    e.type = type;
    e.button.button = which;
    return e;
}

SDL_Event oftype(Uint8 type)
{
    SDL_Event e{};
    e.type = type;
    return e;
}

void resetinput()
{
    mx = my = sx = sy = 0;
    changer = 0;
}

TEST(Events, OnlyEscapePressAndClosingTheDisplayAskToEnd)
{
    resetinput();
    SDL_Event escape = key(SDL_KEYDOWN, SDLK_ESCAPE), quit = oftype(SDL_QUIT);
    EXPECT_EQ(HandleEvent(&escape), 1);
    EXPECT_EQ(HandleEvent(&quit), 1);

    for (SDL_Event e : {key(SDL_KEYUP, SDLK_ESCAPE), key(SDL_KEYDOWN, SDLK_q),
                        key(SDL_KEYDOWN, SDLK_SPACE), key(SDL_KEYUP, SDLK_a),
                        motion(10, 20), button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT)})
        EXPECT_EQ(HandleEvent(&e), 0) << "event type " << int(e.type);
}

TEST(Events, KeysAndOtherEventsLeaveTheInputStateAlone)
{
    resetinput();
    mx = 123;
    my = 45;
    for (Uint8 type = 0; type < SDL_NUMEVENTS; type++) {
        if (type == SDL_MOUSEMOTION || type == SDL_MOUSEBUTTONDOWN)
            continue;
        SDL_Event e = oftype(type);
        HandleEvent(&e);
        EXPECT_EQ(mx, 123) << "event type " << int(type);
        EXPECT_EQ(my, 45);
        EXPECT_EQ(changer, 0);
    }
}

TEST(Events, MotionRecordsThePositionAnywhere)
{
    resetinput();
    for (auto [x, y] : {std::pair<Uint16, Uint16>{0, 0}, {799, 599}, {400, 300}, {65535, 65535}}) {
        SDL_Event e = motion(x, y);
        EXPECT_EQ(HandleEvent(&e), 0);
        EXPECT_EQ(mx, x);
        EXPECT_EQ(my, y);
        EXPECT_EQ(changer, 0);
    }
}

TEST(Events, AnyMouseButtonPressRequestsOnePresetStep)
{
    for (int which : {SDL_BUTTON_LEFT, SDL_BUTTON_MIDDLE, SDL_BUTTON_RIGHT,
                      SDL_BUTTON_WHEELUP, SDL_BUTTON_WHEELDOWN, 9}) {
        resetinput();
        SDL_Event press = button(SDL_MOUSEBUTTONDOWN, which);
        EXPECT_EQ(HandleEvent(&press), 0);
        EXPECT_EQ(HandleEvent(&press), 0);
        EXPECT_EQ(changer, 1) << "button " << int(which);
    }
    resetinput();
    SDL_Event release = button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
    HandleEvent(&release);
    EXPECT_EQ(changer, 0);
}

TEST(MouseOffset, TruncatesTowardZeroAroundTheCentre)
{
    const int expected[][2] = {{399, 0}, {400, 0}, {401, 0}, {402, 1}, {403, 1},
                               {397, -1}, {398, -1}, {0, -200}, {799, 199}};
    for (auto [x, offset] : expected) {
        mx = x;
        my = 300;
        mouseoffset();
        EXPECT_EQ(sx, offset) << "mx " << x;
        EXPECT_EQ(sy, 0);
    }
    mx = 400;
    for (auto [y, offset] : {std::pair{299, 0}, {301, 0}, {303, 1}, {297, -1}, {0, -150}, {599, 149}}) {
        my = y;
        mouseoffset();
        EXPECT_EQ(sy, offset) << "my " << y;
    }
}

TEST(MouseOffset, BeforeAnyMotionTheEyeSitsLowerLeft)
{
    resetinput();
    mouseoffset();
    EXPECT_EQ(sx, -200);
    EXPECT_EQ(sy, -150);
}

}  // namespace
