// The twisted column of scene 7: a tall square column cut into thin slices, each turned about the
// vertical axis by a smooth function of its height and the time.
#pragma once

#include "effects/matrix.h"

constexpr int column_slices = 480;
// Each slice has four faces of four vertices (two triangles).
constexpr int column_vertices = column_slices * 4 * 4;

// The turn (radians) of the column's cross-section at height y, at tau seconds into the scene.
double twist_angle(float y, float tau);

// The column's vertex arrays, written anew each frame: every face's four corners, lower left, upper
// left, lower right, upper right; the picture's coordinates for the first pass, the outward normals
// for the light map's.
struct ColumnArrays {
    float positions[column_vertices][3];
    float texture_coordinates[column_vertices][2];
    float normals[column_vertices][3];
};

// The column's corners at `time` seconds into scene 7.
void build_column(ColumnArrays& column, double time);

// The whole effect for one frame under camera at `time` seconds into scene 7: the picture, then the
// light map blended over it by its alpha.
void draw_scene7_effect(ColumnArrays& column, const Matrix4& camera, double time);
