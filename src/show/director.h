// The scene director: from the demo time alone it picks the scene, calls its drawing routines with
// times measured from fixed moments of the music, lays the final fade and ends the show.
#pragma once

#include "show/timeline.h"

// The wobbling cube's beat position, kept between frames: it holds still after the beats stop.
extern float beat_step;

// The number of scene table entries strictly below t: a t equal to an entry is the earlier scene.
int scene_index(double t);
// The number of beat times strictly below t.
int beats_passed(double t);
// The ripple of the wobbling cube's backdrop: 0.25 at the start of each period, 0 in its second half.
float wave_amplitude(double t);

struct BeatPulse {
    float step;   // climbs from n to n + 1 on each beat, easing out
    float flash;  // 0.2 on the beat, decaying quadratically
};
// The beat of the wobbling cube at t (only meaningful before the beats stop at 96.4 s).
BeatPulse beat_pulse(double t);

// The tunnel's accumulated rotation: 16 doubles, GL column-major; the identity until the tunnel
// first turns, then multiplied by each frame's turn and never reset.
extern double tunnel_orientation[16];

// Draws one whole frame for the current demo time.
void run_frame();

// Draws the frame the loop would draw at demo time t, delta seconds after the one before (not the
// first frame): how the capture tool, the benchmarks and the tests step through the show.
void draw_frame_at(double t, double delta);
