// The cube shared by the wobbling and the bulging cube: six faces of 21 × 21 vertices, rebuilt flat
// every frame, deformed by its effect, shaded with face normals and mirror directions, drawn twice.
#pragma once

#include "effects/matrix.h"

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

// Face f, row j, column i is vertex[f][j][i]: face by face, each face row by row. Beside each vertex,
// the light texture's coordinates of the second pass, worked out from its mirror direction.
struct CubeGrid {
    CubeVertex vertex[cube_faces][cube_side][cube_side];
    float light[cube_faces][cube_side][cube_side][2];
};

// Rz(γ)·Ry(β)·Rx(α), row-major: a point is turned about x first, then y, then z.
struct Rotation {
    float m[9];
};

// The turn by α about x, β about y and γ about z (radians).
Rotation rotation(float alpha, float beta, float gamma);
// Both cubes swing back and forth as one; x_turn adds to the angle about x. T is ten times the
// scene's seconds.
Rotation swinging_rotation(float T, float x_turn);
void rotate_point(const Rotation& r, CubePoint& p);

// The unit normal of (B − A) × (C − A); a degenerate triangle gets the fallback direction +z.
CubePoint face_normal(const CubePoint& a, const CubePoint& b, const CubePoint& c);

// The flat cube's positions and texture coordinates in every vertex; the other fields stay.
void reset_cube_grid(CubeGrid& grid);
// Face normals, the border's copied normals and the inner vertices' mirror directions towards the
// eye point (0, 0, 6), from the deformed positions, and the light texture's coordinates from them.
void shade_cube_grid(CubeGrid& grid);
// Under camera, back faces culled: the base texture opaque, then the light texture looked up by the
// mirror directions and blended by its alpha over the same triangles.
void draw_cube_grid(const CubeGrid& grid, const Matrix4& camera, GLuint base_texture, GLuint light_texture);
