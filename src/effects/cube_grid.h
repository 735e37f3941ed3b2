// The cube shared by the wobbling and the bulging cube: six faces of 21 × 21 vertices, rebuilt flat
// every frame, deformed by its effect, shaded with face normals and mirror directions, drawn twice.
#pragma once

#include <GL/gl.h>

constexpr int cube_faces = 6;
constexpr int cube_side = 21;  // vertices along a face's row or column
constexpr int cube_cells = cube_side - 1;
// Both cubes run on T, ten times their scene's seconds, as a float.
constexpr float cube_time_scale = 10.0f;

struct CubePoint {
    float x, y, z;
};

// One grid vertex: eleven floats, position, texture coordinates, face normal, mirror direction.
struct CubeVertex {
    CubePoint position;  // the flat cube's, then overwritten by the deformed one
    float u, v;          // texture coordinates of the first pass
    CubePoint normal;    // of the cell that ends at this vertex; unset in row 0 and column 0
    CubePoint mirror;    // mirror direction, or on the border a copied face normal; the light lookup
};

// Face f, row j, column i is vertex[f][j][i]: face by face, each face row by row.
struct CubeGrid {
    CubeVertex vertex[cube_faces][cube_side][cube_side];
};

extern CubeGrid wobble_grid;
extern CubeGrid bulge_grid;

// Rz(γ)·Ry(β)·Rx(α), row-major: a point is turned about x first, then y, then z.
extern float rotation_matrix[9];

// Fills rotation_matrix for α about x, β about y and γ about z (radians).
void set_rotation(float alpha, float beta, float gamma);
// Both cubes swing back and forth as one; x_turn adds to the angle about x. T is ten times the
// scene's seconds.
void set_swinging_rotation(float T, float x_turn);
void rotate_point(CubePoint& p);

// The unit normal of (B − A) × (C − A); a degenerate triangle gets the fallback direction +z.
CubePoint face_normal(const CubePoint& a, const CubePoint& b, const CubePoint& c);

// The flat cube's positions and texture coordinates in every vertex; the other fields stay.
void reset_cube_grid(CubeGrid& grid);
// Face normals, the border's copied normals and the inner vertices' mirror directions towards the
// eye point (0, 0, 6), from the deformed positions.
void shade_cube_grid(CubeGrid& grid);
// The base texture opaque, then the light texture looked up by the mirror directions and blended by
// its alpha over the same triangles. Leaves texturing, depth test (GL_LEQUAL) and face culling on,
// blending off with (GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA), the colour white, the light texture bound.
void draw_cube_grid(const CubeGrid& grid, GLuint base_texture, GLuint light_texture);
