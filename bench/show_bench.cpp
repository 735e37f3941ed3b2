// Start-up and whole frames of the show, drawn offscreen as the program draws them.
#include "loaded_show.h"

#include "assets/textures.h"
#include "show/demo.h"
#include "show/director.h"
#include "platform/offscreen.h"
#include "show/view.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

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

void show_is_loaded()
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
