// SPDX-License-Identifier: MIT
// The colour depth asked of the display: 8 bits with 2/3/3 on a desktop of
// 8 bits or less, 16 bits with 5/5/5 on any deeper one, and nothing else.
#include <gtest/gtest.h>

#include "display.h"

namespace {

TEST(ColourDepth, EightBitsOrLessAsksForEightAndDeeperForSixteen)
{
    const struct {
        int desktop, bpp, rgb[3];
    } expected[] = {{1, 8, {2, 3, 3}}, {8, 8, {2, 3, 3}}, {9, 16, {5, 5, 5}},
                    {16, 16, {5, 5, 5}}, {24, 16, {5, 5, 5}}, {32, 16, {5, 5, 5}}};
    for (const auto &e : expected) {
        SCOPED_TRACE(testing::Message() << "desktop of " << e.desktop << " bits");
        choosedepth(e.desktop);
        EXPECT_EQ(bpp, e.bpp);
        for (int c = 0; c < 3; c++)
            EXPECT_EQ(rgb_size[c], e.rgb[c]) << "RGB"[c] << " bits";
    }
}

}  // namespace
