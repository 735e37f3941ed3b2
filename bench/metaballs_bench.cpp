// The metaball volume: one frame of each blob scene's mesh (balls, field reset, add_balls,
// polygonize, normalising), beside a plain per-cell marching cubes on the same fields that shares
// no vertices and takes each vertex's normal from central differences of the field sampled there.
#include "effects/metaballs.h"

#include "effects/blob_scenes.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr int scene_box_radius = 10;
constexpr float scene_threshold = 0.5f;
constexpr float cluster_time = 5.0f;
constexpr float cavity_time = 9.971f;

enum class Scene { cluster, cavity };

// The ten balls of the blob scenes at their benchmark times: the free cluster, and the balls that
// have flown in to merge with the cavity wall.
void place_balls(Scene scene)
{
    MetaballVolume& v = blob_volume;
    v.ball_count = blob_ball_count;
    v.box_radius = scene_box_radius;
    v.threshold = scene_threshold;
    if (scene == Scene::cluster)
        place_cluster_balls(cluster_time, v.balls);
    else
        place_cavity_balls(cavity_time, v.balls);
}

void reset_field(Scene scene)
{
    if (scene == Scene::cluster)
        blob_volume.clear_field();
    else
        std::copy(cavity_field, cavity_field + cavity_size * cavity_size * cavity_size, blob_volume.field.begin());
}

// The scene's field, with the marks cleared as polygonize would so the next add_balls sums afresh.
void prepare_field(Scene scene)
{
    build_cavity_field();
    place_balls(scene);
    reset_field(scene);
    blob_volume.add_balls();
    std::fill(blob_volume.visited.begin(), blob_volume.visited.end(), 0);
}

void normalise(std::array<float, 3>* normals, int count)
{
    for (int i = 0; i < count; ++i) {
        std::array<float, 3>& n = normals[i];
        const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        if (length > 0.0f)
            for (float& c : n)
                c *= 1.0f / length;
    }
}

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
}

void report_mesh(benchmark::State& state, int vertices, int triangles)
{
    state.counters["vertices"] = vertices;
    state.counters["triangles"] = triangles;
}

// Whole frame of a blob scene's mesh: balls, field reset, add_balls, polygonize, normalising.
void blob_frame(benchmark::State& state, Scene scene)
{
    prepare_field(scene);
    for (auto _ : state) {
        place_balls(scene);
        reset_field(scene);
        blob_volume.add_balls();
        blob_volume.polygonize();
        normalise(blob_volume.normals.data(), blob_volume.vertex_count);
        benchmark::ClobberMemory();
    }
    report_mesh(state, blob_volume.vertex_count, blob_volume.triangle_count);
}

void textbook_frame(benchmark::State& state, Scene scene)
{
    prepare_field(scene);
    for (auto _ : state) {
        place_balls(scene);
        reset_field(scene);
        blob_volume.add_balls();
        std::fill(blob_volume.visited.begin(), blob_volume.visited.end(), 0);
        textbook_polygonize(blob_volume);
        normalise(textbook_normals, textbook_vertex_count);
        benchmark::ClobberMemory();
    }
    report_mesh(state, textbook_vertex_count, textbook_vertex_count / 3);
}

// The surface extraction alone, on the field of the scene prepared once.
void polygonize_only(benchmark::State& state, Scene scene)
{
    prepare_field(scene);
    for (auto _ : state) {
        blob_volume.polygonize();
        normalise(blob_volume.normals.data(), blob_volume.vertex_count);
        benchmark::ClobberMemory();
    }
    report_mesh(state, blob_volume.vertex_count, blob_volume.triangle_count);
}

void textbook_only(benchmark::State& state, Scene scene)
{
    prepare_field(scene);
    for (auto _ : state) {
        textbook_polygonize(blob_volume);
        normalise(textbook_normals, textbook_vertex_count);
        benchmark::ClobberMemory();
    }
    report_mesh(state, textbook_vertex_count, textbook_vertex_count / 3);
}

// The ball sums alone: field reset and add_balls, with the marks cleared as polygonize would.
void add_balls_only(benchmark::State& state, Scene scene)
{
    prepare_field(scene);
    for (auto _ : state) {
        reset_field(scene);
        blob_volume.add_balls();
        std::fill(blob_volume.visited.begin(), blob_volume.visited.end(), 0);
        benchmark::ClobberMemory();
    }
}

}  // namespace

BENCHMARK_CAPTURE(blob_frame, cluster, Scene::cluster)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(textbook_frame, cluster, Scene::cluster)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(blob_frame, cavity, Scene::cavity)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(textbook_frame, cavity, Scene::cavity)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(polygonize_only, cluster, Scene::cluster)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(textbook_only, cluster, Scene::cluster)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(polygonize_only, cavity, Scene::cavity)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(textbook_only, cavity, Scene::cavity)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(add_balls_only, cluster, Scene::cluster)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(add_balls_only, cavity, Scene::cavity)->Unit(benchmark::kMicrosecond);
