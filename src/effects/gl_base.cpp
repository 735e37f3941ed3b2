// The base GL state, set once in a new context, and the pieces of it that effects put back.
#include "effects/gl_base.h"

#include <cstdio>
#include <cstdlib>

static void set_sphere_map(GLenum coordinate, const char* name)
{
    glTexGeni(coordinate, GL_TEXTURE_GEN_MODE, base_texture_generation);
    GLenum error = glGetError();
    if (error != GL_NO_ERROR) {
        std::fprintf(stderr, "ninescenes: cannot set up sphere mapping of %s: GL error 0x%04x\n", name, error);
        std::exit(1);
    }
}

void set_gl_base_state()
{
    glClearColor(0.6f, 0.67f, 0.84f, 0.5f);
    glClearDepth(1.0);
    glDepthFunc(base_depth_function);
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
    glShadeModel(GL_SMOOTH);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, base_texture_environment);
    glBindTexture(GL_TEXTURE_2D, 0);
    set_sphere_map(GL_S, "S");
    set_sphere_map(GL_T, "T");
    glCullFace(base_cull_face);
    glAlphaFunc(base_alpha_function, base_alpha_reference);
    restore_base_blending();
    restore_base_colour();
    restore_base_matrices();
}

void restore_base_blending()
{
    glDisable(GL_BLEND);
    glBlendFunc(base_blend_source, base_blend_destination);
}

void restore_base_colour() { glColor4fv(base_colour); }

void restore_base_matrices()
{
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
