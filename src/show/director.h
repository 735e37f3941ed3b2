// The scene director: from the demo time alone it picks the scene, calls its drawing routines with
// times measured from fixed moments of the music, lays the final fade and says when the show is over.
#pragma once

#include "show/show_state.h"
#include "show/timeline.h"

#include <functional>

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

// Told the name of each drawing routine the director has just called (a screen layer, an effect, a
// post effect), so that a test can look at what it left behind.
using RoutineWatch = std::function<void(const char* routine)>;

// Draws one whole frame for the state's demo time. Returns true once the show is over (after 240 s):
// the frame is still drawn, and the caller then ends the show.
bool run_frame(ShowState& state, const RoutineWatch* watch = nullptr);

// Draws the frame the loop would draw at demo time t, delta seconds after the one before (not the
// first frame): how the capture tool, the benchmarks and the tests step through the show.
bool draw_frame_at(ShowState& state, double t, double delta, const RoutineWatch* watch = nullptr);
