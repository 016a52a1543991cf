// SPDX-License-Identifier: MIT
// Display set-up: SDL video, an 800 x 600 full-screen OpenGL mode, the fixed
// projection and the GL state the frame loop relies on.
#pragma once

extern int bpp;          // colour depth asked of the mode: 8 or 16 bits per pixel
extern int rgb_size[3];  // red, green, blue bits asked of the framebuffer

// Picks bpp and rgb_size for a desktop of the given depth: 2/3/3 bits at
// depth 8 on a desktop of 8 bits or less, 5/5/5 at depth 16 on any deeper one.
void choosedepth(int desktopbits);

// Starts SDL video and opens the OpenGL mode. On failure gives the reason
// through setupfailed (setupfailure.h), which ends the process with status 1.
// Also refuses, the same way, an invisible video driver that SDL fell back
// to without being asked.
void opendisplay();
