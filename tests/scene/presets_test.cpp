// SPDX-License-Identifier: MIT
// Effect presets: the order they come in, the outline and colour scheme each
// gives the field, and the share of the random stream a change uses.
#include <gtest/gtest.h>

#include <cstdlib>

#include "blockshape.h"
#include "presets.h"

namespace {

// Advances to the given preset from wherever the cycle stands; one round
// of clicks must reach it.
void showpreset(int preset)
{
    for (int click = 0; click <= maxfx; click++) {
        changefx();
        if (fx == preset)
            return;
    }
    FAIL() << "a round of clicks never showed preset " << preset;
}

class Presets : public testing::Test {
protected:
    void SetUp() override
    {
        srand(1);
        fx = changer = 0;
        startfield();
    }
};

TEST_F(Presets, ClicksCycleOneTwoThreeFourZeroAndAroundEachWithExactly8743RandomDraws)
{
    for (int expected : {1, 2, 3, 4, 0, 1}) {
        SCOPED_TRACE(testing::Message() << "change to preset " << expected);
        changer = 1;
        expectdraws(8743, changefx);
        EXPECT_EQ(fx, expected);
        EXPECT_EQ(changer, 0);
    }
}

TEST_F(Presets, EachPresetShapesEveryBlockAndKeepsItsColourRelations)
{
    const struct {
        int preset;
        float a, b;  // half the sides of every block
        std::vector<Branch> branches;
    } presets[] = {
        {1, 0.3f, 0.3f, {{0.5f, 0, 0, 0.99f}, {0, 0.5f, 0.5f, 0.99f}, {0, 0.5f, 1, 0.99f}}},  // dark red, dark cyan, blue-cyan
        {2, 1.0f, 0.2f, {{1, 1, 1, 0.49f}, {1, 0.5f, 0, 0.99f}, {0, 0, 1, 0.99f}}},           // grey, orange, blue
        {3, 1.4f, 0.1f, {{1, 1, 1, 0.49f}, {1, 0, 0, 0.99f}, {0.5f, 0, 1, 0.99f}}},           // grey, red, violet
        {4, 1.8f, 0.04f, {{0.5f, 1, 0, 0.49f}, {1, 0.5f, 0, 0.99f}, {0, 0.5f, 0, 0.99f}}},    // yellow-green, orange, dark green
        // Preset 0 halves the blue preset 4 left, which is none.
        {0, 0.4f, 0.2f, {{1, 1, 1, 0.59f}, {0, 1, 0, 0.99f}}},                                // grey, green
    };
    for (const auto &p : presets) {
        SCOPED_TRACE(testing::Message() << "preset " << p.preset);
        showpreset(p.preset);
        expectrectangles(p.a, p.b);
        expectcolours(p.branches);
    }
}

TEST_F(Presets, PresetZeroGreensKeepHalfTheBlueTheyHeld)
{
    showpreset(4);
    for (int i = 0; i < fieldslots; i += 4)
        mcol[i + 2] = 0.75f;
    showpreset(0);
    int greens = 0;
    for (int i = 0; i < fieldslots; i += 4)
        if (mcol[i] != mcol[i + 1]) {
            EXPECT_EQ(mcol[i + 2], 0.375f) << "block " << i / 4;
            greens++;
        }
    EXPECT_GT(greens, blockcount / 3);
}

}  // namespace
