// Sphere-mapped texturing: texture coordinates generated from the normals, so the bound picture
// shows as a reflection of the surroundings. Shared by the meshes and the twisted column.
#pragma once

// Sets S and T generation to GL_SPHERE_MAP and enables both. If GL refuses either mode the show
// cannot draw its reflections: the program ends with status 1 and one line naming the GL error.
void begin_sphere_mapping();

// Disables S and T generation again.
void end_sphere_mapping();
