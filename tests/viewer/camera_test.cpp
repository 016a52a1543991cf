// SPDX-License-Identifier: MIT
// The camera tour: the fixed first leg, when new legs begin, where their
// random targets come from, and the straight path between.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "camera.h"

namespace {

void steps(int frames)
{
    for (int n = 0; n < frames; n++)
        camerastep();
}

class CameraTour : public testing::Test {
protected:
    void SetUp() override { startcamera(); }
};

TEST_F(CameraTour, FirstLegGoesFromItsFixedStartToItsFixedTargets)
{
    camerastep();  // t = 1
    EXPECT_FLOAT_EQ(cax, 10 - 10.0 / 300);
    EXPECT_FLOAT_EQ(cay, 10 - 10.0 / 300);
    EXPECT_FLOAT_EQ(caz, 10 - 20.0 / 300);
    EXPECT_FLOAT_EQ(lox, 1 - 1.0 / 300);

    steps(299);  // t = 300: on the targets, up to rounding
    EXPECT_NEAR(cax, 0, 1e-5);
    EXPECT_NEAR(cay, 0, 1e-5);
    EXPECT_NEAR(caz, -10, 1e-5);
    EXPECT_NEAR(lox, 0, 1e-6);
    EXPECT_NEAR(loy, 0, 1e-6);
    EXPECT_NEAR(loz, 0, 1e-6);
}

// Each new leg starts from the last one's targets, and its first frame
// rests where the last one ended.
TEST_F(CameraTour, NewLegOnThe301stFrameAndEvery301AfterFromWhereTheLastEnded)
{
    srand(7);
    std::vector<int> legstarts;
    for (int frame = 1; frame <= 903; frame++) {
        const float targets[] = {camx, camy, camz, lookx, looky, lookz}, view[] = {cax, cay, caz, lox, loy, loz};
        float before = camx + camy + camz + lookx + looky + lookz;
        camerastep();
        if (camcounter == 0) {
            EXPECT_NE(before, camx + camy + camz + lookx + looky + lookz);
            legstarts.push_back(frame);
            const float starts[] = {ocamx, ocamy, ocamz, olookx, olooky, olookz},
                        now[] = {cax, cay, caz, lox, loy, loz};
            for (int i = 0; i < 6; i++) {
                EXPECT_EQ(starts[i], targets[i]) << "frame " << frame << ", coordinate " << i;
                EXPECT_NEAR(now[i], view[i], i < 3 ? 1e-5 : 1e-6) << "frame " << frame << ", coordinate " << i;
            }
        }
    }
    EXPECT_EQ(legstarts, (std::vector<int>{301, 602, 903}));
}

TEST_F(CameraTour, NewTargetsAreSixDrawsInOrderEyeThenLook)
{
    srand(11);
    int draws[7];
    for (int &d : draws)
        d = rand();

    srand(11);
    steps(301);
    const float targets[] = {camx, camy, camz, lookx, looky, lookz};
    for (int i = 0; i < 6; i++)
        EXPECT_FLOAT_EQ(targets[i], (draws[i] % 2000 - 1000.0) / (i < 3 ? 100.0 : 1000.0)) << "draw " << i;
    EXPECT_EQ(rand(), draws[6]) << "a leg must take exactly six draws";
}

TEST_F(CameraTour, TargetsStayInTheirRangesAndTheEyeMovesInAStraightLine)
{
    srand(5);
    for (int leg = 0; leg < 200; leg++) {
        steps(301);
        for (float c : {camx, camy, camz}) {
            EXPECT_GE(c, -10.0f);
            EXPECT_LE(c, 9.99f);
        }
        for (float l : {lookx, looky, lookz}) {
            EXPECT_GE(l, -1.0f);
            EXPECT_LE(l, 0.999f);
        }
    }
    // Halfway along a leg the eye is at the midpoint of its ends.
    steps(150);
    EXPECT_NEAR(cax, (ocamx + camx) / 2, 1e-5);
    EXPECT_NEAR(caz, (ocamz + camz) / 2, 1e-5);
    EXPECT_NEAR(loy, (olooky + looky) / 2, 1e-6);
}

}  // namespace
