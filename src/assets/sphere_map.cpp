// Sphere-mapped texturing, with the set-up checked: a driver that refuses it ends the show.
#include "assets/sphere_map.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>

static void set_sphere_map(GLenum coordinate, const char* name)
{
    glTexGeni(coordinate, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    GLenum error = glGetError();
    if (error != GL_NO_ERROR) {
        std::fprintf(stderr, "ninescenes: cannot set up sphere mapping of %s: GL error 0x%04x\n", name, error);
        std::exit(1);
    }
}

void begin_sphere_mapping()
{
    set_sphere_map(GL_S, "S");
    set_sphere_map(GL_T, "T");
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
}

void end_sphere_mapping()
{
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
}
