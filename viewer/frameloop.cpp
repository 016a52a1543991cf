// SPDX-License-Identifier: MIT
// The desktop's frame driving: frames back to back until one asks to end,
// with a wait in between while the display is minimised.
#include "frameloop.h"

#include "frame.h"
#include "input.h"

void runframes()
{
    int done = 0;
    while (!done) {
        done = drawframe();
        // Minimised, nobody sees the picture: draw no frame until it shows.
        if (!done && minimised)
            done = waitwhileminimised();
    }
}
