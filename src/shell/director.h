// The scene director: from the demo time alone it picks the scene, calls its drawing routines with
// times measured from fixed moments of the music, lays the final fade and ends the show.
#pragma once

constexpr int scene_table_size = 8;
constexpr int beat_time_count = 9;
constexpr int closing_scene = 8;

// Start times (s) of scenes 1 to 8; scene 0 starts with the show.
extern const double scene_table[scene_table_size];
// The beats of the blob part (scenes 5 and 6); the last equals the start of scene 6.
extern const double beat_times[beat_time_count];
constexpr double end_picture_start = 211.219;
constexpr double final_fade_start = 228.0;
constexpr double show_end = 240.0;

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

// Draws one whole frame for the current demo time.
void run_frame();
