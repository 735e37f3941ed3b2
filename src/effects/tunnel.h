// The opening flight through a junction of three round tunnels: one ray per point of a coarse
// screen grid against three crossing cylinders, drawn as a flat textured and shaded sheet.
#pragma once

constexpr int tunnel_rows = 61;
constexpr int tunnel_columns = 81;

// What a grid point shows: texture coordinates on the wall it hits and its shade (above 1 saturates).
struct TunnelPoint {
    float s, t, shade;
};

// The grid of the last cast, row 0 at the bottom of the sheet, column 0 at x = -1.3333.
extern TunnelPoint tunnel_grid[tunnel_rows][tunnel_columns];

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
// are the camera axes, its translation the ray origin) into tunnel_grid.
void cast_tunnel_grid(const double* matrix);

// Casts the grid and draws it as 60 strips at z = 0 under the caller's texture, matrices and
// enables, shaded by the fade-in of the first 20 seconds and with the texture drifting with time
// (seconds since the show began).
void draw_tunnel(const double* matrix, double time);
