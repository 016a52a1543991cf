// SPDX-License-Identifier: MIT
// The screensaver's frame driving, shared by every screensaver entry: the
// demo's frames back to back, the presets stepping by themselves, and an
// end as soon as the user comes back.
#pragma once

// Frames between preset steps: three camera legs, about 15 s at 60 Hz.
// At the end of every presetframes-th frame the saver asks for the next
// preset, as a click polled there would, so frames 904, 1807, ... show
// presets 1, 2, 3, 4, 0 and round again.
const int presetframes = 903;

// How far the pointer may drift, in pixels of the display mode, from where
// it was first seen before the user counts as back.
const int wakedistance = 8;

// For an entry whose system can say where the pointer is before it moves
// (Windows): it starts at x, y, in pixels of the display mode, and the first
// motion further than wakedistance from there ends the saver. Without it
// the first motion event gives that place.
void pointerstartsat(int x, int y);

// For an entry that watches input of its own (Windows' covers of the other
// monitors): the user is back, and the saver ends after the frame under way.
void userisback();

// For an entry that draws into a window of another program's (Windows'
// preview in the screen saver settings): the keys and the mouse are that
// program's, so they neither end the saver nor reach the frames, and the
// saver ends instead, before drawing, once `shown` says the window is gone.
void showninside(bool (*shown)());

// runframes (frameloop.h) in the saver draws until an event asks to end, or
// (but in a preview) until the user is back: a key press, a mouse button,
// or the pointer moved more than wakedistance from where it was first seen.
