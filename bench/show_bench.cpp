// Start-up and whole frames of the show, drawn offscreen as the program draws them, and the
// submission of the ring scenes' meshes. GL work is timed on the wall clock up to glFinish: the driver
// (llvmpipe) draws on threads of its own, so that is what a viewer waits for.
#include "assets/meshes.h"
#include "assets/textures.h"
#include "effects/sphere_map.h"
#include "offscreen_show.h"
#include "ratios.h"
#include "request.h"
#include "soundtrack.h"
#include "video_encoder.h"
#include "platform/offscreen.h"
#include "platform/picture_scaler.h"
#include "show/demo.h"
#include "show/show_state.h"
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

// The times of timed_frames frames from demo time first on, in milliseconds, each timed on its own
// up to glFinish with what last_pass adds to it.
template <typename LastPass>
static std::vector<double> frame_times(double first, LastPass last_pass)
{
    std::vector<double> milliseconds;
    for (int i = 0; i < timed_frames; ++i) {
        auto start = std::chrono::steady_clock::now();
        draw_frame_at(bench_show(), first + i * timed_step, timed_step);
        last_pass();
        glFinish();
        milliseconds.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    return milliseconds;
}

static void scene_frame_times(benchmark::State& state)
{
    show_is_loaded();
    double first = scene_moments[state.range(0)] - timed_frames * timed_step / 2;
    bench_show().trails_on = bench_show().dct_on = state.range(1) != 0;
    std::vector<double> milliseconds;
    for (auto _ : state)
        milliseconds = frame_times(first, [] {});
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

// The show with the scaling pass's texture made, drawing on a surface of width × height.
static bool show_on_surface(int width, int height)
{
    show_is_loaded();
    static const bool scaler_made = (init_picture_scaler(), true);
    return scaler_made && resize_offscreen_surface(width, height);
}

// The screen's last pass where it is larger than the picture (--desktop, a resized --window): the
// frames of scene 4 timed as above on a 640 × 480 surface, as in the full-screen mode, and on a
// 1920 × 1080 one, where the picture is then scaled to 1440 × 1080 between black bands.
static void screen_frame_times(benchmark::State& state)
{
    const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
    const bool scaled = width != screen_width || height != screen_height;
    if (!show_on_surface(width, height)) {
        state.SkipWithError("no offscreen surface of that size");
        return;
    }
    double first = scene_moments[4] - timed_frames * timed_step / 2;
    std::vector<double> milliseconds;
    for (auto _ : state)
        milliseconds = frame_times(first, [&] {
            if (scaled)
                scale_picture(width, height);
        });
    resize_offscreen_surface(screen_width, screen_height);
    state.counters["median_ms"] = percentile(milliseconds, 0.5);
    state.counters["p99_ms"] = percentile(milliseconds, 0.99);
}
BENCHMARK(screen_frame_times)
    ->Args({screen_width, screen_height})
    ->Args({1920, 1080})
    ->ArgNames({"width", "height"})
    ->Iterations(1)
    ->Repetitions(3)  // 240 frames each
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCH_RATIO("240 frames of scene 4: 1920 x 1080 scaled / 640 x 480",
            "screen_frame_times/width:1920/height:1080/iterations:1/repeats:3/real_time",
            "screen_frame_times/width:640/height:480/iterations:1/repeats:3/real_time");

// The pass alone, at 1920 x 1080, after one frame of scene 4: the copy into the texture and the quad.
static void scaling_pass(benchmark::State& state)
{
    if (!show_on_surface(1920, 1080)) {
        state.SkipWithError("no offscreen surface of that size");
        return;
    }
    draw_frame_at(bench_show(), scene_moments[4], timed_step);
    // Once untimed: the new surface's memory is touched for the first time.
    scale_picture(1920, 1080);
    glFinish();
    for (auto _ : state) {
        scale_picture(1920, 1080);
        glFinish();
    }
    resize_offscreen_surface(screen_width, screen_height);
}
BENCHMARK(scaling_pass)->MinTime(0.5)->UseRealTime()->Unit(benchmark::kMillisecond);

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
