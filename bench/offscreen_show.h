// The offscreen show the GL benchmarks draw into: one context and the show's data, loaded once.
#pragma once

#include "effects/matrix.h"

class MetaballVolume;
struct ShowState;

// The benchmark program's show state, carried from frame to frame as the program's is, and the blob
// volume of its working storage.
ShowState& bench_show();
MetaballVolume& bench_volume();

// Opens the offscreen 640 × 480 context and sets the view (once per benchmark program).
void open_context_once();

// The context, the pictures and the rest of the show's start-up (once per benchmark program).
void show_is_loaded();

// The camera of the 3-D scenes: eye at (eye_x, 0, eye_z) looking along -z.
Matrix4 camera_along_z(double eye_x, double eye_z);

// With every face culled GL still takes and transforms each vertex but rasterises nothing, so what a
// drawing costs then is the sending of its vertices. Off again: back faces culled, culling disabled.
void cull_every_face(bool on);
