// The soundtrack's arrangement: every note of every instrument, on a tempo map anchored to the
// show's timeline, with the hits the pictures need at their exact moments.
#pragma once

#include <vector>

#include "show/timeline.h"
#include "synth.h"

enum Track {
    track_kick,
    track_drop,
    track_snare,
    track_clap,
    track_hat,
    track_crash,
    track_bass,
    track_pad,
    track_pluck,
    track_lead,
    track_stab,
    track_clank,
    track_swell,
    track_riser,
    track_count
};

struct Score {
    std::vector<Note> tracks[track_count];
};

// The music fades with the picture and is silent after the fade; it runs on a little past the end
// of the show, so that the show never outlasts it.
constexpr double music_fade_end = final_fade_start + final_fade_seconds;
constexpr double music_seconds = show_end + 1.5;

Score compose_score();
