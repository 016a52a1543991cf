// SPDX-License-Identifier: MIT
// Input: what each kind of event does, and how the mouse position becomes
// the eye offset.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <utility>

#include "SDL.h"
#include "eventfill.h"
#include "events.h"
#include "input.h"
#include "presets.h"

namespace {

// An event of the given type whose every other byte is garbage, different
// for each seed.
SDL_Event garbage(Uint8 type, uint32_t seed)
{
    SDL_Event e;
    uint32_t state = eventseed(seed);
    eventgarbage(&e, &state);
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

class Input : public testing::Test {
protected:
    void SetUp() override { mx = my = sx = sy = changer = minimised = 0; }
};
using Events = Input;
using MouseOffset = Input;

TEST_F(Events, GarbageInAnyEventChangesOnlyWhatItsTypeAllows)
{
    for (int type = 0; type <= 255; type++) {
        for (uint32_t seed = 0; seed < 64; seed++) {
            mx = 123; my = 45; sx = 7; sy = 8;
            changer = 0;
            minimised = seed & 1;
            SDL_Event e = garbage(static_cast<Uint8>(type), seed);
            if (type == SDL_MOUSEBUTTONDOWN)
                e.button.button = seed;  // every button number, the named ones among them
            int ends = HandleEvent(&e);
            SCOPED_TRACE(testing::Message() << "event type " << type << ", seed " << seed);

            bool moves = type == SDL_MOUSEMOTION;
            EXPECT_EQ(mx, moves ? e.motion.x : 123);
            EXPECT_EQ(my, moves ? e.motion.y : 45);
            EXPECT_EQ(changer, type == SDL_MOUSEBUTTONDOWN ? 1 : 0);
            bool aboutshowing = type == SDL_ACTIVEEVENT && (e.active.state & SDL_APPACTIVE);
            EXPECT_EQ(minimised, aboutshowing ? !e.active.gain : int(seed & 1));
            EXPECT_EQ(sx, 7) << "the offset is the frame's business";
            EXPECT_EQ(sy, 8);
            EXPECT_EQ(ends, type == SDL_QUIT ? 1 : 0);  // no key code of this garbage is Escape's
        }
    }
}

TEST_F(Events, OfAllKeysOnlyAnEscapePressAsksToEnd)
{
    SDL_Event escape = key(SDL_KEYDOWN, SDLK_ESCAPE), release = key(SDL_KEYUP, SDLK_ESCAPE);
    EXPECT_EQ(HandleEvent(&escape), 1);
    EXPECT_EQ(HandleEvent(&release), 0);
    // Among garbage, with codes SDL knows and codes it does not.
    for (uint32_t code : {uint32_t(SDLK_ESCAPE), uint32_t(SDLK_q), uint32_t(SDLK_SPACE), 0u, uint32_t(SDLK_LAST),
                          0x100u | SDLK_ESCAPE, 0x1000001Bu, 0xDEADBEEFu, 0xFFFFFFFFu}) {
        SDL_Event e = keycode(code);
        EXPECT_EQ(HandleEvent(&e), code == SDLK_ESCAPE ? 1 : 0) << "key code " << code;
    }
}

TEST_F(Events, IconifiedIsLosingTheDisplayNotTheFocus)
{
    const struct {
        Uint8 gain, state;
        int minimised;
    } steps[] = {{0, SDL_APPINPUTFOCUS, 0}, {0, SDL_APPMOUSEFOCUS, 0},
                 {0, SDL_APPACTIVE | SDL_APPINPUTFOCUS, 1}, {1, SDL_APPINPUTFOCUS, 1},
                 {1, SDL_APPACTIVE, 0}, {0, SDL_APPACTIVE, 1}, {0, SDL_APPACTIVE, 1}};
    for (const auto &step : steps) {
        SDL_Event e = activity(step.gain, step.state);
        EXPECT_EQ(HandleEvent(&e), 0);
        EXPECT_EQ(minimised, step.minimised) << "gain " << int(step.gain) << ", state " << int(step.state);
    }
}

// Mouse at (0, 0) is where it sits before any motion: the eye lower left.
TEST_F(MouseOffset, HalfPixelsFromTheCentreTruncatedTowardZero)
{
    const int expected[][4] = {
        {399, 300, 0, 0}, {400, 300, 0, 0}, {401, 300, 0, 0}, {402, 300, 1, 0}, {403, 300, 1, 0},
        {397, 300, -1, 0}, {398, 300, -1, 0}, {0, 300, -200, 0}, {799, 300, 199, 0},
        {400, 299, 0, 0}, {400, 301, 0, 0}, {400, 303, 0, 1}, {400, 297, 0, -1}, {400, 0, 0, -150},
        {400, 599, 0, 149}, {0, 0, -200, -150}};
    for (auto [x, y, offsetx, offsety] : expected) {
        mx = x;
        my = y;
        mouseoffset();
        EXPECT_EQ(std::make_pair(sx, sy), std::make_pair(offsetx, offsety)) << "mx " << x << ", my " << y;
    }
}

}  // namespace
