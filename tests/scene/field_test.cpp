// SPDX-License-Identifier: MIT
// The start field: shape of the blocks, their placement, the start palette,
// and the exact share of the C library's random stream it uses.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <set>
#include <utility>

#include "blockshape.h"

namespace {

class StartField : public testing::Test {
protected:
    // glibc's generator before any srand() is the one seeded with 1.
    void SetUp() override
    {
        memset(mmix, 0, sizeof mmix);
        memset(mcol, 0, sizeof mcol);
        srand(1);
        startfield();
    }
};

TEST_F(StartField, StaysInsideTheCubeOnTheTwentiethGrid)
{
    for (int block = 0; block < blockcount; block++) {
        BlockShape s = blockshape(block);
        for (int axis = 0; axis < 3; axis++) {
            // Centres are whole twentieths in -5.00 ... +4.95, corners in -5.40 ... +5.35.
            float centre = s.centre[axis], half = s.extent[axis] / 2, steps = centre * 20;
            EXPECT_NEAR(steps, std::round(steps), 1e-3) << "block " << block;
            EXPECT_GE(centre, -5.0f - 1e-5f);
            EXPECT_LE(centre, 4.95f + 1e-5f);
            EXPECT_GE(centre - half, -5.4f - 1e-5f);
            EXPECT_LE(centre + half, 5.35f + 1e-5f);
        }
    }
}

TEST_F(StartField, TakesAllSixOrientations)
{
    // (flat axis, axis of the long side) pairs seen in the field.
    std::set<std::pair<int, int>> seen;
    for (int block = 0; block < blockcount; block++) {
        BlockShape s = blockshape(block);
        int u = (s.flat + 1) % 3, w = (s.flat + 2) % 3;
        seen.insert({s.flat, s.extent[u] > s.extent[w] ? u : w});
    }
    EXPECT_EQ(seen.size(), 6u);
}

// The checks of shape and colour also find the spare slots still zero.
TEST_F(StartField, IsPointFourByPointTwoRectanglesInGreysAndPureGreensInHundredths)
{
    expectrectangles(0.4f, 0.2f);
    expectcolours({{1, 1, 1, 0.99f}, {0, 1, 0, 0.99f}});
    // One selector value in three picks grey.
    int greys = 0;
    for (int i = 0; i < fieldslots; i += 4)
        greys += mcol[i] > 0 && mcol[i] == mcol[i + 1];
    EXPECT_GT(greys, blockcount / 4);
    EXPECT_LT(greys, blockcount * 5 / 12);
}

TEST_F(StartField, UsesExactly8743RandomDrawsAndIsTheSameEveryRun)
{
    FieldCopy first;
    expectdraws(8743, startfield);
    SetUp();
    EXPECT_TRUE(first.samepositions() && first.samecolours()) << "a second build differs";
}

// With a square outline of zero size every block collapses to its centre,
// so the first three draws must come out as block 0's coordinates in some
// order, and the draw for block 0's in-plane turn is the 3748th.
TEST_F(StartField, DoblockzDrawsCentreThenOrientationInOrderAndKeepsTheColours)
{
    srand(1);
    float centre[3];
    for (float &c : centre)
        c = (rand() % 200 - 100) / 20.0;
    for (int n = 3; n < 3 * blockcount; n++)
        rand();
    int turn = rand(), plane = rand();
    if (turn % 2 == 0)
        std::swap(centre[0], centre[1]);
    if (plane % 3 == 0)
        std::swap(centre[0], centre[2]);
    else if (plane % 3 == 1)
        std::swap(centre[1], centre[2]);

    FieldCopy before;
    setoutline(0, 0);
    srand(1);
    doblockz();
    EXPECT_TRUE(before.samecolours());
    EXPECT_FALSE(before.samepositions());
    for (int axis = 0; axis < 3; axis++)
        EXPECT_EQ(mmix[0][axis], centre[axis]) << "axis " << axis;
}

}  // namespace
