// The opening flight through a junction of three round tunnels: one ray per point of a coarse
// screen grid against three crossing cylinders, drawn as a flat textured and shaded sheet.
#pragma once

#include "effects/matrix.h"

#include <GL/gl.h>

constexpr int tunnel_rows = 61;
constexpr int tunnel_columns = 81;

// What a grid point shows: texture coordinates on the wall it hits and its shade (above 1 saturates).
struct TunnelPoint {
    float s, t, shade;
};

// The sheet's strips: 60 of them, joining grid rows i and i + 1, each 81 pairs of vertices.
constexpr int tunnel_strips = tunnel_rows - 1;
constexpr int tunnel_strip_vertices = 2 * tunnel_columns;
constexpr int tunnel_vertices = tunnel_strips * tunnel_strip_vertices;

// The tunnel's working storage: the grid of the last cast (row 0 at the bottom of the sheet,
// column 0 at x = -1.3333) and the strips' vertex arrays. The positions never change; the colours
// and texture coordinates are the grid's, written anew each frame.
struct TunnelSheet {
    TunnelSheet();
    TunnelPoint grid[tunnel_rows][tunnel_columns];
    float positions[tunnel_vertices][3];
    float colours[tunnel_vertices][3];
    float texture_coordinates[tunnel_vertices][2];
};

// The cylinders, in the order that breaks ties; none when the line meets no wall.
enum class TunnelWall { z_axis, y_axis, x_axis, none };

// Where the line origin + lambda * direction leaves the union of the tunnels: the most negative
// of the three cylinders' smaller roots. A cylinder the line misses or runs parallel to is skipped.
struct TunnelHit {
    double lambda;
    TunnelWall wall;
};
TunnelHit tunnel_hit(const float direction[3], const double origin[3]);

// The grid values of one ray; all zero (a black point) when no wall gives a finite answer.
TunnelPoint tunnel_point(const float direction[3], const double origin[3]);

// Casts every ray of the grid for the camera matrix (16 doubles, GL column-major; its rotation rows
// are the camera axes, its translation the ray origin) into the sheet's grid.
void cast_tunnel_grid(TunnelSheet& sheet, const double* matrix);

// Casts the grid and draws it as 60 strips at z = 0 seen through view, with the texture,
// shaded by the fade-in of the first 20 seconds and with the texture drifting with time (seconds
// since the show began).
void draw_tunnel(TunnelSheet& sheet, const Matrix4& view, GLuint texture, const double* matrix, double time);
