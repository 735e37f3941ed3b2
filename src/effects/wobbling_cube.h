// The wobbling cube of scenes 2 and 3: the shared cube swinging back and forth, its faces rippling
// like jelly under three products of sines fixed in the world.
#pragma once

#include "effects/cube_grid.h"

// How strongly the faces ripple t seconds into scene 2: 0 until 3 s, rising to 0.4 at 9 s, holding
// until 28 s, back to 0 at 35 s.
float ripple_strength(float t);

// The point turned by the cube's rotation, then moved by the ripple of amplitude a at T (ten times
// the scene's seconds).
CubePoint wobble_point(CubePoint p, const Rotation& turn, float T, float amplitude);

// The grid rotated and rippled for t seconds into scene 2; beat_step turns it further about x.
void build_wobble_grid(CubeGrid& grid, float t, float beat_step);

// The whole effect for one frame under camera: the grid rebuilt, shaded and drawn with the wobl
// picture and the wobllighttex glint.
void draw_wobbling_object(CubeGrid& grid, const Matrix4& camera, float t, float beat_step);
