// SPDX-License-Identifier: MIT
// The screensaver's frame driving: the same frames as the demo's, with the
// preset steps that no click brings and an eye on the user's return.
#include "saverloop.h"

#include <cstdlib>

#include "SDL.h"
#include "frame.h"
#include "frameloop.h"
#include "presets.h"

static int userback;        // 1 once an event showed the user is back
static int pointerseen;     // 1 once the first position is known
static int pointerx, pointery;  // that first position
static bool (*stillshown)();    // in a preview: whether its window is still there

// Keys and the mouse, which a preview leaves to the program it shows in.
static bool isinput(Uint8 type)
{
    return type == SDL_KEYDOWN || type == SDL_KEYUP || type == SDL_MOUSEMOTION ||
           type == SDL_MOUSEBUTTONDOWN || type == SDL_MOUSEBUTTONUP;
}

// Watches every event as SDL queues it and lets it through, so the frame
// handles it as ever (a button press asks for a preset change that will
// never be drawn, as the saver ends first). A preview drops input instead.
static int watchuser(const SDL_Event *event)
{
    if (stillshown)
        return !isinput(event->type);
    switch (event->type) {
    case SDL_KEYDOWN:
    case SDL_MOUSEBUTTONDOWN:
        userback = 1;
        break;
    case SDL_MOUSEMOTION:
        if (!pointerseen) {
            pointerseen = 1;
            pointerx = event->motion.x;
            pointery = event->motion.y;
        } else if (abs(event->motion.x - pointerx) > wakedistance ||
                   abs(event->motion.y - pointery) > wakedistance) {
            userback = 1;
        }
        break;
    default:
        break;
    }
    return 1;
}

void pointerstartsat(int x, int y)
{
    pointerseen = 1;
    pointerx = x;
    pointery = y;
}

void userisback()
{
    userback = 1;
}

void showninside(bool (*shown)())
{
    stillshown = shown;
}

static bool windowgone()
{
    return stillshown && !stillshown();
}

void runframes()
{
    SDL_SetEventFilter(watchuser);
    int sincestep = 0;  // frames drawn since the last preset step
    while (!windowgone() && !drawframe() && !userback) {
        if (++sincestep == presetframes) {
            changer = 1;
            sincestep = 0;
        }
    }
}
