// Start-up and whole frames of the show, drawn offscreen as the program draws them, and the
// submission of the ring scenes' meshes. GL work is timed on the wall clock up to glFinish: the driver
// (llvmpipe) draws on threads of its own, so that is what a viewer waits for.
#include "assets/meshes.h"
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
BENCHMARK(start_up)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

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
BENCHMARK(one_frame)->DenseRange(0, 8)->ArgName("scene")->UseRealTime()->Unit(benchmark::kMillisecond);

// The six copies of a ring's mesh sent to GL with every face culled: what submitting them costs the
// CPU, without the pixels. Argument 0 is obu1, 1 obu2.
static void ring_mesh_submission(benchmark::State& state)
{
    show_is_loaded();
    const Mesh& mesh = state.range(0) == 0 ? meshes.obu1 : meshes.obu2;
    cull_every_face(true);
    for (auto _ : state) {
        for (int copy = 0; copy < 6; ++copy)
            draw_mesh_sphere_mapped(mesh);
        glFinish();
    }
    cull_every_face(false);
    state.counters["faces"] = mesh.face_count;
    state.counters["vertices"] = mesh.vertex_count;
    state.SetItemsProcessed(state.iterations() * 6 * mesh.face_count);
}
BENCHMARK(ring_mesh_submission)->Arg(0)->Arg(1)->ArgName("mesh")->UseRealTime()->Unit(benchmark::kMillisecond);
