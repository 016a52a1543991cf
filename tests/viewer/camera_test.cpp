// SPDX-License-Identifier: MIT
// The camera tour: the fixed first leg, when new legs begin, where their
// random targets come from, and the straight path between.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <vector>

#include "camera.h"

namespace {

// Eye x, y, z, then look-at x, y, z: of the current leg's targets, of its
// start, and of this frame's view.
using Six = std::array<double, 6>;
Six targets() { return {camx, camy, camz, lookx, looky, lookz}; }
Six starts() { return {ocamx, ocamy, ocamz, olookx, olooky, olookz}; }
Six view() { return {cax, cay, caz, lox, loy, loz}; }

// Checks this frame's view: the eye to 1e-5 and the look-at point, ten
// times closer to the origin, to 1e-6.
void expectview(const Six &want)
{
    for (int i = 0; i < 6; i++)
        EXPECT_NEAR(view()[i], want[i], i < 3 ? 1e-5 : 1e-6) << (i < 3 ? "eye " : "look-at ") << "xyz"[i % 3];
}

void steps(int frames)
{
    while (frames-- > 0)
        camerastep();
}

class CameraTour : public testing::Test {
protected:
    void SetUp() override { startcamera(); }
};

TEST_F(CameraTour, FirstLegGoesFromItsFixedStartToItsFixedTargets)
{
    camerastep();  // t = 1
    const double eye = 10 - 10.0 / 300, look = 1 - 1.0 / 300;
    expectview({eye, eye, 10 - 20.0 / 300, look, look, look});
    steps(299);  // t = 300: on the targets, up to rounding
    expectview({0, 0, -10, 0, 0, 0});
}

// Halfway along a leg the view is at the midpoint of its ends. Each new leg
// starts from the last one's targets, and its first frame rests where the
// last one ended.
TEST_F(CameraTour, LegsRunStraightAndANewOneBeginsEvery301FramesFromWhereTheLastEnded)
{
    srand(7);
    std::vector<int> legstarts;
    for (int frame = 1; frame <= 903; frame++) {
        const Six before = targets(), last = view();
        camerastep();
        SCOPED_TRACE(testing::Message() << "frame " << frame);
        if (camcounter == leglength / 2) {
            Six midpoint;
            for (int i = 0; i < 6; i++)
                midpoint[i] = (starts()[i] + targets()[i]) / 2;
            expectview(midpoint);
        }
        if (camcounter == 0) {
            legstarts.push_back(frame);
            EXPECT_NE(targets(), before) << "no new targets";
            EXPECT_EQ(starts(), before);
            expectview(last);
        }
    }
    EXPECT_EQ(legstarts, (std::vector<int>{301, 602, 903}));
}

TEST_F(CameraTour, NewTargetsAreSixDrawsInOrderEyeThenLookWithinTheirRanges)
{
    for (unsigned leg = 1; leg <= 200; leg++) {
        SCOPED_TRACE(testing::Message() << "leg " << leg);
        srand(leg);
        int draws[7];
        for (int &d : draws)
            d = rand();
        srand(leg);
        steps(301);
        for (int i = 0; i < 6; i++) {
            EXPECT_FLOAT_EQ(targets()[i], (draws[i] % 2000 - 1000.0) / (i < 3 ? 100.0 : 1000.0)) << "draw " << i;
            EXPECT_GE(targets()[i], i < 3 ? -10.0f : -1.0f);
            EXPECT_LE(targets()[i], i < 3 ? 9.99f : 0.999f);
        }
        EXPECT_EQ(rand(), draws[6]) << "a leg must take exactly six draws";
    }
}

}  // namespace
