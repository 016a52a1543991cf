// SPDX-License-Identifier: MIT
// Process entry. SDL 1.2 programs provide SDL_main and, on systems where
// SDL's headers rename main, the library's wrapper calls it; elsewhere (as on
// Linux) the main below does.
#include "SDL.h"
#include "rungltest.h"

extern "C" int SDL_main(int argc, char *argv[])
{
    (void)argc;  // the demo takes no options
    (void)argv;
    RunGLTest();
    return 0;
}

#ifndef main
int main(int argc, char *argv[])
{
    return SDL_main(argc, argv);
}
#endif
