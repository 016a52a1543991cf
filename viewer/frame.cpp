// SPDX-License-Identifier: MIT
// One frame of the demo: the view from the camera and mouse, the field drawn
// as additively blended quads, and the per-frame error reports.
#include "frame.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>

#include "SDL.h"
#include "camera.h"
#include "field.h"
#include "input.h"
#include "presets.h"

// World units of eye shift per unit of mouse offset.
static const double mousescale = 40.0;

// Looks from this frame's eye, shifted by the mouse, at this frame's
// look-at point, with y up.
static void setview()
{
    glLoadIdentity();
    gluLookAt(cax + sx / mousescale, cay + sy / mousescale, caz,
              lox, loy, loz,
              0, 1, 0);
}

// Sends every block as one quad, blended additively over what is drawn.
static void drawfield()
{
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glBegin(GL_QUADS);
    for (int i = 0; i < fieldslots; i += 4) {
        glColor3f(mcol[i], mcol[i + 1], mcol[i + 2]);
        glVertex3fv(mmix[i]);
        glVertex3fv(mmix[i + 1]);
        glVertex3fv(mmix[i + 2]);
        glVertex3fv(mmix[i + 3]);
    }
    glEnd();
    glDisable(GL_BLEND);
    glMatrixMode(GL_MODELVIEW);
}

// Prints the frame's first GL error and any SDL error text, then goes on.
static void reporterrors()
{
    GLenum gl_error = glGetError();
    if (gl_error != GL_NO_ERROR)
        fprintf(stderr, "lumbox: OpenGL error: %d\n", static_cast<int>(gl_error));
    const char *sdl_error = SDL_GetError();
    if (sdl_error[0] != '\0') {
        fprintf(stderr, "lumbox: SDL error '%s'\n", sdl_error);
        SDL_ClearError();
    }
}

int drawframe()
{
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    camerastep();
    setview();
    if (changer == 1)
        changefx();
    drawfield();
    mouseoffset();
    SDL_GL_SwapBuffers();
    reporterrors();
    return pollevents();
}
