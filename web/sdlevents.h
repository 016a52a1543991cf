// SPDX-License-Identifier: MIT
// SDL's event queue for the browser (sdlevents.cpp).
#pragma once

// Starts queuing the page's pointer presses and moves over the canvas and
// its key presses, once the display exists.
void startevents();

// Stops queuing and empties the queue, once SDL has shut down.
void stopevents();
