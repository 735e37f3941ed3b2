// Stands in front of the GL calls through which the show sends numbers (vertices, texture
// coordinates, normals and colours, one by one or from client arrays; matrices) and counts every value that is not finite before
// handing the call on: a NaN that GL would quietly clip away still shows here. The show's calls,
// and GLU's, bind to these definitions because the test program defines them.
#include "gl_value_check.h"

#include <GL/gl.h>
#include <dlfcn.h>

#include <atomic>
#include <cmath>

static std::atomic<long> nonfinite{0};

long nonfinite_gl_values() { return nonfinite; }

template <typename... Values> static void check(Values... values)
{
    if (!(std::isfinite(static_cast<double>(values)) && ...))
        ++nonfinite;
}

template <typename Value> static void check_array(const Value* values, int count)
{
    for (int i = 0; i < count; ++i)
        check(values[i]);
}

// The library's own entry point of the same name.
template <typename Function> static Function library(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

#define NINESCENES_CHECKED_CALL(name, parameters, arguments, checks) \
    extern "C" void name parameters                                  \
    {                                                                \
        checks;                                                      \
        static auto forward = library<void(*) parameters>(#name);    \
        forward arguments;                                           \
    }

NINESCENES_CHECKED_CALL(glVertex2f, (GLfloat x, GLfloat y), (x, y), check(x, y))
NINESCENES_CHECKED_CALL(glVertex3f, (GLfloat x, GLfloat y, GLfloat z), (x, y, z), check(x, y, z))
NINESCENES_CHECKED_CALL(glVertex3d, (GLdouble x, GLdouble y, GLdouble z), (x, y, z), check(x, y, z))
NINESCENES_CHECKED_CALL(glVertex3fv, (const GLfloat* v), (v), check_array(v, 3))
NINESCENES_CHECKED_CALL(glTexCoord2f, (GLfloat s, GLfloat t), (s, t), check(s, t))
NINESCENES_CHECKED_CALL(glTexCoord2d, (GLdouble s, GLdouble t), (s, t), check(s, t))
NINESCENES_CHECKED_CALL(glTexCoord3f, (GLfloat s, GLfloat t, GLfloat r), (s, t, r), check(s, t, r))
NINESCENES_CHECKED_CALL(glNormal3d, (GLdouble x, GLdouble y, GLdouble z), (x, y, z), check(x, y, z))
NINESCENES_CHECKED_CALL(glNormal3fv, (const GLfloat* v), (v), check_array(v, 3))
NINESCENES_CHECKED_CALL(glColor3f, (GLfloat r, GLfloat g, GLfloat b), (r, g, b), check(r, g, b))
NINESCENES_CHECKED_CALL(glColor4f, (GLfloat r, GLfloat g, GLfloat b, GLfloat a), (r, g, b, a), check(r, g, b, a))
NINESCENES_CHECKED_CALL(glRasterPos2d, (GLdouble x, GLdouble y), (x, y), check(x, y))
NINESCENES_CHECKED_CALL(glRotatef, (GLfloat a, GLfloat x, GLfloat y, GLfloat z), (a, x, y, z), check(a, x, y, z))
NINESCENES_CHECKED_CALL(glRotated, (GLdouble a, GLdouble x, GLdouble y, GLdouble z), (a, x, y, z), check(a, x, y, z))
NINESCENES_CHECKED_CALL(glTranslatef, (GLfloat x, GLfloat y, GLfloat z), (x, y, z), check(x, y, z))
NINESCENES_CHECKED_CALL(glTranslated, (GLdouble x, GLdouble y, GLdouble z), (x, y, z), check(x, y, z))
NINESCENES_CHECKED_CALL(glScalef, (GLfloat x, GLfloat y, GLfloat z), (x, y, z), check(x, y, z))
NINESCENES_CHECKED_CALL(glMultMatrixd, (const GLdouble* m), (m), check_array(m, 16))
NINESCENES_CHECKED_CALL(glLoadMatrixf, (const GLfloat* m), (m), check_array(m, 16))
NINESCENES_CHECKED_CALL(glMultMatrixf, (const GLfloat* m), (m), check_array(m, 16))
NINESCENES_CHECKED_CALL(glColor4fv, (const GLfloat* v), (v), check_array(v, 4))

// The client arrays (all of floats in the show): where each points and whether it is switched on,
// so that a draw from them is checked vertex by vertex as it is sent.
struct ClientArray {
    GLenum name;
    bool on;
    int size;
    GLsizei stride;
    const GLvoid* pointer;
};
static ClientArray client_arrays[] = {
    {GL_VERTEX_ARRAY, false, 0, 0, nullptr},
    {GL_NORMAL_ARRAY, false, 3, 0, nullptr},
    {GL_COLOR_ARRAY, false, 0, 0, nullptr},
    {GL_TEXTURE_COORD_ARRAY, false, 0, 0, nullptr},
};

static ClientArray* client_array(GLenum name)
{
    for (ClientArray& a : client_arrays)
        if (a.name == name)
            return &a;
    return nullptr;
}

static void check_vertex(GLuint index)
{
    for (const ClientArray& a : client_arrays)
        if (a.on) {
            GLsizei stride = a.stride ? a.stride : static_cast<GLsizei>(a.size * sizeof(GLfloat));
            check_array(reinterpret_cast<const GLfloat*>(static_cast<const char*>(a.pointer) + index * stride), a.size);
        }
}

static void note_array(GLenum name, int size, GLenum type, GLsizei stride, const GLvoid* pointer)
{
    ClientArray* a = client_array(name);
    if (type != GL_FLOAT)
        ++nonfinite;  // not a type this check reads: fail rather than pass unread values
    a->size = size;
    a->stride = stride;
    a->pointer = pointer;
}

static void switch_array(GLenum name, bool on)
{
    if (ClientArray* a = client_array(name))
        a->on = on;
}

static void check_elements(GLsizei count, GLenum type, const GLvoid* indices)
{
    for (GLsizei i = 0; i < count; ++i)
        check_vertex(type == GL_UNSIGNED_SHORT ? static_cast<const GLushort*>(indices)[i]
                                               : static_cast<const GLuint*>(indices)[i]);
}

static void check_range(GLint first, GLsizei count)
{
    for (GLsizei i = 0; i < count; ++i)
        check_vertex(static_cast<GLuint>(first + i));
}

NINESCENES_CHECKED_CALL(glEnableClientState, (GLenum name), (name), switch_array(name, true))
NINESCENES_CHECKED_CALL(glDisableClientState, (GLenum name), (name), switch_array(name, false))
NINESCENES_CHECKED_CALL(glVertexPointer, (GLint size, GLenum type, GLsizei stride, const GLvoid* p),
                        (size, type, stride, p), note_array(GL_VERTEX_ARRAY, size, type, stride, p))
NINESCENES_CHECKED_CALL(glNormalPointer, (GLenum type, GLsizei stride, const GLvoid* p), (type, stride, p),
                        note_array(GL_NORMAL_ARRAY, 3, type, stride, p))
NINESCENES_CHECKED_CALL(glColorPointer, (GLint size, GLenum type, GLsizei stride, const GLvoid* p),
                        (size, type, stride, p), note_array(GL_COLOR_ARRAY, size, type, stride, p))
NINESCENES_CHECKED_CALL(glTexCoordPointer, (GLint size, GLenum type, GLsizei stride, const GLvoid* p),
                        (size, type, stride, p), note_array(GL_TEXTURE_COORD_ARRAY, size, type, stride, p))
NINESCENES_CHECKED_CALL(glDrawArrays, (GLenum mode, GLint first, GLsizei count), (mode, first, count),
                        check_range(first, count))
NINESCENES_CHECKED_CALL(glDrawElements, (GLenum mode, GLsizei count, GLenum type, const GLvoid* indices),
                        (mode, count, type, indices), check_elements(count, type, indices))
