// The two cubes, one frame's work in parts: the grid rebuilt (turn and ripple, or turn and lenses),
// the shading, and the two passes' 10,080 vertices sent to GL, once with every face culled (the
// sending alone) and once drawn as the show draws them.
#include "assets/textures.h"
#include "effects/bulging_cube.h"
#include "effects/wobbling_cube.h"
#include "effects/workspace.h"
#include "offscreen_show.h"
#include "show/show_state.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

// Seconds into each scene: the ripple at full strength; the lenses in mid-scene.
static constexpr float wobble_time = 12.4f;
static constexpr float wobble_beat_step = 5.3f;
static constexpr float bulge_time = 6.6f;
static constexpr int cube_vertices = cube_faces * cube_side * cube_side;

// Argument 0: the wobbling cube's turn and ripple; 1: the bulging cube's turn and three lenses.
static void cube_grid_rebuild(benchmark::State& state)
{
    bool bulging = state.range(0) != 0;
    for (auto _ : state) {
        if (bulging)
            build_bulge_grid(bench_show().work->cube, bulge_time);
        else
            build_wobble_grid(bench_show().work->cube, wobble_time, wobble_beat_step);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * cube_vertices);
}
BENCHMARK(cube_grid_rebuild)->DenseRange(0, 1)->ArgName("bulging")->Unit(benchmark::kMicrosecond);

static void cube_shading(benchmark::State& state)
{
    build_bulge_grid(bench_show().work->cube, bulge_time);
    for (auto _ : state) {
        shade_cube_grid(bench_show().work->cube);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * cube_vertices);
}
BENCHMARK(cube_shading)->Unit(benchmark::kMicrosecond);

// Argument 0: every face culled; 1: drawn under the closing scene's camera.
static void cube_drawing(benchmark::State& state)
{
    show_is_loaded();
    build_bulge_grid(bench_show().work->cube, bulge_time);
    shade_cube_grid(bench_show().work->cube);
    const Matrix4 camera = camera_along_z(0.0, 5.0);
    bool rasterised = state.range(0) != 0;
    for (auto _ : state) {
        glClear(GL_DEPTH_BUFFER_BIT);
        cull_every_face(!rasterised);
        draw_cube_grid(bench_show().work->cube, camera, textures.mag, textures.lighttex1);
        glFinish();
    }
    cull_every_face(false);
}
BENCHMARK(cube_drawing)->DenseRange(0, 1)->ArgName("rasterised")->Unit(benchmark::kMicrosecond)->UseRealTime();
