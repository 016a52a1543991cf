// SPDX-License-Identifier: MIT
// The OpenGL 1.1 and GLU calls the viewer makes that WebGL lacks, drawn
// with WebGL: a projection and a modelview matrix, and quads gathered
// between glBegin and glEnd and sent as triangles in one buffer. The rest
// (viewport, clear, depth test, blending) is WebGL's own and reaches it
// through glstate.cpp; errors are this layer's and WebGL's.
#include "gllayer.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <GLES2/gl2.h>

#include <cstddef>
#include <cstdio>

#include "glmatrix.h"

// WebGL's own error query, under the name Emscripten also gives it.
extern "C" GLenum emscripten_glGetError(void);

// WebGL's report of a lost context, which is no fault of the program's.
static const GLenum contextlostwebgl = 0x9242;

// The viewer never pushes a matrix, so each stack is its top alone.
enum { projection, modelview, matrixmodes };
static float matrices[matrixmodes][16] = {
    {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1},
    {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1},
};
static int matrixmode = modelview;

static GLenum shademodel = GL_SMOOTH;
static GLenum layererror = GL_NO_ERROR;  // first error of this layer's own calls

// One vertex as the shader reads it: position, then colour.
struct Vertex {
    float x, y, z;
    float red, green, blue;
};

static const int quadcorners = 4;
static const int trianglesperquad = 2;
// Quads per draw call: the whole field (1249 blocks) in one; more are sent
// in further calls.
static const int batchquads = 2048;

static Vertex batch[batchquads * trianglesperquad * 3];
static int batchvertices;
static Vertex corners[quadcorners];  // the quad being given
static int cornercount;
static bool inside;                  // between glBegin and glEnd
static float colour[3] = {1, 1, 1};

static GLuint program, buffer;
static GLint transformat;
static const GLuint positionattribute = 0, colourattribute = 1;

static void seterror(GLenum error)
{
    if (layererror == GL_NO_ERROR)
        layererror = error;
}

static const char *vertexshader =
    "uniform mat4 transform;\n"
    "attribute vec3 position;\n"
    "attribute vec3 colour;\n"
    "varying vec3 shade;\n"
    "void main() {\n"
    "    shade = colour;\n"
    "    gl_Position = transform * vec4(position, 1.0);\n"
    "}\n";
static const char *fragmentshader =
    "precision mediump float;\n"
    "varying vec3 shade;\n"
    "void main() { gl_FragColor = vec4(shade, 1.0); }\n";

static GLuint compile(GLenum type, const char *source)
{
    GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[512] = "";
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        fprintf(stderr, "lumbox: shader does not compile: %s\n", log);
    }
    return shader;
}

// Builds the shader program and the vertex buffer on the first draw, when
// the display's context exists.
static void prepare()
{
    if (program)
        return;
    program = glCreateProgram();
    glAttachShader(program, compile(GL_VERTEX_SHADER, vertexshader));
    glAttachShader(program, compile(GL_FRAGMENT_SHADER, fragmentshader));
    glBindAttribLocation(program, positionattribute, "position");
    glBindAttribLocation(program, colourattribute, "colour");
    glLinkProgram(program);
    transformat = glGetUniformLocation(program, "transform");
    glGenBuffers(1, &buffer);
}

// Draws the gathered triangles with projection * modelview and empties
// the batch.
static void flush()
{
    if (batchvertices == 0)
        return;
    prepare();
    float transform[16];
    for (int i = 0; i < 16; i++)
        transform[i] = matrices[projection][i];
    matmultiply(transform, matrices[modelview]);

    glUseProgram(program);
    glUniformMatrix4fv(transformat, 1, GL_FALSE, transform);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, batchvertices * sizeof(Vertex), batch, GL_STREAM_DRAW);
    glEnableVertexAttribArray(positionattribute);
    glEnableVertexAttribArray(colourattribute);
    glVertexAttribPointer(positionattribute, 3, GL_FLOAT, GL_FALSE, sizeof(Vertex),
                          reinterpret_cast<const void *>(offsetof(Vertex, x)));
    glVertexAttribPointer(colourattribute, 3, GL_FLOAT, GL_FALSE, sizeof(Vertex),
                          reinterpret_cast<const void *>(offsetof(Vertex, red)));
    glDrawArrays(GL_TRIANGLES, 0, batchvertices);
    batchvertices = 0;
}

