// Stands in front of the GL calls through which the show sends numbers (vertices, texture
// coordinates, normals, colours, matrices) and counts every value that is not finite before
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
