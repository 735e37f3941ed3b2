// Start-up and whole frames of the show, drawn offscreen as the program draws them.
#include "assets/textures.h"
#include "offscreen_show.h"
#include "show/director.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

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
BENCHMARK(one_frame)->DenseRange(0, 8)->ArgName("scene")->Unit(benchmark::kMillisecond)->UseRealTime();
