// Sphere-mapped texturing: texture coordinates generated from the normals (the base state sets the
// generation mode), so the bound picture shows as a reflection of the surroundings. Shared by the
// mesh rings and the twisted column.
#pragma once

struct Mesh;

// Switches S and T generation on and off.
void begin_sphere_mapping();
void end_sphere_mapping();

// A mesh mirroring the bound picture: begin_mirrored_mesh switches sphere mapping on and points GL
// at the mesh's vertices and normals; each draw_mirrored_mesh then sends all its faces in one
// indexed batch of triangles under the current matrices, as often as there are copies to draw;
// end_mirrored_mesh switches it all off again.
void begin_mirrored_mesh(const Mesh& mesh);
void draw_mirrored_mesh(const Mesh& mesh);
void end_mirrored_mesh();
