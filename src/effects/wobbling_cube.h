// The wobbling cube of scenes 2 and 3: the shared cube swinging back and forth, its faces rippling
// like jelly under three products of sines fixed in the world.
#pragma once

#include "effects/cube_grid.h"

// How strongly the faces ripple t seconds into scene 2: 0 until 3 s, rising to 0.4 at 9 s, holding
// until 28 s, back to 0 at 35 s.
float ripple_strength(float t);

// The point turned by rotation_matrix, then moved by the ripple of amplitude a at T (ten times the
// scene's seconds).
CubePoint wobble_point(CubePoint p, float T, float amplitude);

// wobble_grid rotated and rippled for t seconds into scene 2; beat_step turns it further about x.
void build_wobble_grid(float t, float beat_step);

// The whole effect for one frame, under the caller's camera: wobble_grid rebuilt, shaded and drawn
// with the wobl picture and the wobllighttex glint (the state left is draw_cube_grid's).
void draw_wobbling_object(float t, float beat_step);
