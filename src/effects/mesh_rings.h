// The rings of chrome meshes of scenes 4 and 6: six mirror copies of one mesh tumbling in step on
// a ring, three long beams of light turning about its axis, ten glowing sprites flying through it.
#pragma once

#include "effects/matrix.h"

// Scene 4's ring of obu1 mirroring refl1 under a still camera, or scene 6's smaller ring of obu2
// mirroring refl2, each copy turned on its side, with the camera rising from below to above.
enum class MeshRing { first, second };

// Draws the ring d seconds into a scene of scene_length seconds, in front of whatever was drawn
// before it: it starts by clearing the depth buffer.
void draw_mesh_ring_scene(MeshRing ring, double d, double scene_length);

// The ring's camera and scale at that moment, which the meshes, beams and sprites are drawn under.
Matrix4 ring_camera(MeshRing ring, double d, double scene_length);