// Adds the finished quad as triangles 0-1-2 and 0-2-3. Flat shading gives
// every corner the colour of the last, as GL does for quads.
static void addquad()
{
    if (batchvertices == static_cast<int>(sizeof batch / sizeof batch[0]))
        flush();
    static const int order[trianglesperquad * 3] = {0, 1, 2, 0, 2, 3};
    for (int corner : order) {
        Vertex v = corners[corner];
        if (shademodel == GL_FLAT) {
            v.red = corners[quadcorners - 1].red;
            v.green = corners[quadcorners - 1].green;
            v.blue = corners[quadcorners - 1].blue;
        }
        batch[batchvertices++] = v;
    }
}

extern "C" {

void glMatrixMode(GLenum mode)
{
    if (mode == GL_PROJECTION)
        matrixmode = projection;
    else if (mode == GL_MODELVIEW)
        matrixmode = modelview;
    else
        seterror(GL_INVALID_ENUM);
}

void glLoadIdentity(void)
{
    matidentity(matrices[matrixmode]);
}

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble znear, GLdouble zfar)
{
    matperspective(matrices[matrixmode], fovy, aspect, znear, zfar);
}

void gluLookAt(GLdouble eyex, GLdouble eyey, GLdouble eyez,
               GLdouble centrex, GLdouble centrey, GLdouble centrez,
               GLdouble upx, GLdouble upy, GLdouble upz)
{
    matlookat(matrices[matrixmode], eyex, eyey, eyez, centrex, centrey, centrez, upx, upy, upz);
}

void glShadeModel(GLenum mode)
{
    if (mode == GL_FLAT || mode == GL_SMOOTH)
        shademodel = mode;
    else
        seterror(GL_INVALID_ENUM);
}

// Only quads are drawn here.
void glBegin(GLenum mode)
{
    if (inside)
        seterror(GL_INVALID_OPERATION);
    else if (mode != GL_QUADS)
        seterror(GL_INVALID_ENUM);
    else {
        inside = true;
        cornercount = 0;
    }
}

void glColor3f(GLfloat red, GLfloat green, GLfloat blue)
{
    colour[0] = red;
    colour[1] = green;
    colour[2] = blue;
}

void glVertex3fv(const GLfloat *v)
{
    if (!inside)
        return;
    corners[cornercount++] = Vertex{v[0], v[1], v[2], colour[0], colour[1], colour[2]};
    if (cornercount == quadcorners) {
        addquad();
        cornercount = 0;
    }
}

// Draws the quads given since glBegin; corners of an unfinished quad are
// dropped.
void glEnd(void)
{
    if (!inside) {
        seterror(GL_INVALID_OPERATION);
        return;
    }
    inside = false;
    flush();
}

// This layer's first error, else WebGL's; a lost context is none.
GLenum glGetError(void)
{
    GLenum error = layererror;
    layererror = GL_NO_ERROR;
    if (error == GL_NO_ERROR)
        error = emscripten_glGetError();
    return error == contextlostwebgl ? GL_NO_ERROR : error;
}

}  // extern "C"

void remakegl()
{
    program = 0;
    buffer = 0;
    // What the lost context still had to report belongs to it. GL keeps
    // one flag per kind of error, fewer than this.
    const int errorflags = 8;
    for (int k = 0; k < errorflags && emscripten_glGetError() != GL_NO_ERROR; k++) {
    }
}
