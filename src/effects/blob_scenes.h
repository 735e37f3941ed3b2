// The blob scenes: ten soft balls melted into one glossy mesh every frame, textured and glinting under
// a light map. Scene 1 shows a free cluster ringed by three glowing rings; scenes 5 and 6 look into a
// cavity whose wall the balls sweep in to merge with.
#pragma once

class MetaballVolume;
struct Ball;

constexpr int blob_ball_count = 10;

// Where the ten balls are at t seconds into each scene, in volume coordinates, with their strengths:
// the free cluster of scene 1, and the balls that fly into the cavity of scenes 5 and 6.
void place_cluster_balls(float t, Ball balls[blob_ball_count]);
void place_cavity_balls(float t, Ball balls[blob_ball_count]);

// The free cluster of scene 1 at t seconds into the scene, with its rings; the gaze swings off over
// the last three seconds of the scene's length. Leaves face culling off, the texture matrix at
// identity and depth writes on.
void draw_blob_scene_a(float t, double scene_length);

// The cavity of scenes 5 and 6 at t seconds from the start of scene 5; a non-zero flip distorts the
// first pass's texture projectively. Leaves back faces culled and the light map in the texture matrix.
void draw_blob_scene_b(float t, int flip);

// Scales the first vertex_count normals of the volume to unit length. A zero normal (the gradient
// cancelled along its edge) becomes (0, 0, 1), at or near the light map's centre.
void normalise_normals(MetaballVolume& volume);
