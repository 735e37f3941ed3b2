// The twisted column, one frame's work in parts: its 7,680 corners worked out (481 twist angles),
// and its 960 slices' faces sent to GL, once with every face culled (the sending alone) and once
// drawn as the show draws them.
#include "effects/twisted_column.h"
#include "effects/workspace.h"
#include "offscreen_show.h"
#include "show/show_state.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

static constexpr double column_time = 12.2;

static void column_build(benchmark::State& state)
{
    ColumnArrays& column = bench_show().work->column;
    for (auto _ : state) {
        build_column(column, column_time);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * column_vertices);
}
BENCHMARK(column_build)->Unit(benchmark::kMicrosecond);

// Argument 0: every face culled; 1: drawn under scene 7's camera.
static void column_drawing(benchmark::State& state)
{
    show_is_loaded();
    const Matrix4 camera = camera_along_z(-0.5, 3.0);
    bool rasterised = state.range(0) != 0;
    for (auto _ : state) {
        glClear(GL_DEPTH_BUFFER_BIT);
        cull_every_face(!rasterised);
        draw_scene7_effect(bench_show().work->column, camera, column_time);
        glFinish();
    }
    cull_every_face(false);
}
BENCHMARK(column_drawing)->DenseRange(0, 1)->ArgName("rasterised")->Unit(benchmark::kMicrosecond)->UseRealTime();
