// The twisted column of scene 7: a tall square column cut into thin slices, each turned about the
// vertical axis by a smooth function of its height and the time.
#pragma once

constexpr int column_slices = 480;

// The turn (radians) of the column's cross-section at height y, at tau seconds into the scene.
double twist_angle(float y, float tau);

// One slice's four faces between the squares at heights y0 and y1, whose angles have the cosines
// and sines (c0, s0) and (c1, s1). The textured one gives each face the picture's full width, t0 at
// the lower edge and t1 at the upper; the lit one sends each corner's outward normal instead.
void draw_column_slice(double y0, double y1, double t0, double t1, double c0, double s0, double c1, double s1);
void draw_column_slice_lit(double y0, double y1, double t0, double t1, double c0, double s0, double c1, double s1);

// The whole effect for one frame at `time` seconds into scene 7, under the caller's camera, depth
// test and colour. Leaves texturing on with lighttex3 bound, texture generation and blending off.
void draw_scene7_effect(double time);
