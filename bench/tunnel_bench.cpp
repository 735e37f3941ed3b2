// The tunnel: the ray cast of one frame alone (whole frames are in show_bench).
#include "effects/tunnel.h"
#include "effects/workspace.h"
#include "offscreen_show.h"
#include "show/show_state.h"

#include <benchmark/benchmark.h>

// A camera as the director builds it: a tilted rotation with the origin off the centre.
static const double tumbling_camera[16] = {0.36, 0.48, -0.8, 0, -0.8, 0.6, 0, 0, 0.48, 0.64, 0.6, 0, 0.3, -0.5, 0.9, 1};

static void tunnel_ray_cast(benchmark::State& state)
{
    for (auto _ : state) {
        cast_tunnel_grid(bench_show().work->tunnel, tumbling_camera);
        benchmark::DoNotOptimize(bench_show().work->tunnel.grid);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * tunnel_rows * tunnel_columns);
}
BENCHMARK(tunnel_ray_cast);
