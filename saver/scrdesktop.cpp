// SPDX-License-Identifier: MIT
// The Windows screensaver's hold on the whole desktop. The picture fills the
// primary monitor; every other monitor gets a black topmost window with no
// pointer, so nothing of the user's desktop stays in view. Windows says
// where the pointer is at start, so the first motion that takes it further
// than the wake distance ends the saver, over the picture or over a cover.
#include "scrdesktop.h"

#include <windows.h>

#include <cstdlib>

#include "mode.h"
#include "saverloop.h"

static const char coverclass[] = "lumbox cover";

static POINT startpointer;  // the pointer at start, in screen pixels
static int picturewidth = modewidth;  // the picture's width on the primary monitor, in screen pixels

// True when the pointer at `now` is more than the wake distance, in pixels
// of the display mode as the picture shows them, from where it started.
static bool movedaway(POINT now)
{
    return abs(now.x - startpointer.x) * modewidth > wakedistance * picturewidth ||
           abs(now.y - startpointer.y) * modewidth > wakedistance * picturewidth;
}

// The covers take no focus, so keys keep going to the picture; motion,
// buttons and any key that still reaches a cover end the saver. (While SDL
// holds its full-screen grab the pointer stays on the primary monitor, so
// this is for when the grab lets go.)
static LRESULT CALLBACK coverinput(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_SETCURSOR:
        SetCursor(nullptr);
        return TRUE;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_MOUSEMOVE: {
        POINT now;
        if (GetCursorPos(&now) && movedaway(now))
            userisback();
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        userisback();
        return 0;
    default:
        return DefWindowProcA(window, message, wparam, lparam);
    }
}

// A black topmost window over one monitor other than the primary. Its
// messages reach coverinput as SDL pumps the thread's messages each frame.
static BOOL CALLBACK cover(HMONITOR monitor, HDC, LPRECT, LPARAM)
{
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info) || (info.dwFlags & MONITORINFOF_PRIMARY))
        return TRUE;
    const RECT &r = info.rcMonitor;
    HWND window = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, coverclass, "lumbox",
                                  WS_POPUP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window)
        ShowWindow(window, SW_SHOWNOACTIVATE);
    return TRUE;
}

// A screen position as a pixel of the display mode: as the SDL 1.2 layer
// maps the pointer onto the picture, clamped to its edges.
static int modepixel(long at, long picturefrom, long picturesize, int modesize)
{
    long pixel = (at - picturefrom) * modesize / picturesize;
    return static_cast<int>(pixel < 0 ? 0 : pixel > modesize ? modesize : pixel);
}

void coverdesktop()
{
    // The picture: the 800x600 mode scaled as large as the primary monitor
    // holds at 4:3, centred between black bars. Where Windows cannot say
    // where the pointer is, the saver's first motion event tells.
    MONITORINFO primary = {};
    primary.cbSize = sizeof primary;
    const RECT &m = primary.rcMonitor;
    if (GetMonitorInfoA(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &primary) &&
        m.right > m.left && m.bottom > m.top && GetCursorPos(&startpointer)) {
        long width = m.right - m.left, height = m.bottom - m.top;
        long pictureheight = height;
        picturewidth = static_cast<int>(width);
        if (width * modeheight > height * modewidth)
            picturewidth = static_cast<int>(height * modewidth / modeheight);
        else
            pictureheight = width * modeheight / modewidth;
        pointerstartsat(modepixel(startpointer.x, m.left + (width - picturewidth) / 2, picturewidth, modewidth),
                        modepixel(startpointer.y, m.top + (height - pictureheight) / 2, pictureheight, modeheight));
    }

    WNDCLASSA coverwindows = {};
    coverwindows.lpfnWndProc = coverinput;
    coverwindows.hInstance = GetModuleHandleA(nullptr);
    coverwindows.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    coverwindows.lpszClassName = coverclass;
    if (RegisterClassA(&coverwindows))
        EnumDisplayMonitors(nullptr, nullptr, cover, 0);
}
