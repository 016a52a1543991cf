// SPDX-License-Identifier: MIT
// Entry of lumbox.scr, the Windows screensaver. Windows starts it with /s
// to run full screen, /p HANDLE for the settings' little preview and /c (or
// nothing) for its settings; letters in either case, a handle after a colon
// or a space.
#include <windows.h>

#include <cctype>
#include <cstdio>

#include "SDL.h"
#include "rungltest.h"
#include "scrdesktop.h"
#include "scrpreview.h"

static const char boxtitle[] = "lumbox";
static const char nosettings[] = "lumbox has no settings.";
static const int linesize = 256;  // bytes of the unknown option's message
static char line[linesize];

// The option's letter in lower case, 'c' when there is none: "/s", "-S"
// and "/c:1234" give 's', 's' and 'c'; anything else gives 0.
static char optionletter(int argc, char *argv[])
{
    if (argc < 2)
        return 'c';
    const char *option = argv[1];
    if ((option[0] != '/' && option[0] != '-') || option[1] == '\0' ||
        (option[2] != '\0' && option[2] != ':'))
        return 0;
    return static_cast<char>(tolower(static_cast<unsigned char>(option[1])));
}

extern "C" int SDL_main(int argc, char *argv[])
{
    switch (optionletter(argc, argv)) {
    case 's':
        coverdesktop();
        RunGLTest();  // with the screensaver's frame driving (saverloop)
        return 0;
    case 'p':
        return preview(argv[1][2] == ':' ? argv[1] + 3 : argc > 2 ? argv[2] : nullptr);
    case 'c':
        MessageBoxA(nullptr, nosettings, boxtitle, MB_OK | MB_ICONINFORMATION);
        return 0;
    default:
        snprintf(line, sizeof line, "Unknown option %s: lumbox.scr takes /s, /p HANDLE or /c.", argv[1]);
        MessageBoxA(nullptr, line, boxtitle, MB_OK | MB_ICONERROR);
        return 1;
    }
}
