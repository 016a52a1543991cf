// SPDX-License-Identifier: MIT
// How a set-up failure reaches the user: the desktop's way in
// setupfailure.cpp here, Windows' in windows/, a browser's in web/.
#pragma once

// Prints the line made from FORMAT (which ends in a newline) on standard
// error, shuts SDL down if it had started and ends the process with
// status 1. On Windows the line also shows in a message box, and the
// process ends once it is closed. In a browser the page shows it.
[[noreturn]] void setupfailed(const char *format, ...) __attribute__((format(printf, 1, 2)));
