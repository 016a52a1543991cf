// SPDX-License-Identifier: MIT
// The WebGL state the viewer sets (viewport, enabled tests, depth and blend
// functions, clear colour): each call reaches WebGL unchanged and is kept
// here too, to be set again in a context that was lost and given back.
#include "glstate.h"

#include <GLES2/gl2.h>

// WebGL's own calls, under the names Emscripten also gives them.
extern "C" {
void emscripten_glViewport(GLint x, GLint y, GLsizei width, GLsizei height);
void emscripten_glEnable(GLenum cap);
void emscripten_glDisable(GLenum cap);
void emscripten_glDepthFunc(GLenum func);
void emscripten_glBlendFunc(GLenum sfactor, GLenum dfactor);
void emscripten_glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha);
}

// The state as the program set it, or as GL starts it.
static GLint viewport[4];
static bool viewportset;
static const int trackedcaps = 8;  // more than the program ever touches
static struct {
    GLenum cap;
    bool on;
} caps[trackedcaps];
static int capcount;
static GLenum depthfunc = GL_LESS;
static GLenum blendsource = GL_ONE, blenddestination = GL_ZERO;
static GLclampf clearcolour[4];

// Records whether cap is on; a cap beyond the table is passed on unkept.
static void setcap(GLenum cap, bool on)
{
    int k = 0;
    while (k < capcount && caps[k].cap != cap)
        k++;
    if (k == capcount && capcount < trackedcaps)
        caps[capcount++].cap = cap;
    if (k < capcount)
        caps[k].on = on;
}

extern "C" {

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height)
{
    viewport[0] = x;
    viewport[1] = y;
    viewport[2] = width;
    viewport[3] = height;
    viewportset = true;
    emscripten_glViewport(x, y, width, height);
}

void glEnable(GLenum cap)
{
    setcap(cap, true);
    emscripten_glEnable(cap);
}

void glDisable(GLenum cap)
{
    setcap(cap, false);
    emscripten_glDisable(cap);
}

void glDepthFunc(GLenum func)
{
    depthfunc = func;
    emscripten_glDepthFunc(func);
}

void glBlendFunc(GLenum sfactor, GLenum dfactor)
{
    blendsource = sfactor;
    blenddestination = dfactor;
    emscripten_glBlendFunc(sfactor, dfactor);
}

void glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha)
{
    clearcolour[0] = red;
    clearcolour[1] = green;
    clearcolour[2] = blue;
    clearcolour[3] = alpha;
    emscripten_glClearColor(red, green, blue, alpha);
}

}  // extern "C"

void reapplyglstate()
{
    if (viewportset)
        emscripten_glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
    for (int k = 0; k < capcount; k++)
        (caps[k].on ? emscripten_glEnable : emscripten_glDisable)(caps[k].cap);
    emscripten_glDepthFunc(depthfunc);
    emscripten_glBlendFunc(blendsource, blenddestination);
    emscripten_glClearColor(clearcolour[0], clearcolour[1], clearcolour[2], clearcolour[3]);
}
