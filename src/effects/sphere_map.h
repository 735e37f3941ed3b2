// Sphere-mapped texturing: texture coordinates generated from the normals (the base state sets the
// generation mode), so the bound picture shows as a reflection of the surroundings. Shared by the
// mesh rings and the twisted column.
#pragma once

struct Mesh;

// Switches S and T generation on and off.
void begin_sphere_mapping();
void end_sphere_mapping();

// All faces of the mesh in one indexed batch of triangles under the caller's texture, colour,
// blending and matrices, mirroring the bound picture.
void draw_mesh_sphere_mapped(const Mesh& mesh);
