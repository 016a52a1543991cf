// SPDX-License-Identifier: MIT
// The five effect presets: a block outline and a colour rule each.
#include "presets.h"

#include <cstdlib>

#include "field.h"

static const int presetcount = maxfx + 1;
static const int maxbranches = 3;  // colour branches a preset can have

int fx = 0;
int changer;

// Half-width and half-height of each preset's block outline, world units.
static const float outlines[presetcount][2] = {
    {0.4f, 0.2f},   // small rectangles
    {0.3f, 0.3f},   // squares
    {1.0f, 0.2f},   // bars
    {1.4f, 0.1f},   // long bars
    {1.8f, 0.04f},  // long thin bars
};

// One branch of a colour rule. The branch draws v = (rand() % range) / 100.0
// and sets each channel to v times its factor (0, 0.5 or 1); a branch that
// halves blue keeps half of the block's current blue instead.
struct Shade {
    int range;
    float red, green, blue;
    bool halvesblue;
};

// Per preset: the selector draw is rand() % selectors[fx], and it picks
// the branch. Rows past a preset's selector are never used.
static constexpr int selectors[presetcount] = {2, 3, 3, 3, 3};
static constexpr Shade shades[presetcount][maxbranches] = {
    {{60, 1, 1, 1, false},        // grey up to 0.59
     {100, 0, 1, 0, true}},       // green (blue halved, 0 after preset 4)
    {{100, 0.5f, 0, 0, false},    // dark red
     {100, 0, 0.5f, 0.5f, false}, // dark cyan
     {100, 0, 0.5f, 1, false}},   // blue-cyan
    {{50, 1, 1, 1, false},        // grey up to 0.49
     {100, 1, 0.5f, 0, false},    // orange
     {100, 0, 0, 1, false}},      // blue
    {{50, 1, 1, 1, false},        // grey up to 0.49
     {100, 1, 0, 0, false},       // red
     {100, 0.5f, 0, 1, false}},   // violet
    {{50, 0.5f, 1, 0, false},     // yellow-green
     {100, 1, 0.5f, 0, false},    // orange
     {100, 0, 0.5f, 0, false}},   // dark green
};

// True when every branch a selector can pick draws from a range of at least
// one value, so no value draw can be rand() % 0.
static constexpr bool everybranchdraws()
{
    for (int p = 0; p < presetcount; p++) {
        if (selectors[p] < 1 || selectors[p] > maxbranches)
            return false;
        for (int s = 0; s < selectors[p]; s++)
            if (shades[p][s].range < 1)
                return false;
    }
    return true;
}
static_assert(everybranchdraws(), "a selector reaches a colour branch with an empty range");

static void recolour()
{
    for (int i = 0; i < fieldslots; i += 4) {
        int stepper = rand() % selectors[fx];
        const Shade &shade = shades[fx][stepper];
        float v = (rand() % shade.range) / 100.0;
        mcol[i] = v * shade.red;
        mcol[i + 1] = v * shade.green;
        mcol[i + 2] = shade.halvesblue ? mcol[i + 2] * 0.5f : v * shade.blue;
    }
}

void changefx()
{
    fx = fx + 1;
    if (fx > maxfx)
        fx = 0;
    setoutline(outlines[fx][0], outlines[fx][1]);
    doblockz();
    recolour();
    changer = 0;
}
