// The offscreen show the GL benchmarks draw into: one context and the show's data, loaded once.
#pragma once

// Opens the offscreen 640 × 480 context and sets the view (once per benchmark program).
void open_context_once();

// The context, the pictures and the rest of the show's start-up (once per benchmark program).
void show_is_loaded();

// The camera of the 3-D scenes: texture matrix reset, eye at (eye_x, 0, eye_z) looking along -z.
void look_along_z(double eye_x, double eye_z);

// With every face culled GL still takes and transforms each vertex but rasterises nothing, so what a
// drawing costs then is the sending of its vertices. Off again: back faces culled, culling disabled.
void cull_every_face(bool on);
