// The blob scenes: ten soft balls melted into one glossy mesh every frame, textured and glinting under
// a light map. Scene 1 shows a free cluster ringed by three glowing rings; scenes 5 and 6 look into a
// cavity whose wall the balls sweep in to merge with.
#pragma once

#include "effects/matrix.h"

class MetaballVolume;
struct Ball;

// The cavity's first pass on alternate beats: its texture seen plainly, or through a wide projection.
enum class BlobFlip { plain, distorted };

constexpr int blob_ball_count = 10;

// Where the ten balls are at t seconds into each scene, in volume coordinates, with their strengths:
// the free cluster of scene 1, and the balls that fly into the cavity of scenes 5 and 6.
void place_cluster_balls(float t, Ball balls[blob_ball_count]);
void place_cavity_balls(float t, Ball balls[blob_ball_count]);

// The free cluster of scene 1 at t seconds into the scene, with its rings; the gaze swings off over
// the last three seconds of the scene's length. The mesh is made in volume.
void draw_blob_scene_a(MetaballVolume& volume, float t, double scene_length);

// The cavity of scenes 5 and 6 at t seconds from the start of scene 5, its first pass flipped or not.
void draw_blob_scene_b(MetaballVolume& volume, float t, BlobFlip flip);

// The cameras the two scenes draw under at t.
Matrix4 cluster_camera(float t, double scene_length);
Matrix4 cavity_camera(float t);

// Scales the first vertex_count normals of the volume to unit length. A zero normal (the gradient
// cancelled along its edge) becomes (0, 0, 1), at or near the light map's centre.
void normalise_normals(MetaballVolume& volume);
