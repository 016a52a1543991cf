// Input: what each kind of event does, and how the mouse position becomes
// the eye offset.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

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

// An event of the given type whose every other byte is garbage from a small
// fixed generator (xorshift), different for each seed.
SDL_Event garbage(Uint8 type, uint32_t seed)
{
    SDL_Event e;
    uint32_t x = seed * 2654435761u + 1;
    for (size_t k = 0; k < sizeof e; k++) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        reinterpret_cast<unsigned char *>(&e)[k] = static_cast<unsigned char>(x);
    }
    e.type = type;
    return e;
}

// A key press with a raw key code, which need not be one SDL knows.
SDL_Event keycode(uint32_t code)
{
    SDL_Event e = garbage(SDL_KEYDOWN, code);
    memcpy(&e.key.keysym.sym, &code, sizeof code);
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

TEST(Events, GarbageInAnyEventChangesOnlyWhatItsTypeAllows)
{
    for (int type = 0; type <= 255; type++) {
        for (uint32_t seed = 0; seed < 64; seed++) {
            mx = 123; my = 45; sx = 7; sy = 8;
            changer = 0;
            SDL_Event e = garbage(static_cast<Uint8>(type), seed);
            int ends = HandleEvent(&e);
            SCOPED_TRACE(testing::Message() << "event type " << type << ", seed " << seed);

            bool moves = type == SDL_MOUSEMOTION;
            EXPECT_EQ(mx, moves ? e.motion.x : 123);
            EXPECT_EQ(my, moves ? e.motion.y : 45);
            EXPECT_EQ(changer, type == SDL_MOUSEBUTTONDOWN ? 1 : 0);
            EXPECT_EQ(sx, 7) << "the offset is the frame's business";
            EXPECT_EQ(sy, 8);
            if (type != SDL_KEYDOWN) {
                EXPECT_EQ(ends, type == SDL_QUIT ? 1 : 0);
            }
        }
    }
}

TEST(Events, KeyCodesSDLDoesNotKnowAreNotEscape)
{
    resetinput();
    for (uint32_t code : {0u, uint32_t(SDLK_LAST), 0x100u | SDLK_ESCAPE, 0x1000001Bu, 0xDEADBEEFu,
                          0xFFFFFFFFu}) {
        SDL_Event e = keycode(code);
        EXPECT_EQ(HandleEvent(&e), 0) << "key code " << code;
    }
    SDL_Event escape = keycode(SDLK_ESCAPE);
    EXPECT_EQ(HandleEvent(&escape), 1);
    EXPECT_EQ(mx, 0);
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
