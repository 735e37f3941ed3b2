// Start-up and whole frames of the show, drawn offscreen as the program draws them.
#include "assets/textures.h"
#include "request.h"
#include "soundtrack.h"
#include "video_encoder.h"
#include "show/demo.h"
#include "show/director.h"
#include "platform/offscreen.h"
#include "show/view.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

static void open_context_once()
{
    static bool opened = false;
    if (opened)
        return;
    if (!open_offscreen_context(screen_width, screen_height))
        std::exit(1);
    set_view(screen_width, screen_height);
    opened = true;
}

static void show_is_loaded()
{
    static bool loaded = false;
    if (loaded)
        return;
    open_context_once();
    init_gl_and_textures();
    init_demo();
    loaded = true;
}

static void start_up(benchmark::State& state)
{
    open_context_once();
    for (auto _ : state) {
        init_gl_and_textures();
        glFinish();
    }
}
BENCHMARK(start_up)->Unit(benchmark::kMillisecond)->Iterations(3);

// A moment inside each of the nine scenes.
static const double scene_moments[] = {30.0, 45.0, 70.0, 99.0, 110.0, 138.0, 160.0, 185.0, 205.0};

static void one_frame(benchmark::State& state)
{
    show_is_loaded();
    double t = scene_moments[state.range(0)];
    for (auto _ : state) {
        draw_frame_at(t, 1.0 / 60.0);
        glFinish();
    }
}
BENCHMARK(one_frame)->DenseRange(0, 8)->ArgName("scene")->Unit(benchmark::kMillisecond);

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
    draw_frame_at(t, delta);
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
    ->UseRealTime();
