// The metaball volume on the blob scenes' fields (eleven frames of each scene, one frame an iteration):
// the field pass, the mesh with its normals made unit, and both together as a frame makes them; the
// mesh beside a textbook marching cubes that shares no vertices and takes each vertex's normal from
// central differences of the field sampled there (flying_edges_peer.cpp adds a library's).
#include "blob_frames.h"
#include "offscreen_show.h"
#include "effects/blob_scenes.h"
#include "effects/metaballs.h"
#include "ratios.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>

namespace {

// The textbook marching cubes: every cell interpolates the vertices of its own cut edges and emits
// its triangles as unshared vertex triples.
constexpr int textbook_max_vertices = 3 * max_triangles;
std::array<float, 3> textbook_positions[textbook_max_vertices];
std::array<float, 3> textbook_normals[textbook_max_vertices];
int textbook_vertex_count;

constexpr int corner_offset[8][3] = {
    {0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}, {0, 1, 0}, {1, 1, 0}, {1, 1, 1}, {0, 1, 1},
};
constexpr int edge_corners[12][2] = {
    {0, 1}, {1, 2}, {2, 3}, {3, 0}, {4, 5}, {5, 6}, {6, 7}, {7, 4}, {0, 4}, {1, 5}, {2, 6}, {3, 7},
};

// The field at a point in grid coordinates, trilinear between the eight surrounding samples.
float sample_field(const MetaballVolume& v, float gx, float gy, float gz)
{
    const int n = v.size;
    const float g[3] = {std::clamp(gx, 0.0f, n - 1.001f), std::clamp(gy, 0.0f, n - 1.001f),
                        std::clamp(gz, 0.0f, n - 1.001f)};
    const int i[3] = {static_cast<int>(g[0]), static_cast<int>(g[1]), static_cast<int>(g[2])};
    const float u = g[0] - i[0], w = g[1] - i[1], s = g[2] - i[2];
    auto at = [&](int dx, int dy, int dz) { return v.field[((i[0] + dx) * n + i[1] + dy) * n + i[2] + dz]; };
    const float c00 = at(0, 0, 0) + s * (at(0, 0, 1) - at(0, 0, 0));
    const float c01 = at(0, 1, 0) + s * (at(0, 1, 1) - at(0, 1, 0));
    const float c10 = at(1, 0, 0) + s * (at(1, 0, 1) - at(1, 0, 0));
    const float c11 = at(1, 1, 0) + s * (at(1, 1, 1) - at(1, 1, 0));
    const float c0 = c00 + w * (c01 - c00);
    const float c1 = c10 + w * (c11 - c10);
    return c0 + u * (c1 - c0);
}

void textbook_polygonize(const MetaballVolume& v)
{
    const int n = v.size;
    const float step = 1.0f / v.half_size;
    textbook_vertex_count = 0;
    std::array<float, 3> edge_position[12], edge_normal[12];
    for (int x = 1; x < n - 1; ++x)
        for (int y = 1; y < n - 1; ++y)
            for (int z = 1; z < n - 1; ++z) {
                float value[8];
                int cube = 0;
                for (int k = 0; k < 8; ++k) {
                    value[k] = v.field[((x + corner_offset[k][0]) * n + y + corner_offset[k][1]) * n + z +
                                       corner_offset[k][2]];
                    cube |= (value[k] > v.threshold) << k;
                }
                const int mask = marching_edge_table[cube];
                if (mask == 0)
                    continue;
                for (int e = 0; e < 12; ++e) {
                    if (!(mask & (1 << e)))
                        continue;
                    const int a = edge_corners[e][0], b = edge_corners[e][1];
                    const float mu = (v.threshold - value[a]) / (value[b] - value[a]);
                    float g[3];
                    for (int k = 0; k < 3; ++k) {
                        const int low[3] = {x, y, z};
                        g[k] = low[k] + corner_offset[a][k] + mu * (corner_offset[b][k] - corner_offset[a][k]);
                        edge_position[e][k] = g[k] * step - 1.0f;
                    }
                    edge_normal[e] = {sample_field(v, g[0] + 1, g[1], g[2]) - sample_field(v, g[0] - 1, g[1], g[2]),
                                      sample_field(v, g[0], g[1] + 1, g[2]) - sample_field(v, g[0], g[1] - 1, g[2]),
                                      sample_field(v, g[0], g[1], g[2] + 1) - sample_field(v, g[0], g[1], g[2] - 1)};
                }
                const int8_t* row = marching_triangle_table[cube];
                for (int k = 0; row[k] != -1 && textbook_vertex_count < textbook_max_vertices; ++k) {
                    textbook_positions[textbook_vertex_count] = edge_position[row[k]];
                    textbook_normals[textbook_vertex_count] = edge_normal[row[k]];
                    ++textbook_vertex_count;
                }
            }
    for (int i = 0; i < textbook_vertex_count; ++i) {
        std::array<float, 3>& normal = textbook_normals[i];
        const float length = std::sqrt(normal[0] * normal[0] + normal[1] * normal[1] + normal[2] * normal[2]);
        if (length > 0.0f)
            for (float& c : normal)
                c /= length;
    }
}

// The field pass alone: the balls, the field reset and add_balls, with the marks cleared as
// polygonize would clear them.
void metaball_field(benchmark::State& state, BlobScene scene)
{
    int frame = 0;
    for (auto _ : state) {
        place_blob_frame(scene, frame);
        reset_blob_field(scene);
        bench_volume().add_balls();
        std::fill(bench_volume().visited.begin(), bench_volume().visited.end(), 0);
        benchmark::ClobberMemory();
        frame = (frame + 1) % blob_frames;
    }
}

// The mesh alone, on the frame's field loaded outside the timing: polygonize and the normals made
// unit length, as the scenes draw them.
void metaball_mesh(benchmark::State& state, BlobScene scene)
{
    int frame = 0;
    int64_t vertices = 0, triangles = 0;
    for (auto _ : state) {
        state.PauseTiming();
        load_blob_field(scene, frame);
        state.ResumeTiming();
        bench_volume().polygonize();
        normalise_normals(bench_volume());
        benchmark::ClobberMemory();
        vertices += bench_volume().vertex_count;
        triangles += bench_volume().triangle_count;
        frame = (frame + 1) % blob_frames;
    }
    report_mesh(state, vertices, triangles);
}

void metaball_textbook_mesh(benchmark::State& state, BlobScene scene)
{
    int frame = 0;
    int64_t vertices = 0;
    for (auto _ : state) {
        state.PauseTiming();
        load_blob_field(scene, frame);
        state.ResumeTiming();
        textbook_polygonize(bench_volume());
        benchmark::ClobberMemory();
        vertices += textbook_vertex_count;
        frame = (frame + 1) % blob_frames;
    }
    report_mesh(state, vertices, vertices / 3);
}

// A whole frame's mesh as the scenes make it: balls, field reset, add_balls, polygonize, normals.
void metaball_frame(benchmark::State& state, BlobScene scene)
{
    int frame = 0;
    for (auto _ : state) {
        place_blob_frame(scene, frame);
        reset_blob_field(scene);
        bench_volume().add_balls();
        bench_volume().polygonize();
        normalise_normals(bench_volume());
        benchmark::ClobberMemory();
        frame = (frame + 1) % blob_frames;
    }
}

}  // namespace

BENCHMARK_CAPTURE(metaball_field, cluster, BlobScene::cluster)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(metaball_field, cavity, BlobScene::cavity)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(metaball_mesh, cluster, BlobScene::cluster)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(metaball_mesh, cavity, BlobScene::cavity)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(metaball_textbook_mesh, cluster, BlobScene::cluster)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(metaball_textbook_mesh, cavity, BlobScene::cavity)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(metaball_frame, cluster, BlobScene::cluster)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(metaball_frame, cavity, BlobScene::cavity)->Unit(benchmark::kMicrosecond);

BENCH_RATIO("mesh / textbook mesh, cluster", "metaball_mesh/cluster", "metaball_textbook_mesh/cluster");
BENCH_RATIO("mesh / textbook mesh, cavity", "metaball_mesh/cavity", "metaball_textbook_mesh/cavity");
