// The bulging cube of the closing scene: the shared cube swollen by three wandering magnifying lenses.
#pragma once

#include "effects/cube_grid.h"

constexpr int lens_count = 3;

// Lens k's centre at T (ten times the scene's seconds): each wanders on its own Lissajous path
// inside a box of half-width 0.4, 0.7 and 1.0.
CubePoint lens_centre(int k, float T);

// One lens, then the cube's rotation: a point nearer than 1.25 to the centre moves away from it
// along the same ray, to 1.25 · (distance / 1.25)^0.4. A point on the centre stays there.
CubePoint bulge_point(CubePoint p, const CubePoint& centre, const Rotation& turn);

// The grid turned and swollen by the three lenses for t seconds into the closing scene.
void build_bulge_grid(CubeGrid& grid, float t);

// The whole effect for one frame under camera: the grid rebuilt, shaded and drawn with the mag
// picture and the lighttex1 glint.
void draw_last_object(CubeGrid& grid, const Matrix4& camera, float t);
