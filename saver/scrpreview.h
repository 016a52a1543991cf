// SPDX-License-Identifier: MIT
// The Windows screensaver's live preview in the screen saver settings
// (scrpreview.cpp).
#pragma once

// Draws the saver's frames into a window of its own that fills the
// settings' window named by `handle` (its handle in decimal, as Windows
// passes it after /p), until that window is gone. Returns the process's
// status: 0 then, 1 with a line on standard error when `handle` is missing
// or names no window.
int preview(const char *handle);
