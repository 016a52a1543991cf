// SPDX-License-Identifier: MIT
// What the web layer asks of the OpenGL layer (gllayer.cpp) besides the
// OpenGL calls themselves.
#pragma once

// After the WebGL context was lost and given back: makes the layer's
// shader program and buffer again on the next draw, and drops the errors
// the lost context still had to report. The matrices and the shade model
// are the layer's own and were never lost.
void remakegl();
