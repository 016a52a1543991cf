/* SPDX-License-Identifier: MIT */
/* A stand-in for Windows' screen saver settings: its 152x112 child gets
 * SAVER /p <child's handle>. 3 s after a window shows in the child, prints
 * "running 1" if the saver runs, "window WxH+X+Y" for each of its windows
 * there, destroys the child and prints "ended STATUS after MS ms" (259:
 * still running after 5 s, when it ends the saver). */
#include <windows.h>
#include <stdio.h>

static PROCESS_INFORMATION saver;

/* Handles this thread's messages for ms milliseconds, or until the saver ends. */
static void pump(DWORD ms)
{
    DWORD from = GetTickCount();
    MSG msg;
    while (GetTickCount() - from < ms && MsgWaitForMultipleObjects(1, &saver.hProcess, FALSE, ms - (GetTickCount() - from),
                                                                   QS_ALLINPUT) == WAIT_OBJECT_0 + 1)
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
}

int main(int argc, char *argv[])
{
    HWND dialog = CreateWindowA("STATIC", "settings", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, NULL, NULL, NULL, NULL);
    HWND monitor = CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 20, 20, 152, 112, dialog, NULL, NULL, NULL);
    STARTUPINFOA start = {.cb = sizeof start};
    char line[MAX_PATH + 40];
    snprintf(line, sizeof line, "\"%s\" /p %llu", argc > 1 ? argv[1] : "", (unsigned long long)(UINT_PTR)monitor);
    if (!monitor || !CreateProcessA(NULL, line, NULL, NULL, FALSE, 0, NULL, NULL, &start, &saver))
        return 2;
    for (int tenth = 0; tenth < 300 && !GetWindow(monitor, GW_CHILD); tenth++)
        pump(100);
    pump(3000);
    printf("running %d\n", WaitForSingleObject(saver.hProcess, 0) == WAIT_TIMEOUT);
    for (HWND window = GetWindow(monitor, GW_CHILD); window; window = GetWindow(window, GW_HWNDNEXT)) {
        DWORD process; RECT r;
        GetWindowThreadProcessId(window, &process);
        GetWindowRect(window, &r);
        MapWindowPoints(HWND_DESKTOP, monitor, (POINT *)&r, 2);
        if (process == saver.dwProcessId)
            printf("window %ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
    }
    DestroyWindow(monitor);
    DWORD from = GetTickCount(), status;
    pump(5000);
    GetExitCodeProcess(saver.hProcess, &status);
    printf("ended %lu after %lu ms\n", status, GetTickCount() - from);
    TerminateProcess(saver.hProcess, status);
    return 0;
}
