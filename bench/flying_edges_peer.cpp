// A library's marching cubes beside the metaball mesh, on the same fields: VTK's vtkFlyingEdges3D with
// normals, on one thread and on two (TBB). Built only where VTK is installed (make bench installs it).
#include "blob_frames.h"
#include "offscreen_show.h"
#include "effects/metaballs.h"
#include "ratios.h"

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <vtkFloatArray.h>
#include <vtkFlyingEdges3D.h>
#include <vtkImageData.h>
#include <vtkNew.h>
#include <vtkPointData.h>
#include <vtkPolyData.h>
#include <vtkSMPTools.h>

namespace {

// glibc gives the output arrays VTK frees after every run back to the system, so that each run
// faults them in afresh, which triples its time here. A long-running program keeps them: so does this.
constexpr int keep_freed_memory = 1 << 30;

// VTK's grid runs x fastest, the volume's z: the volume's z, y, x axes are VTK's x, y, z, the same
// samples in the same place in memory, the surface mirrored. The filter reads bench_volume()'s field.
struct FlyingEdges {
    vtkNew<vtkImageData> grid;
    vtkNew<vtkFloatArray> samples;
    vtkNew<vtkFlyingEdges3D> filter;

    FlyingEdges()
    {
        mallopt(M_MMAP_THRESHOLD, keep_freed_memory);
        mallopt(M_TRIM_THRESHOLD, keep_freed_memory);
        const MetaballVolume& v = bench_volume();
        const double step = 1.0 / v.half_size;
        grid->SetDimensions(v.size, v.size, v.size);
        grid->SetSpacing(step, step, step);
        grid->SetOrigin(-1.0, -1.0, -1.0);
        samples->SetArray(bench_volume().field.data(), static_cast<vtkIdType>(v.field.size()), 1);
        grid->GetPointData()->SetScalars(samples);
        filter->SetInputData(grid);
        filter->ComputeNormalsOn();
        filter->ComputeGradientsOff();
        filter->ComputeScalarsOff();
    }
};

void metaball_flying_edges(benchmark::State& state, BlobScene scene)
{
    static FlyingEdges peer;
    const int threads = static_cast<int>(state.range(0));
    vtkSMPTools::SetBackend(threads == 1 ? "Sequential" : "TBB");
    vtkSMPTools::Initialize(threads);
    int frame = 0;
    int64_t vertices = 0, triangles = 0;
    for (auto _ : state) {
        state.PauseTiming();
        load_blob_field(scene, frame);
        peer.filter->SetValue(0, bench_volume().threshold);
        peer.samples->Modified();
        state.ResumeTiming();
        peer.filter->Update();
        vertices += peer.filter->GetOutput()->GetNumberOfPoints();
        triangles += peer.filter->GetOutput()->GetNumberOfCells();
        frame = (frame + 1) % blob_frames;
    }
    report_mesh(state, vertices, triangles);
}

}  // namespace

BENCHMARK_CAPTURE(metaball_flying_edges, cluster, BlobScene::cluster)
    ->ArgName("threads")->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(metaball_flying_edges, cavity, BlobScene::cavity)
    ->ArgName("threads")->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMicrosecond);

BENCH_RATIO("mesh / flying edges on one thread, cluster", "metaball_mesh/cluster",
            "metaball_flying_edges/cluster/threads:1/real_time");
BENCH_RATIO("mesh / flying edges on two threads, cluster", "metaball_mesh/cluster",
            "metaball_flying_edges/cluster/threads:2/real_time");
BENCH_RATIO("mesh / flying edges on one thread, cavity", "metaball_mesh/cavity",
            "metaball_flying_edges/cavity/threads:1/real_time");
BENCH_RATIO("mesh / flying edges on two threads, cavity", "metaball_mesh/cavity",
            "metaball_flying_edges/cavity/threads:2/real_time");
