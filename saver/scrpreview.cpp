// SPDX-License-Identifier: MIT
// The Windows screensaver's live preview. The screen saver settings start
// lumbox.scr with /p and the handle of their little monitor's window; the
// saver makes a child window of it in its own process, filling it, hands
// that to the SDL 1.2 layer as the window to draw in, and draws the same
// frames as full screen, the 800x600 picture scaled into it at 4:3. The
// settings keep the mouse and keys; the saver ends once their window goes.
#include "scrpreview.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "rungltest.h"
#include "saverloop.h"

static const char previewclass[] = "lumbox preview";
static const int idsize = 24;  // bytes of a window handle in decimal
static char id[idsize];
static HWND settings;  // the settings' window the preview fills

static bool settingsshown()
{
    return IsWindow(settings);
}

// The handle Windows passes, in decimal; null for anything else.
static HWND readhandle(const char *text)
{
    if (text == nullptr || text[0] < '0' || text[0] > '9')
        return nullptr;
    char *end;
    unsigned long long value = strtoull(text, &end, 10);
    if (*end != '\0')
        return nullptr;
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(value));
}

// The SDL 1.2 layer reads the process's environment block, SDL 2 under it
// the C runtime's copy of it, so a variable goes into both.
static void setvariable(const char *name, const char *value)
{
    SetEnvironmentVariableA(name, value);
    _putenv_s(name, value);
}

int preview(const char *handle)
{
    settings = readhandle(handle);
    if (settings == nullptr || !IsWindow(settings)) {
        fprintf(stderr, "lumbox.scr: /p %s names no window: the screen saver settings start it with /p and "
                        "the handle of their preview's window\n", handle ? handle : "without a handle");
        return 1;
    }

    // SDL hands each message of a window it did not make on to the
    // window's own procedure and answers with its result, so Windows'
    // default one has the last word: over the preview the pointer is the
    // settings' (their own, or the arrow), not the saver's transparent one.
    WNDCLASSA previewwindows = {};
    previewwindows.style = CS_OWNDC;  // OpenGL keeps one device context
    previewwindows.lpfnWndProc = DefWindowProcA;
    previewwindows.hInstance = GetModuleHandleA(nullptr);
    previewwindows.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    previewwindows.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    previewwindows.lpszClassName = previewclass;
    RECT area;
    HWND window = nullptr;
    if (RegisterClassA(&previewwindows) && GetClientRect(settings, &area))
        window = CreateWindowExA(0, previewclass, "lumbox", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0,
                                 area.right, area.bottom, settings, nullptr, previewwindows.hInstance, nullptr);
    if (window == nullptr) {
        fprintf(stderr, "lumbox.scr: no preview window in window %s (Windows error %lu)\n", handle,
                GetLastError());
        return 1;
    }

    // SDL draws into a window it did not make, and with OpenGL only when
    // told the window is fit for it.
    snprintf(id, sizeof id, "%llu", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window)));
    setvariable("SDL_WINDOWID", id);
    setvariable("SDL_VIDEO_FOREIGN_WINDOW_OPENGL", "1");
    showninside(settingsshown);
    return RunGLTest();
}
