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
#include "field.h"

namespace {

// glibc's generator before any srand() is the one seeded with 1.
void buildstartfield()
{
    memset(mmix, 0, sizeof mmix);
    memset(mcol, 0, sizeof mcol);
    srand(1);
    startfield();
}

class StartField : public testing::Test {
protected:
    void SetUp() override { buildstartfield(); }
};

TEST_F(StartField, EveryBlockIsAnAxisAlignedPointFourByPointTwoRectangle)
{
    expectrectangles(0.4f, 0.2f);
}

TEST_F(StartField, StaysInsideTheCubeOnTheTwentiethGrid)
{
    for (int block = 0; block < blockcount; block++) {
        BlockShape s = blockshape(block);
        for (int axis = 0; axis < 3; axis++) {
            // Centres are whole twentieths in -5.00 ... +4.95.
            float steps = s.centre[axis] * 20;
            EXPECT_NEAR(steps, std::round(steps), 1e-3) << "block " << block;
            EXPECT_GE(s.centre[axis], -5.0f - 1e-5f);
            EXPECT_LE(s.centre[axis], 4.95f + 1e-5f);
            for (int k = 0; k < 4; k++) {
                EXPECT_GE(mmix[4 * block + k][axis], -5.4f - 1e-5f);
                EXPECT_LE(mmix[4 * block + k][axis], 5.35f + 1e-5f);
            }
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

TEST_F(StartField, SpareSlotsStayZero)
{
    for (int slot = fieldslots; slot < vertexslots; slot++)
        for (float v : {mmix[slot][0], mmix[slot][1], mmix[slot][2], mcol[slot]})
            EXPECT_EQ(v, 0.0f) << "slot " << slot;
    for (int i = 3; i < fieldslots; i += 4)
        EXPECT_EQ(mcol[i], 0.0f) << "idle colour float " << i;
}

TEST_F(StartField, PaletteGivesOnlyGreysAndPureGreensInHundredths)
{
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
    int afterfield = rand();
    srand(1);
    for (int n = 0; n < 8743; n++)
        rand();
    EXPECT_EQ(rand(), afterfield) << "a draw was added or lost";

    FieldCopy first;
    buildstartfield();
    EXPECT_TRUE(first.samepositions() && first.samecolours()) << "a second build differs";
}

TEST_F(StartField, DoblockzMovesBlocksButKeepsTheirColours)
{
    FieldCopy before;
    doblockz();
    EXPECT_TRUE(before.samecolours());
    EXPECT_FALSE(before.samepositions());
}

TEST(Doblockz, DrawsCentreThenOrientationInOrder)
{
    // With a square outline of zero size every block collapses to its centre,
    // so the first three draws must come out as block 0's coordinates in some
    // order, and the draw for block 0's in-plane turn is the 3748th.
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

    setoutline(0, 0);
    srand(1);
    doblockz();
    for (int axis = 0; axis < 3; axis++)
        EXPECT_EQ(mmix[0][axis], centre[axis]) << "axis " << axis;
}

}  // namespace
