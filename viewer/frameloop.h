// SPDX-License-Identifier: MIT
// Frame driving: the one part of the demo's run that each platform supplies
// (the desktop's in frameloop.cpp here, the browser's in web/).
#pragma once

// Runs frames until one of them asks the program to end. The desktop draws
// them back to back and then returns. A browser calls them once per display
// refresh and never returns here: its last frame shuts SDL down itself.
void runframes();
