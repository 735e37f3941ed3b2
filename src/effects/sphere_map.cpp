// Sphere-mapped texturing, and the meshes drawn as mirrors with it.
#include "effects/sphere_map.h"

#include "assets/meshes.h"

#include <GL/gl.h>

void begin_sphere_mapping()
{
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
}

void end_sphere_mapping()
{
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
}

void begin_mirrored_mesh(const Mesh& mesh)
{
    begin_sphere_mapping();
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, mesh.vertices.data());
    glNormalPointer(GL_FLOAT, 0, mesh.normals.data());
}

void draw_mirrored_mesh(const Mesh& mesh)
{
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(mesh.indices.size()), GL_UNSIGNED_SHORT, mesh.indices.data());
}

void end_mirrored_mesh()
{
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    end_sphere_mapping();
}
