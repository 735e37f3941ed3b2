// The twisted column, one frame's work in parts: the 1,920 twist angles of its two passes, and its
// 960 slices (15,360 vertices) sent to GL, once with every face culled (the sending alone) and once
// drawn as the show draws them.
#include "effects/twisted_column.h"
#include "offscreen_show.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

static constexpr double column_time = 12.2;
static constexpr int twist_evaluations = 2 * 2 * column_slices;
static constexpr float column_height = 8.0f;

static void column_twist_angles(benchmark::State& state)
{
    const float tau = static_cast<float>(column_time);
    for (auto _ : state)
        for (int k = 0; k < twist_evaluations; ++k)
            benchmark::DoNotOptimize(twist_angle(-4.0f + k * (column_height / twist_evaluations), tau));
    state.SetItemsProcessed(state.iterations() * twist_evaluations);
}
BENCHMARK(column_twist_angles)->Unit(benchmark::kMicrosecond);

// Argument 0: every face culled; 1: drawn under scene 7's camera.
static void column_drawing(benchmark::State& state)
{
    show_is_loaded();
    look_along_z(-0.5, 3.0);
    bool rasterised = state.range(0) != 0;
    for (auto _ : state) {
        glClear(GL_DEPTH_BUFFER_BIT);
        cull_every_face(!rasterised);
        draw_scene7_effect(column_time);
        glFinish();
    }
    cull_every_face(false);
}
BENCHMARK(column_drawing)->DenseRange(0, 1)->ArgName("rasterised")->Unit(benchmark::kMicrosecond)->UseRealTime();
