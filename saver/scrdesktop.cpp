// SPDX-License-Identifier: MIT
// The Windows screensaver's hold on the whole desktop. The picture fills the
// primary monitor; every other monitor gets a black topmost window with no
// pointer, so nothing of the user's desktop stays in view. Windows says
// where the pointer is at start, so the first motion that takes it further
// than the wake distance ends the saver, over the picture or over a cover.
// Where the pointer cannot follow the mouse (held at the picture's edge by
// SDL's full-screen grab), the mouse's own motion, from raw input, wakes
// it the same way.
#include "scrdesktop.h"

#include <windows.h>

#include <cstdlib>

#include "mode.h"
#include "saverloop.h"

static const char coverclass[] = "lumbox cover";
static const char motionclass[] = "lumbox motion";
static const USHORT genericdesktop = 1;  // HID usage page of pointers, mice and keyboards
static const USHORT mouseusage = 2;      // the mouse on that page

static POINT startpointer;  // the pointer at start, in screen pixels
static int picturewidth = modewidth;  // the picture's width on the primary monitor, in screen pixels
static long mousex, mousey;  // the mouse's own motion since start, in screen pixels
static bool mousereported;   // whether raw input has reported a motion yet

// True when a move of dx, dy screen pixels is more than the wake distance,
// in pixels of the display mode as the picture shows them.
static bool beyondwake(long dx, long dy)
{
    return labs(dx) * modewidth > wakedistance * picturewidth || labs(dy) * modewidth > wakedistance * picturewidth;
}

// True when the pointer at `now` has moved beyond the wake distance from
// where it started.
static bool movedaway(POINT now)
{
    return beyondwake(now.x - startpointer.x, now.y - startpointer.y);
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

// The mouse's motion as raw input reports it, whatever the pointer does.
// Moves given as a place rather than a motion (tablets, remote desktops)
// are left to the pointer's watch. Wine reports the pointer's whole place
// as the first motion after registering, so the first motion counts for
// nothing (elsewhere it is a mouse's smallest step); the reports of no
// motion that come with each move add nothing.
static LRESULT CALLBACK mousemotion(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_INPUT) {
        RAWINPUT input;
        UINT size = sizeof input;
        if (GetRawInputData(reinterpret_cast<HRAWINPUT>(lparam), RID_INPUT, &input, &size,
                            sizeof input.header) != static_cast<UINT>(-1) &&
            input.header.dwType == RIM_TYPEMOUSE && !(input.data.mouse.usFlags & MOUSE_MOVE_ABSOLUTE)) {
            long dx = input.data.mouse.lLastX, dy = input.data.mouse.lLastY;
            if (!mousereported && (dx != 0 || dy != 0)) {
                mousereported = true;
            } else {
                mousex += dx;
                mousey += dy;
                if (beyondwake(mousex, mousey))
                    userisback();
            }
        }
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

// Raw input of the mouse, wherever the focus is, to a window that only
// takes messages; they reach mousemotion as SDL pumps the thread's
// messages each frame.
static void watchmouse()
{
    WNDCLASSA motionwindows = {};
    motionwindows.lpfnWndProc = mousemotion;
    motionwindows.hInstance = GetModuleHandleA(nullptr);
    motionwindows.lpszClassName = motionclass;
    if (!RegisterClassA(&motionwindows))
        return;
    RAWINPUTDEVICE mouse = {};
    mouse.usUsagePage = genericdesktop;
    mouse.usUsage = mouseusage;
    mouse.dwFlags = RIDEV_INPUTSINK;
    mouse.hwndTarget = CreateWindowExA(0, motionclass, "lumbox", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                       motionwindows.hInstance, nullptr);
    if (mouse.hwndTarget)
        RegisterRawInputDevices(&mouse, 1, sizeof mouse);
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
    watchmouse();
}
