// Start-up and whole frames of the show, drawn offscreen as the program draws them, and the
// submission of the ring scenes' meshes. GL work is timed on the wall clock up to glFinish: the driver
// (llvmpipe) draws on threads of its own, so that is what a viewer waits for.
#include "assets/meshes.h"
#include "assets/textures.h"
#include "effects/sphere_map.h"
#include "offscreen_show.h"
#include "request.h"
#include "soundtrack.h"
#include "video_encoder.h"
#include "platform/offscreen.h"
#include "show/show_state.h"
#include "show/demo.h"
#include "show/director.h"
#include "show/view.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

static void start_up(benchmark::State& state)
{
    open_context_once();
    for (auto _ : state) {
        init_gl_and_textures();
        glFinish();
    }
}
BENCHMARK(start_up)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// A moment inside each of the nine scenes.
static const double scene_moments[] = {30.0, 45.0, 70.0, 99.0, 110.0, 138.0, 160.0, 185.0, 205.0};

static void one_frame(benchmark::State& state)
{
    show_is_loaded();
    double t = scene_moments[state.range(0)];
    for (auto _ : state) {
        draw_frame_at(bench_show(), t, 1.0 / 60.0);
        glFinish();
    }
}
BENCHMARK(one_frame)->DenseRange(0, 8)->ArgName("scene")->UseRealTime()->Unit(benchmark::kMillisecond);

// Four seconds of each scene at 60 frames per second, every frame timed on its own, plain and with
// both post effects on: the median frame and the 99th percentile, what a viewer sees as smoothness
// and as stutter. A frame over 16.7 ms misses the 60 frames per second of a usual display.
static constexpr int timed_frames = 240;
static constexpr double timed_step = 1.0 / 60.0;

static double percentile(std::vector<double> times, double share)
{
    std::sort(times.begin(), times.end());
    return times[static_cast<size_t>(share * static_cast<double>(times.size() - 1))];
}

static void scene_frame_times(benchmark::State& state)
{
    show_is_loaded();
    double first = scene_moments[state.range(0)] - timed_frames * timed_step / 2;
    bench_show().trails_on = bench_show().dct_on = state.range(1) != 0;
    std::vector<double> milliseconds;
    for (auto _ : state) {
        milliseconds.clear();
        for (int i = 0; i < timed_frames; ++i) {
            auto start = std::chrono::steady_clock::now();
            draw_frame_at(bench_show(), first + i * timed_step, timed_step);
            glFinish();
            milliseconds.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
    }
    bench_show().trails_on = bench_show().dct_on = false;
    state.counters["median_ms"] = percentile(milliseconds, 0.5);
    state.counters["p99_ms"] = percentile(milliseconds, 0.99);
}
BENCHMARK(scene_frame_times)
    ->ArgsProduct({benchmark::CreateDenseRange(0, 8, 1), {0, 1}})
    ->ArgNames({"scene", "post_effects"})
    ->Iterations(1)
    ->Repetitions(1)  // already 240 frames, whose median and 99th percentile are the figures
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// The six copies of a ring's mesh sent to GL with every face culled: what submitting them costs the
// CPU, without the pixels. Argument 0 is obu1, 1 obu2.
static void ring_mesh_submission(benchmark::State& state)
{
    show_is_loaded();
    const Mesh& mesh = state.range(0) == 0 ? meshes.obu1 : meshes.obu2;
    cull_every_face(true);
    for (auto _ : state) {
        begin_mirrored_mesh(mesh);
        for (int copy = 0; copy < 6; ++copy)
            draw_mirrored_mesh(mesh);
        end_mirrored_mesh();
        glFinish();
    }
    cull_every_face(false);
    state.counters["faces"] = mesh.face_count;
    state.counters["vertices"] = mesh.vertex_count;
    state.SetItemsProcessed(state.iterations() * 6 * mesh.face_count);
}
BENCHMARK(ring_mesh_submission)->Arg(0)->Arg(1)->ArgName("mesh")->UseRealTime()->Unit(benchmark::kMillisecond);

// Two seconds of each scene at 60 frames per second, as the capture tool makes them: drawn only;
// drawn and read back; read back and piped to ffmpeg, which encodes H.264 beside the drawing (its
// finish included, not its start, which a capture pays once). The frames per second are the items per second; for each scene
// the three run one after the other, so that their ratios are measured under the same load.
enum StretchOutput { drawn, read_back, encoded };
static constexpr int stretch_frames = 120;
static constexpr FrameRate capture_rate = {60, 1};
static constexpr const char* bench_video = "/tmp/ninescenes-bench.mp4";

static bool draw_stretch_frame(StretchOutput output, double t, double delta, std::string* why)
{
    draw_frame_at(bench_show(), t, delta);
    if (output == drawn) {
        glFinish();
        return true;
    }
    static std::vector<unsigned char> frame(size_t(screen_width) * screen_height * 4);
    read_frame_bgra_bottom_up(screen_width, screen_height, frame.data());
    return output == read_back || write_video_frame(frame.data(), why);
}

static void capture_stretch(benchmark::State& state)
{
    show_is_loaded();
    StretchOutput output = static_cast<StretchOutput>(state.range(1));
    long long first = nearest_frame(capture_rate, scene_moments[state.range(0)]);
    Samples silence(size_t(sample_frame_at(frame_time(capture_rate, stretch_frames))) * 2, 0);
    std::string why;
    bool ok = output != encoded || find_ffmpeg(&why);
    for (auto _ : state) {
        state.PauseTiming();
        ok = ok
            && (output != encoded
                || start_video(bench_video, screen_width, screen_height, capture_rate, silence, &why));
        state.ResumeTiming();
        for (int i = 0; ok && i < stretch_frames; ++i)
            ok = draw_stretch_frame(output, frame_time(capture_rate, first + i), frame_time(capture_rate, 1),
                                    &why);
        ok = ok && (output != encoded || finish_video(&why));
    }
    if (!ok)
        state.SkipWithError(why.c_str());
    std::remove(bench_video);
    state.SetItemsProcessed(state.iterations() * stretch_frames);
}
static void stretch_arguments(benchmark::internal::Benchmark* bench)
{
    for (int scene = 0; scene < int(std::size(scene_moments)); ++scene)
        for (int output : {drawn, read_back, encoded})
            bench->Args({scene, output});
}
BENCHMARK(capture_stretch)
    ->Apply(stretch_arguments)
    ->ArgNames({"scene", "output"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)  // 120 frames each
    ->UseRealTime();
