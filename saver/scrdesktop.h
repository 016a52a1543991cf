// SPDX-License-Identifier: MIT
// The Windows screensaver's hold on the whole desktop (scrdesktop.cpp).
#pragma once

// Before the picture opens: black covers over every monitor but the
// primary one, where the picture goes, and the pointer's place at start
// handed to the saver's loop. Input over a cover ends the saver as input
// over the picture does, and so does the mouse's own motion (raw input)
// where SDL's grab keeps the pointer from following it.
void coverdesktop();
