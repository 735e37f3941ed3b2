// The metaball field pass and polygonizer written the plain way, as the volume worked before it
// learnt to skip empty space: the yardstick of the equality tests.
#include "metaballs_reference.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr int empty_entry = -1;
constexpr int corner_offset[8][3] = {
    {0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}, {0, 1, 0}, {1, 1, 0}, {1, 1, 1}, {0, 1, 1},
};
constexpr int edge_corners[12][2] = {
    {0, 1}, {1, 2}, {2, 3}, {3, 0}, {4, 5}, {5, 6}, {6, 7}, {7, 4}, {0, 4}, {1, 5}, {2, 6}, {3, 7},
};
// Slab (0 low x plane, 1 the next), y step, z step and axis entry of each cell edge in the cache.
constexpr int edge_slot[12][4] = {
    {0, 0, 0, 0}, {1, 0, 0, 1}, {0, 0, 1, 0}, {0, 0, 0, 1}, {0, 1, 0, 0}, {1, 1, 0, 1},
    {0, 1, 1, 0}, {0, 1, 0, 1}, {0, 0, 0, 2}, {1, 0, 0, 2}, {1, 0, 1, 2}, {0, 0, 1, 2},
};

int index_of(const MetaballVolume& v, int x, int y, int z) { return (x * v.size + y) * v.size + z; }

// Central difference inside, one-sided and doubled on the outer planes.
float difference(const MetaballVolume& v, const int p[3], int axis)
{
    int ahead[3] = {p[0], p[1], p[2]}, behind[3] = {p[0], p[1], p[2]};
    ahead[axis] = std::min(p[axis] + 1, v.size - 1);
    behind[axis] = std::max(p[axis] - 1, 0);
    const float d = v.field[index_of(v, ahead[0], ahead[1], ahead[2])] -
                    v.field[index_of(v, behind[0], behind[1], behind[2])];
    return ahead[axis] - behind[axis] == 2 ? d : 2.0f * d;
}

int32_t vertex_on_edge(MetaballVolume& v, const int low[3], int e)
{
    if (v.vertex_count >= max_vertices)
        return empty_entry;
    int p[2][3];
    for (int end = 0; end < 2; ++end)
        for (int k = 0; k < 3; ++k)
            p[end][k] = low[k] + corner_offset[edge_corners[e][end]][k];
    const float f_a = v.field[index_of(v, p[0][0], p[0][1], p[0][2])];
    const float f_b = v.field[index_of(v, p[1][0], p[1][1], p[1][2])];
    const float mu = (v.threshold - f_a) / (f_b - f_a);
    const float step = 1.0f / static_cast<float>(v.half_size);
    const auto& g_a = v.gradient[index_of(v, p[0][0], p[0][1], p[0][2])];
    const auto& g_b = v.gradient[index_of(v, p[1][0], p[1][1], p[1][2])];
    for (int k = 0; k < 3; ++k) {
        const float a = static_cast<float>(p[0][k]) * step - 1.0f, b = static_cast<float>(p[1][k]) * step - 1.0f;
        v.positions[v.vertex_count][k] = a + mu * (b - a);
        v.normals[v.vertex_count][k] = g_a[k] + mu * (g_b[k] - g_a[k]);
    }
    return v.vertex_count++;
}

void polygonize_cell(MetaballVolume& v, int32_t* slabs[2], const int low[3])
{
    int cube = 0;
    for (int k = 0; k < 8; ++k)
        cube |= (v.field[index_of(v, low[0] + corner_offset[k][0], low[1] + corner_offset[k][1],
                                  low[2] + corner_offset[k][2])] > v.threshold)
                << k;
    const int mask = marching_edge_table[cube];
    for (int e = 0; e < 12; ++e) {
        if (!(mask >> e & 1))
            continue;
        const int* s = edge_slot[e];
        int32_t& cached = slabs[s[0]][(low[1] + s[1]) * v.row_entries + (low[2] + s[2]) * 3 + s[3]];
        if (cached == empty_entry)
            cached = vertex_on_edge(v, low, e);
        v.cell_vertex[e] = cached;
    }
    const int8_t* row = marching_triangle_table[cube];
    for (int k = 0; row[k] != -1; k += 3) {
        const int32_t i[3] = {v.cell_vertex[row[k]], v.cell_vertex[row[k + 1]], v.cell_vertex[row[k + 2]]};
        if (i[0] == empty_entry || i[1] == empty_entry || i[2] == empty_entry || v.triangle_count >= max_triangles)
            continue;
        v.triangles[v.triangle_count++] = {static_cast<uint16_t>(i[0]), static_cast<uint16_t>(i[1]),
                                           static_cast<uint16_t>(i[2])};
    }
}

}  // namespace

void reference_add_balls(MetaballVolume& v)
{
    const int count = std::clamp(v.ball_count, 0, max_balls);
    const float inverse_area = 1.0f / static_cast<float>(v.plane_size);
    for (int i = 0; i < count; ++i) {
        const Ball& b = v.balls[i];
        v.grid_balls[i] = {(b.x + 1.0f) * v.half_size, (b.y + 1.0f) * v.half_size, (b.z + 1.0f) * v.half_size,
                           b.strength * inverse_area};
    }
    for (int i = 0; i < count; ++i) {
        int first[3], last[3];
        const float centre[3] = {v.grid_balls[i].x, v.grid_balls[i].y, v.grid_balls[i].z};
        for (int k = 0; k < 3; ++k) {
            const int64_t base = static_cast<int64_t>(std::fmin(std::fmax(centre[k], -1.0e9f), 1.0e9f));
            first[k] = static_cast<int>(std::max<int64_t>(base - v.box_radius, 0));
            last[k] = static_cast<int>(std::min<int64_t>(base + v.box_radius, v.size - 1));
        }
        for (int x = first[0]; x <= last[0]; ++x)
            for (int y = first[1]; y <= last[1]; ++y)
                for (int z = first[2]; z <= last[2]; ++z) {
                    const int point = index_of(v, x, y, z);
                    if (v.visited[point])
                        continue;
                    float sum = 0.0f;
                    for (int j = 0; j < count; ++j) {
                        const Ball& b = v.grid_balls[j];
                        const float dx = x - b.x, dy = y - b.y, dz = z - b.z;
                        sum += ball_falloff(b.strength * ((dx * dx + dy * dy) + dz * dz));
                    }
                    v.field[point] += sum;
                    v.visited[point] = 1;
                }
    }
}

void reference_polygonize(MetaballVolume& v)
{
    v.vertex_count = 0;
    v.triangle_count = 0;
    for (int x = 0; x < v.size; ++x)
        for (int y = 0; y < v.size; ++y)
            for (int z = 0; z < v.size; ++z) {
                const int p[3] = {x, y, z};
                v.gradient[index_of(v, x, y, z)] = {difference(v, p, 0), difference(v, p, 1), difference(v, p, 2)};
            }
    int32_t* slabs[2] = {v.edge_cache[0].data(), v.edge_cache[1].data()};
    for (int x = 1; x < v.size - 1; ++x) {
        for (int y = 1; y < v.size - 1; ++y)
            for (int z = 1; z < v.size - 1; ++z) {
                const int low[3] = {x, y, z};
                polygonize_cell(v, slabs, low);
            }
        std::fill(slabs[0], slabs[0] + v.slab_entries, empty_entry);
        std::swap(slabs[0], slabs[1]);
    }
    std::fill(slabs[0], slabs[0] + v.slab_entries, empty_entry);
    std::fill(v.visited.begin(), v.visited.end(), 0);
}
