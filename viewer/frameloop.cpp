// The desktop's frame driving: frames back to back until one asks to end.
#include "frameloop.h"

#include "frame.h"

void runframes()
{
    int done = 0;
    while (!done)
        done = drawframe();
}
