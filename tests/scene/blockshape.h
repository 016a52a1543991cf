// SPDX-License-Identifier: MIT
// Reads the field back: a block as a shape (the axis it is flat along and
// the extent of its rectangle along the other two), the colours against a
// colour rule, or the whole field as a copy to compare with later; and
// counts the random draws a build of the field takes.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "field.h"

struct BlockShape {
    int flat;        // axis (0 x, 1 y, 2 z) on which all four corners agree; -1 if none
    float extent[3]; // max - min of the corners on each axis
    float centre[3]; // midpoint of the corners on each axis
};

inline BlockShape blockshape(int block)
{
    const float (*v)[3] = &mmix[4 * block];
    BlockShape s{-1, {}, {}};
    for (int axis = 0; axis < 3; axis++) {
        auto [lo, hi] = std::minmax({v[0][axis], v[1][axis], v[2][axis], v[3][axis]});
        s.extent[axis] = hi - lo;
        s.centre[axis] = (hi + lo) / 2;
        if (lo == hi && s.flat < 0)
            s.flat = axis;
    }
    return s;
}

// Checks that every block is a flat, exactly axis-aligned rectangle with
// sides 2a and 2b (in either order) whose corners run round its edge, and
// that the slots past the last block, positions and colours, stay zero.
inline void expectrectangles(float a, float b)
{
    const float tolerance = 1e-5f;
    for (int block = 0; block < blockcount; block++) {
        SCOPED_TRACE(testing::Message() << "block " << block);
        BlockShape s = blockshape(block);
        ASSERT_GE(s.flat, 0) << "corners share no coordinate";
        int u = (s.flat + 1) % 3, w = (s.flat + 2) % 3;
        const float (*v)[3] = &mmix[4 * block];
        // Consecutive corners differ along one in-plane axis only: corners 0
        // and 3 share one coordinate, as do 1 and 2; corners 0 and 1 share
        // the other, as do 2 and 3.
        bool uw = v[0][u] == v[3][u] && v[1][u] == v[2][u] && v[0][w] == v[1][w] && v[2][w] == v[3][w];
        bool wu = v[0][w] == v[3][w] && v[1][w] == v[2][w] && v[0][u] == v[1][u] && v[2][u] == v[3][u];
        ASSERT_TRUE(uw || wu) << "corners are not an axis-aligned rectangle in drawing order";
        float p = s.extent[u], q = s.extent[w];
        bool ab = std::fabs(p - 2 * a) < tolerance && std::fabs(q - 2 * b) < tolerance;
        bool ba = std::fabs(p - 2 * b) < tolerance && std::fabs(q - 2 * a) < tolerance;
        ASSERT_TRUE(ab || ba) << "sides " << p << " x " << q;
    }
    for (int slot = fieldslots; slot < vertexslots; slot++)
        for (float v : {mmix[slot][0], mmix[slot][1], mmix[slot][2], mcol[slot]})
            ASSERT_EQ(v, 0.0f) << "spare slot " << slot;
}

// A branch of a colour rule: a block's red, green and blue are r, g and b
// times one whole number of hundredths no larger than top.
struct Branch {
    float r, g, b, top;
};

inline bool matches(const Branch &k, float r, float g, float b)
{
    float v = k.r ? r / k.r : k.g ? g / k.g : b / k.b;  // halving and doubling are exact
    float h = v * 100, whole = std::round(h);  // a whole number to four units in the last place
    return r == k.r * v && g == k.g * v && b == k.b * v && v >= 0 && v <= k.top + 1e-6f &&
           testing::FloatLE("", "", h, whole) && testing::FloatLE("", "", whole, h);
}

// Checks that every block's colour fits one branch, that each branch has
// blocks that fit it alone, and that every fourth colour float stays zero.
inline void expectcolours(const std::vector<Branch> &branches)
{
    std::vector<int> only(branches.size());
    for (int i = 0; i < fieldslots; i += 4) {
        float r = mcol[i], g = mcol[i + 1], b = mcol[i + 2];
        ASSERT_EQ(mcol[i + 3], 0.0f) << "idle colour float of block " << i / 4;
        int fits = 0, last = -1;
        for (size_t k = 0; k < branches.size(); k++)
            if (matches(branches[k], r, g, b)) {
                fits++;
                last = k;
            }
        ASSERT_GT(fits, 0) << "block " << i / 4 << ": " << r << " " << g << " " << b;
        if (fits == 1)
            only[last]++;
    }
    for (size_t k = 0; k < branches.size(); k++)
        EXPECT_GT(only[k], blockcount / 10) << "branch " << k;
}

// The field's arrays as they were when the copy was made.
struct FieldCopy {
    float positions[vertexslots][3], colours[vertexslots];
    FieldCopy() { memcpy(positions, mmix, sizeof mmix); memcpy(colours, mcol, sizeof mcol); }
    bool samepositions() const { return memcmp(positions, mmix, sizeof mmix) == 0; }
    bool samecolours() const { return memcmp(colours, mcol, sizeof mcol) == 0; }
};

// Checks that build() takes exactly `count` draws of rand(): the stream is
// seeded with a value drawn from it, so each call starts somewhere new.
inline void expectdraws(int count, void (*build)())
{
    unsigned seed = rand();
    srand(seed);
    for (int n = 0; n < count; n++)
        rand();
    int next = rand();
    srand(seed);
    build();
    EXPECT_EQ(rand(), next) << "a draw was added or lost";
}
