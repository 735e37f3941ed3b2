// Where the pictures need a hit in the music, built from the director's own timeline: the soundtrack
// is composed on this list and its test listens for every hit, so picture and sound cannot drift apart.
#pragma once

#include <algorithm>
#include <vector>

#include "show/timeline.h"

enum class HitKind {
    section,    // a scene changes, or the end picture begins: a new section's downbeat
    cube_step,  // the cube steps and flashes
    wave,       // the cube scenes' backdrop starts a wave
    blob_flip,  // the blob texture flips
    flash,      // a white flash opens the scene
};

struct MusicHit {
    double time;  // seconds of demo time
    HitKind kind;
};

// The scenes that open with a white flash.
constexpr int flash_scenes[] = {5, closing_scene};

// Every hit, in time order. The cube steps and the waves run while the cube scenes do.
inline std::vector<MusicHit> music_hits()
{
    std::vector<MusicHit> hits;
    for (double start : scene_table)
        hits.push_back({start, HitKind::section});
    hits.push_back({end_picture_start, HitKind::section});
    for (int step = 0; beat_start + step * beat_period < beats_stop; ++step)
        hits.push_back({beat_start + step * beat_period, HitKind::cube_step});
    const double cube_scenes_end = scene_start(4);
    for (int wave = 0; wave_start + wave * wave_period < cube_scenes_end; ++wave)
        hits.push_back({wave_start + wave * wave_period, HitKind::wave});
    for (double beat : beat_times)
        hits.push_back({beat, HitKind::blob_flip});
    for (int scene : flash_scenes)
        hits.push_back({scene_start(scene), HitKind::flash});
    std::stable_sort(hits.begin(), hits.end(),
                     [](const MusicHit& a, const MusicHit& b) { return a.time < b.time; });
    return hits;
}
