// The blob scenes' fields, built once by the show's own routines and kept for the benchmarks.
#include "blob_frames.h"
#include "offscreen_show.h"

#include "effects/blob_scenes.h"
#include "effects/metaballs.h"
#include "show/timeline.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int blob_box_radius = 10;
constexpr float blob_threshold = 0.5f;
constexpr int field_samples = cavity_size * cavity_size * cavity_size;

// Frame k lies in the middle of the k-th of eleven equal parts of scene 1, or of scenes 5 and 6
// together from the moment the cavity's balls have flown in (their time runs from scene 5's start).
constexpr double cluster_start = 0.0, cluster_end = scene_table[1] - scene_table[0];
constexpr double cavity_start = 3.0, cavity_end = scene_table[6] - scene_table[4];

float frame_time(BlobScene scene, int k)
{
    const bool cluster = scene == BlobScene::cluster;
    const double start = cluster ? cluster_start : cavity_start, end = cluster ? cluster_end : cavity_end;
    return static_cast<float>(start + (k + 0.5) * (end - start) / blob_frames);
}

}  // namespace

void place_blob_frame(BlobScene scene, int k)
{
    MetaballVolume& v = bench_volume();
    v.ball_count = blob_ball_count;
    v.box_radius = blob_box_radius;
    v.threshold = blob_threshold;
    if (scene == BlobScene::cluster)
        place_cluster_balls(frame_time(scene, k), v.balls);
    else
        place_cavity_balls(frame_time(scene, k), v.balls);
}

void reset_blob_field(BlobScene scene)
{
    if (scene == BlobScene::cluster) {
        bench_volume().clear_field();
    } else {
        static const bool built = (build_cavity_field(), true);
        (void)built;
        std::copy(cavity_field, cavity_field + field_samples, bench_volume().field.begin());
    }
}

void report_mesh(benchmark::State& state, int64_t vertices, int64_t triangles)
{
    using benchmark::Counter;
    state.counters["vertices"] = Counter(static_cast<double>(vertices), Counter::kAvgIterations);
    state.counters["triangles"] = Counter(static_cast<double>(triangles), Counter::kAvgIterations);
}

void load_blob_field(BlobScene scene, int k)
{
    static std::vector<float> fields[2];
    std::vector<float>& kept = fields[scene == BlobScene::cavity];
    if (kept.empty()) {
        kept.resize(static_cast<size_t>(blob_frames) * field_samples);
        for (int frame = 0; frame < blob_frames; ++frame) {
            place_blob_frame(scene, frame);
            reset_blob_field(scene);
            bench_volume().add_balls();
            std::fill(bench_volume().visited.begin(), bench_volume().visited.end(), 0);
            std::copy(bench_volume().field.begin(), bench_volume().field.end(), kept.begin() + frame * field_samples);
        }
    }
    place_blob_frame(scene, k);
    std::copy_n(kept.begin() + k * field_samples, field_samples, bench_volume().field.begin());
}
