// The metaball volume: ten or so soft balls summed into a 32³ field and marched into the blob mesh
// the viewer sees swell and merge in scenes 1, 5 and 6, each surface vertex made once and shared.
#include "effects/metaballs.h"

#include <algorithm>
#include <cmath>

namespace {

// An edge_cache entry that holds no vertex (vertex 0 is a real index).
constexpr int32_t empty_entry = -1;
// Edge-cache entries per grid point: the edges toward x + 1, toward z + 1 and toward y + 1.
constexpr int axes_per_point = 3;
// A ball's position beyond this many grid cells is clamped before it is truncated to its base cell:
// far enough out to visit nothing, near enough never to overflow an int.
constexpr float farthest_ball_cell = 1.0e9f;
// Grid points of a row whose ball sums are worked out together.
constexpr int row_chunk = 8;

// Grid offsets (x, y, z) of the cell corners c0 … c7 from the cell's lowest corner.
constexpr int corner_offset[8][3] = {
    {0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}, {0, 1, 0}, {1, 1, 0}, {1, 1, 1}, {0, 1, 1},
};

// The corners of edges e0 … e11, first to second; the vertex is interpolated from the first.
constexpr int edge_corners[12][2] = {
    {0, 1}, {1, 2}, {2, 3}, {3, 0}, {4, 5}, {5, 6}, {6, 7}, {7, 4}, {0, 4}, {1, 5}, {2, 6}, {3, 7},
};

// Where each cell edge is filed in the edge cache: the slab (0 for the cell's low x plane, 1 for the
// next), the row (y) and point (z) steps from the cell's lowest corner, and the axis entry.
struct EdgeSlot {
    int slab, row_step, point_step, axis;
};
constexpr EdgeSlot edge_slot[12] = {
    {0, 0, 0, 0}, {1, 0, 0, 1}, {0, 0, 1, 0}, {0, 0, 0, 1}, {0, 1, 0, 0}, {1, 1, 0, 1},
    {0, 1, 1, 0}, {0, 1, 0, 1}, {0, 0, 0, 2}, {1, 0, 0, 2}, {1, 0, 1, 2}, {0, 0, 1, 2},
};

// Index steps of one cell, worked out once per polygonize for the volume's size.
struct CellLayout {
    int corner_step[8];  // from the lowest corner's field index to each corner's
    int slot_step[12];   // from the lowest corner's slab entry to each edge's
};

CellLayout cell_layout(const MetaballVolume& v)
{
    CellLayout layout;
    for (int k = 0; k < 8; ++k) {
        const int* o = corner_offset[k];
        layout.corner_step[k] = o[0] * v.plane_size + o[1] * v.size + o[2];
    }
    for (int e = 0; e < 12; ++e) {
        const EdgeSlot& s = edge_slot[e];
        layout.slot_step[e] = s.row_step * v.row_entries + s.point_step * axes_per_point + s.axis;
    }
    return layout;
}

// The grid points a ball's box covers along one axis: base cell ± radius, clipped to the grid.
struct Span {
    int first, last;
};

// A span that misses the grid comes out empty (first > last) whatever the radius.
Span box_span(float grid_coordinate, int radius, int size)
{
    const float clamped = std::fmin(std::fmax(grid_coordinate, -farthest_ball_cell), farthest_ball_cell);
    const int64_t base = static_cast<int64_t>(clamped);
    return {static_cast<int>(std::clamp<int64_t>(base - radius, 0, size)),
            static_cast<int>(std::clamp<int64_t>(base + radius, -1, size - 1))};
}

// Sums every ball's falloff into the not yet visited points z = first … last of the row (x, y).
// A ball whose scaled squared distance to the whole row already exceeds 1 adds exactly 0 to each
// point there, so it is left out. The sums run over fixed-length chunks of the row, ball by ball in
// order (the same order of additions for each point as one point at a time, so the same result),
// which lets the compiler evaluate several points at once.
void sum_row(MetaballVolume& v, int count, int x, int y, Span z_span)
{
    float row_distance[max_balls];
    float strength[max_balls];
    float ball_z[max_balls];
    int near_count = 0;
    for (int i = 0; i < count; ++i) {
        const Ball& b = v.grid_balls[i];
        const float dx = static_cast<float>(x) - b.x;
        const float dy = static_cast<float>(y) - b.y;
        const float distance = dx * dx + dy * dy;
        if (b.strength * distance > 1.0f)
            continue;
        row_distance[near_count] = distance;
        strength[near_count] = b.strength;
        ball_z[near_count] = b.z;
        ++near_count;
    }
    const int row = x * v.plane_size + y * v.size;
    float* samples = &v.field[row];
    uint8_t* marks = &v.visited[row];
    for (int first = z_span.first; first <= z_span.last; first += row_chunk) {
        const int length = std::min(row_chunk, z_span.last - first + 1);
        if (std::find(marks + first, marks + first + length, 0) == marks + first + length)
            continue;
        float sum[row_chunk] = {};
        for (int i = 0; i < near_count; ++i)
            for (int k = 0; k < row_chunk; ++k) {
                const float dz = static_cast<float>(first + k) - ball_z[i];
                sum[k] += ball_falloff(strength[i] * (row_distance[i] + dz * dz));
            }
        for (int k = 0; k < length; ++k)
            if (!marks[first + k]) {
                samples[first + k] += sum[k];
                marks[first + k] = 1;
            }
    }
}

// Field difference along one axis (index stride `stride`) at coordinate i, toward higher
// coordinates: central inside the grid; on the outer planes, where the far neighbour is missing, a
// one-sided difference doubled to the central difference's scale.
float axis_difference(const float* sample, int i, int size, int stride)
{
    if (i == 0)
        return 2.0f * (sample[stride] - sample[0]);
    if (i == size - 1)
        return 2.0f * (sample[0] - sample[-stride]);
    return sample[stride] - sample[-stride];
}

void face_point_gradient(MetaballVolume& v, int x, int y, int z)
{
    const int n = v.size;
    const int point = x * v.plane_size + y * n + z;
    const float* f = &v.field[point];
    v.gradient[point] = {axis_difference(f, x, n, v.plane_size), axis_difference(f, y, n, n),
                         axis_difference(f, z, n, 1)};
}

// Central differences everywhere inside; the points on the outer faces take the one-sided kind.
void build_gradient(MetaballVolume& v)
{
    const int n = v.size;
    if (n < 2)
        return;
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) {
            if (x == 0 || x == n - 1 || y == 0 || y == n - 1) {
                for (int z = 0; z < n; ++z)
                    face_point_gradient(v, x, y, z);
                continue;
            }
            face_point_gradient(v, x, y, 0);
            const int row = x * v.plane_size + y * n;
            const float* f = &v.field[row];
            std::array<float, 3>* g = &v.gradient[row];
            for (int z = 1; z < n - 1; ++z)
                g[z] = {f[z + v.plane_size] - f[z - v.plane_size], f[z + n] - f[z - n], f[z + 1] - f[z - 1]};
            face_point_gradient(v, x, y, n - 1);
        }
}

// The four grid points (x, y), (x + 1, y), (x, y + 1), (x + 1, y + 1) of a row of cells along z.
// Each z plane of the row is the high face of one cell and the low face of the next, so its inside
// bits are worked out once and carried along.
struct CellRow {
    const float* point[4];
};

CellRow cell_row(const MetaballVolume& v, int x, int y)
{
    const float* base = &v.field[x * v.plane_size + y * v.size];
    return {{base, base + v.plane_size, base + v.size, base + v.plane_size + v.size}};
}

// Bit j set when point j of the row is inside (strictly above threshold) at height z.
inline int inside_bits(const CellRow& row, int z, float threshold)
{
    return (row.point[0][z] > threshold) | (row.point[1][z] > threshold) << 1 |
           (row.point[2][z] > threshold) << 2 | (row.point[3][z] > threshold) << 3;
}

// Cube-index bits for each pattern of inside_bits, taken as the cell's low face (z) or high face
// (z + 1): row point j = (dx, dy) is the corner with offset (dx, dy, dz).
constexpr std::array<uint8_t, 16> face_bits(int dz)
{
    std::array<uint8_t, 16> bits{};
    for (int pattern = 0; pattern < 16; ++pattern)
        for (int j = 0; j < 4; ++j)
            for (int k = 0; k < 8; ++k)
                if ((pattern >> j & 1) && corner_offset[k][0] == (j & 1) && corner_offset[k][1] == (j >> 1) &&
                    corner_offset[k][2] == dz)
                    bits[pattern] |= 1 << k;
    return bits;
}
constexpr std::array<uint8_t, 16> low_face_bits = face_bits(0);
constexpr std::array<uint8_t, 16> high_face_bits = face_bits(1);

// Appends the vertex on edge e of the cell whose lowest corner is `low` (field index `cell`) and
// returns its index, or empty_entry when the vertex arrays are full.
int32_t make_vertex(MetaballVolume& v, const CellLayout& layout, const int low[3], int cell, int e)
{
    if (v.vertex_count >= max_vertices)
        return empty_entry;
    const int a = edge_corners[e][0];
    const int b = edge_corners[e][1];
    const int index_a = cell + layout.corner_step[a];
    const int index_b = cell + layout.corner_step[b];
    const float f_a = v.field[index_a];
    const float mu = (v.threshold - f_a) / (v.field[index_b] - f_a);
    const float step = 1.0f / static_cast<float>(v.half_size);
    const std::array<float, 3>& g_a = v.gradient[index_a];
    const std::array<float, 3>& g_b = v.gradient[index_b];
    std::array<float, 3>& position = v.positions[v.vertex_count];
    std::array<float, 3>& normal = v.normals[v.vertex_count];
    for (int k = 0; k < 3; ++k) {
        const float p_a = static_cast<float>(low[k] + corner_offset[a][k]) * step - 1.0f;
        const float p_b = static_cast<float>(low[k] + corner_offset[b][k]) * step - 1.0f;
        position[k] = p_a + mu * (p_b - p_a);
        normal[k] = g_a[k] + mu * (g_b[k] - g_a[k]);
    }
    return v.vertex_count++;
}

// Fills cell_vertex for every cut edge of the cell, from the edge cache or by making the vertex.
void find_cell_vertices(MetaballVolume& v, const CellLayout& layout, int32_t* const slabs[2],
                        const int low[3], int cell, int edge_mask)
{
    const int entry = low[1] * v.row_entries + low[2] * axes_per_point;
    for (int e = 0; e < 12; ++e) {
        if (!(edge_mask & (1 << e)))
            continue;
        int32_t& cached = slabs[edge_slot[e].slab][entry + layout.slot_step[e]];
        if (cached == empty_entry)
            cached = make_vertex(v, layout, low, cell, e);
        v.cell_vertex[e] = cached;
    }
}

// Appends the cell's triangles in table order. Once the arrays are full the mesh is cut short but
// stays consistent: a triangle is added only if all three of its vertices exist and there is room
// for it, so every index stays below vertex_count.
void add_cell_triangles(MetaballVolume& v, int cube)
{
    const int8_t* row = marching_triangle_table[cube];
    for (int k = 0; row[k] != -1; k += 3) {
        const int32_t i0 = v.cell_vertex[row[k]];
        const int32_t i1 = v.cell_vertex[row[k + 1]];
        const int32_t i2 = v.cell_vertex[row[k + 2]];
        if (i0 == empty_entry || i1 == empty_entry || i2 == empty_entry || v.triangle_count >= max_triangles)
            continue;
        v.triangles[v.triangle_count++] = {static_cast<uint16_t>(i0), static_cast<uint16_t>(i1),
                                           static_cast<uint16_t>(i2)};
    }
}

// The cells with lowest corner (x, y, 1 … size − 2), in order of z.
void polygonize_row(MetaballVolume& v, const CellLayout& layout, int32_t* const slabs[2], int x, int y)
{
    const CellRow row = cell_row(v, x, y);
    const float threshold = v.threshold;
    int low_face = inside_bits(row, 1, threshold);
    for (int z = 1; z < v.size - 1; ++z) {
        const int high_face = inside_bits(row, z + 1, threshold);
        const int cube = low_face_bits[low_face] | high_face_bits[high_face];
        low_face = high_face;
        const int edge_mask = marching_edge_table[cube];
        if (edge_mask == 0)
            continue;
        const int low[3] = {x, y, z};
        find_cell_vertices(v, layout, slabs, low, x * v.plane_size + y * v.size + z, edge_mask);
        add_cell_triangles(v, cube);
    }
}

void empty_slab(MetaballVolume& v, int32_t* slab)
{
    std::fill(slab, slab + v.slab_entries, empty_entry);
}

}  // namespace

MetaballVolume blob_volume(32);
float cavity_field[cavity_size * cavity_size * cavity_size];

MetaballVolume::MetaballVolume(int n)
    : half_size(n / 2),
      plane_size(n * n),
      slab_entries(axes_per_point * n * n),
      row_entries(axes_per_point * n),
      gradient(static_cast<size_t>(n) * n * n),
      visited(static_cast<size_t>(n) * n * n, 0),
      edge_cache{std::vector<int32_t>(slab_entries, empty_entry), std::vector<int32_t>(slab_entries, empty_entry)},
      cell_vertex{},
      field(static_cast<size_t>(n) * n * n, 0.0f),
      size(n),
      positions(max_vertices),
      normals(max_vertices),
      triangles(max_triangles),
      vertex_count(0),
      triangle_count(0),
      balls{},
      grid_balls{},
      ball_count(0),
      threshold(0.2f),
      box_radius(7)
{
}

void MetaballVolume::clear_field()
{
    std::fill(field.begin(), field.end(), 0.0f);
}

// Every grid point inside at least one ball's box gets the falloff of all balls, exactly once: the
// visited marks (cleared again by polygonize) skip points an earlier box has summed.
void MetaballVolume::add_balls()
{
    const int count = std::clamp(ball_count, 0, max_balls);
    const float inverse_area = 1.0f / static_cast<float>(plane_size);
    for (int i = 0; i < count; ++i) {
        const Ball& b = balls[i];
        grid_balls[i] = {(b.x + 1.0f) * half_size, (b.y + 1.0f) * half_size, (b.z + 1.0f) * half_size,
                         b.strength * inverse_area};
    }
    for (int i = 0; i < count; ++i) {
        const Ball& b = grid_balls[i];
        const Span x_span = box_span(b.x, box_radius, size);
        const Span y_span = box_span(b.y, box_radius, size);
        const Span z_span = box_span(b.z, box_radius, size);
        for (int x = x_span.first; x <= x_span.last; ++x)
            for (int y = y_span.first; y <= y_span.last; ++y)
                sum_row(*this, count, x, y, z_span);
    }
}

// Marching cubes over the inner cells (lowest corner 1 … size − 2 on each axis; the outermost layer
// stays open). Plane by plane in x, each cut grid edge gets one vertex, found again by the
// neighbouring cells through the two-slab edge cache: the slab of the cell's low x plane and the
// slab of the plane above, which takes over when the plane is done.
void MetaballVolume::polygonize()
{
    vertex_count = 0;
    triangle_count = 0;
    build_gradient(*this);
    const CellLayout layout = cell_layout(*this);
    int32_t* slabs[2] = {edge_cache[0].data(), edge_cache[1].data()};
    for (int x = 1; x < size - 1; ++x) {
        for (int y = 1; y < size - 1; ++y)
            polygonize_row(*this, layout, slabs, x, y);
        empty_slab(*this, slabs[0]);
        std::swap(slabs[0], slabs[1]);
    }
    // The slab of the last plane still holds its vertices; both slabs start the next call empty.
    empty_slab(*this, slabs[0]);
    // Every mark is 0 again, ready for the next add_balls.
    std::fill(visited.begin(), visited.end(), 0);
}

void build_cavity_field()
{
    constexpr int centre = cavity_size / 2;
    constexpr float y_squeeze = 2.2f;
    constexpr float scale = 0.01f;
    constexpr float offset = 1.05f;
    for (int x = 0; x < cavity_size; ++x)
        for (int y = 0; y < cavity_size; ++y)
            for (int z = 0; z < cavity_size; ++z) {
                const int dx = x - centre, dy = y - centre, dz = z - centre;
                const float value =
                    static_cast<float>(dx * dx) + y_squeeze * static_cast<float>(dy * dy) + static_cast<float>(dz * dz);
                cavity_field[(x * cavity_size + y) * cavity_size + z] = std::clamp(value * scale - offset, 0.0f, 1.0f);
            }
}

// The standard marching-cubes tables for the corner and edge numbering above.
const uint16_t marching_edge_table[256] = {
    0x000, 0x109, 0x203, 0x30a, 0x406, 0x50f, 0x605, 0x70c, 0x80c, 0x905, 0xa0f, 0xb06, 0xc0a, 0xd03, 0xe09, 0xf00,
    0x190, 0x099, 0x393, 0x29a, 0x596, 0x49f, 0x795, 0x69c, 0x99c, 0x895, 0xb9f, 0xa96, 0xd9a, 0xc93, 0xf99, 0xe90,
    0x230, 0x339, 0x033, 0x13a, 0x636, 0x73f, 0x435, 0x53c, 0xa3c, 0xb35, 0x83f, 0x936, 0xe3a, 0xf33, 0xc39, 0xd30,
    0x3a0, 0x2a9, 0x1a3, 0x0aa, 0x7a6, 0x6af, 0x5a5, 0x4ac, 0xbac, 0xaa5, 0x9af, 0x8a6, 0xfaa, 0xea3, 0xda9, 0xca0,
    0x460, 0x569, 0x663, 0x76a, 0x066, 0x16f, 0x265, 0x36c, 0xc6c, 0xd65, 0xe6f, 0xf66, 0x86a, 0x963, 0xa69, 0xb60,
    0x5f0, 0x4f9, 0x7f3, 0x6fa, 0x1f6, 0x0ff, 0x3f5, 0x2fc, 0xdfc, 0xcf5, 0xfff, 0xef6, 0x9fa, 0x8f3, 0xbf9, 0xaf0,
    0x650, 0x759, 0x453, 0x55a, 0x256, 0x35f, 0x055, 0x15c, 0xe5c, 0xf55, 0xc5f, 0xd56, 0xa5a, 0xb53, 0x859, 0x950,
    0x7c0, 0x6c9, 0x5c3, 0x4ca, 0x3c6, 0x2cf, 0x1c5, 0x0cc, 0xfcc, 0xec5, 0xdcf, 0xcc6, 0xbca, 0xac3, 0x9c9, 0x8c0,
    0x8c0, 0x9c9, 0xac3, 0xbca, 0xcc6, 0xdcf, 0xec5, 0xfcc, 0x0cc, 0x1c5, 0x2cf, 0x3c6, 0x4ca, 0x5c3, 0x6c9, 0x7c0,
    0x950, 0x859, 0xb53, 0xa5a, 0xd56, 0xc5f, 0xf55, 0xe5c, 0x15c, 0x055, 0x35f, 0x256, 0x55a, 0x453, 0x759, 0x650,
    0xaf0, 0xbf9, 0x8f3, 0x9fa, 0xef6, 0xfff, 0xcf5, 0xdfc, 0x2fc, 0x3f5, 0x0ff, 0x1f6, 0x6fa, 0x7f3, 0x4f9, 0x5f0,
    0xb60, 0xa69, 0x963, 0x86a, 0xf66, 0xe6f, 0xd65, 0xc6c, 0x36c, 0x265, 0x16f, 0x066, 0x76a, 0x663, 0x569, 0x460,
    0xca0, 0xda9, 0xea3, 0xfaa, 0x8a6, 0x9af, 0xaa5, 0xbac, 0x4ac, 0x5a5, 0x6af, 0x7a6, 0x0aa, 0x1a3, 0x2a9, 0x3a0,
    0xd30, 0xc39, 0xf33, 0xe3a, 0x936, 0x83f, 0xb35, 0xa3c, 0x53c, 0x435, 0x73f, 0x636, 0x13a, 0x033, 0x339, 0x230,
    0xe90, 0xf99, 0xc93, 0xd9a, 0xa96, 0xb9f, 0x895, 0x99c, 0x69c, 0x795, 0x49f, 0x596, 0x29a, 0x393, 0x099, 0x190,
    0xf00, 0xe09, 0xd03, 0xc0a, 0xb06, 0xa0f, 0x905, 0x80c, 0x70c, 0x605, 0x50f, 0x406, 0x30a, 0x203, 0x109, 0x000,
};

const int8_t marching_triangle_table[256][16] = {
    {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {0, 8, 3, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {0, 1, 9, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {1, 8, 3, 9, 8, 1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {1, 2, 10, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {0, 8, 3, 1, 2, 10, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {9, 2, 10, 0, 2, 9, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {2, 8, 3, 2, 10, 8, 10, 9, 8, -1, -1, -1, -1, -1, -1, -1},
    {3, 11, 2, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {0, 11, 2, 8, 11, 0, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {1, 9, 0, 2, 3, 11, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {1, 11, 2, 1, 9, 11, 9, 8, 11, -1, -1, -1, -1, -1, -1, -1},
    {3, 10, 1, 11, 10, 3, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {0, 10, 1, 0, 8, 10, 8, 11, 10, -1, -1, -1, -1, -1, -1, -1},
    {3, 9, 0, 3, 11, 9, 11, 10, 9, -1, -1, -1, -1, -1, -1, -1},
    {9, 8, 10, 10, 8, 11, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {4, 7, 8, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {4, 3, 0, 7, 3, 4, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {0, 1, 9, 8, 4, 7, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {4, 1, 9, 4, 7, 1, 7, 3, 1, -1, -1, -1, -1, -1, -1, -1},
    {1, 2, 10, 8, 4, 7, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {3, 4, 7, 3, 0, 4, 1, 2, 10, -1, -1, -1, -1, -1, -1, -1},
    {9, 2, 10, 9, 0, 2, 8, 4, 7, -1, -1, -1, -1, -1, -1, -1},
    {2, 10, 9, 2, 9, 7, 2, 7, 3, 7, 9, 4, -1, -1, -1, -1},
    {8, 4, 7, 3, 11, 2, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {11, 4, 7, 11, 2, 4, 2, 0, 4, -1, -1, -1, -1, -1, -1, -1},
    {9, 0, 1, 8, 4, 7, 2, 3, 11, -1, -1, -1, -1, -1, -1, -1},
    {4, 7, 11, 9, 4, 11, 9, 11, 2, 9, 2, 1, -1, -1, -1, -1},
    {3, 10, 1, 3, 11, 10, 7, 8, 4, -1, -1, -1, -1, -1, -1, -1},
    {1, 11, 10, 1, 4, 11, 1, 0, 4, 7, 11, 4, -1, -1, -1, -1},
    {4, 7, 8, 9, 0, 11, 9, 11, 10, 11, 0, 3, -1, -1, -1, -1},
    {4, 7, 11, 4, 11, 9, 9, 11, 10, -1, -1, -1, -1, -1, -1, -1},
    {9, 5, 4, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {9, 5, 4, 0, 8, 3, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {0, 5, 4, 1, 5, 0, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {8, 5, 4, 8, 3, 5, 3, 1, 5, -1, -1, -1, -1, -1, -1, -1},
    {1, 2, 10, 9, 5, 4, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {3, 0, 8, 1, 2, 10, 4, 9, 5, -1, -1, -1, -1, -1, -1, -1},
    {5, 2, 10, 5, 4, 2, 4, 0, 2, -1, -1, -1, -1, -1, -1, -1},
    {2, 10, 5, 3, 2, 5, 3, 5, 4, 3, 4, 8, -1, -1, -1, -1},
    {9, 5, 4, 2, 3, 11, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {0, 11, 2, 0, 8, 11, 4, 9, 5, -1, -1, -1, -1, -1, -1, -1},
    {0, 5, 4, 0, 1, 5, 2, 3, 11, -1, -1, -1, -1, -1, -1, -1},
    {2, 1, 5, 2, 5, 8, 2, 8, 11, 4, 8, 5, -1, -1, -1, -1},
    {10, 3, 11, 10, 1, 3, 9, 5, 4, -1, -1, -1, -1, -1, -1, -1},
    {4, 9, 5, 0, 8, 1, 8, 10, 1, 8, 11, 10, -1, -1, -1, -1},
    {5, 4, 0, 5, 0, 11, 5, 11, 10, 11, 0, 3, -1, -1, -1, -1},
    {5, 4, 8, 5, 8, 10, 10, 8, 11, -1, -1, -1, -1, -1, -1, -1},
    {9, 7, 8, 5, 7, 9, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {9, 3, 0, 9, 5, 3, 5, 7, 3, -1, -1, -1, -1, -1, -1, -1},
    {0, 7, 8, 0, 1, 7, 1, 5, 7, -1, -1, -1, -1, -1, -1, -1},
    {1, 5, 3, 3, 5, 7, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {9, 7, 8, 9, 5, 7, 10, 1, 2, -1, -1, -1, -1, -1, -1, -1},
    {10, 1, 2, 9, 5, 0, 5, 3, 0, 5, 7, 3, -1, -1, -1, -1},
    {8, 0, 2, 8, 2, 5, 8, 5, 7, 10, 5, 2, -1, -1, -1, -1},
    {2, 10, 5, 2, 5, 3, 3, 5, 7, -1, -1, -1, -1, -1, -1, -1},
    {7, 9, 5, 7, 8, 9, 3, 11, 2, -1, -1, -1, -1, -1, -1, -1},
    {9, 5, 7, 9, 7, 2, 9, 2, 0, 2, 7, 11, -1, -1, -1, -1},
    {2, 3, 11, 0, 1, 8, 1, 7, 8, 1, 5, 7, -1, -1, -1, -1},
    {11, 2, 1, 11, 1, 7, 7, 1, 5, -1, -1, -1, -1, -1, -1, -1},
    {9, 5, 8, 8, 5, 7, 10, 1, 3, 10, 3, 11, -1, -1, -1, -1},
    {5, 7, 0, 5, 0, 9, 7, 11, 0, 1, 0, 10, 11, 10, 0, -1},
    {11, 10, 0, 11, 0, 3, 10, 5, 0, 8, 0, 7, 5, 7, 0, -1},
    {11, 10, 5, 7, 11, 5, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {10, 6, 5, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {0, 8, 3, 5, 10, 6, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {9, 0, 1, 5, 10, 6, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {1, 8, 3, 1, 9, 8, 5, 10, 6, -1, -1, -1, -1, -1, -1, -1},
    {1, 6, 5, 2, 6, 1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {1, 6, 5, 1, 2, 6, 3, 0, 8, -1, -1, -1, -1, -1, -1, -1},
    {9, 6, 5, 9, 0, 6, 0, 2, 6, -1, -1, -1, -1, -1, -1, -1},
    {5, 9, 8, 5, 8, 2, 5, 2, 6, 3, 2, 8, -1, -1, -1, -1},
    {2, 3, 11, 10, 6, 5, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {11, 0, 8, 11, 2, 0, 10, 6, 5, -1, -1, -1, -1, -1, -1, -1},
    {0, 1, 9, 2, 3, 11, 5, 10, 6, -1, -1, -1, -1, -1, -1, -1},
    {5, 10, 6, 1, 9, 2, 9, 11, 2, 9, 8, 11, -1, -1, -1, -1},
    {6, 3, 11, 6, 5, 3, 5, 1, 3, -1, -1, -1, -1, -1, -1, -1},
    {0, 8, 11, 0, 11, 5, 0, 5, 1, 5, 11, 6, -1, -1, -1, -1},
    {3, 11, 6, 0, 3, 6, 0, 6, 5, 0, 5, 9, -1, -1, -1, -1},
    {6, 5, 9, 6, 9, 11, 11, 9, 8, -1, -1, -1, -1, -1, -1, -1},
    {5, 10, 6, 4, 7, 8, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {4, 3, 0, 4, 7, 3, 6, 5, 10, -1, -1, -1, -1, -1, -1, -1},
    {1, 9, 0, 5, 10, 6, 8, 4, 7, -1, -1, -1, -1, -1, -1, -1},
    {10, 6, 5, 1, 9, 7, 1, 7, 3, 7, 9, 4, -1, -1, -1, -1},
    {6, 1, 2, 6, 5, 1, 4, 7, 8, -1, -1, -1, -1, -1, -1, -1},
    {1, 2, 5, 5, 2, 6, 3, 0, 4, 3, 4, 7, -1, -1, -1, -1},
    {8, 4, 7, 9, 0, 5, 0, 6, 5, 0, 2, 6, -1, -1, -1, -1},
    {7, 3, 9, 7, 9, 4, 3, 2, 9, 5, 9, 6, 2, 6, 9, -1},
    {3, 11, 2, 7, 8, 4, 10, 6, 5, -1, -1, -1, -1, -1, -1, -1},
    {5, 10, 6, 4, 7, 2, 4, 2, 0, 2, 7, 11, -1, -1, -1, -1},
    {0, 1, 9, 4, 7, 8, 2, 3, 11, 5, 10, 6, -1, -1, -1, -1},
    {9, 2, 1, 9, 11, 2, 9, 4, 11, 7, 11, 4, 5, 10, 6, -1},
    {8, 4, 7, 3, 11, 5, 3, 5, 1, 5, 11, 6, -1, -1, -1, -1},
    {5, 1, 11, 5, 11, 6, 1, 0, 11, 7, 11, 4, 0, 4, 11, -1},
    {0, 5, 9, 0, 6, 5, 0, 3, 6, 11, 6, 3, 8, 4, 7, -1},
    {6, 5, 9, 6, 9, 11, 4, 7, 9, 7, 11, 9, -1, -1, -1, -1},
    {10, 4, 9, 6, 4, 10, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {4, 10, 6, 4, 9, 10, 0, 8, 3, -1, -1, -1, -1, -1, -1, -1},
    {10, 0, 1, 10, 6, 0, 6, 4, 0, -1, -1, -1, -1, -1, -1, -1},
    {8, 3, 1, 8, 1, 6, 8, 6, 4, 6, 1, 10, -1, -1, -1, -1},
    {1, 4, 9, 1, 2, 4, 2, 6, 4, -1, -1, -1, -1, -1, -1, -1},
    {3, 0, 8, 1, 2, 9, 2, 4, 9, 2, 6, 4, -1, -1, -1, -1},
    {0, 2, 4, 4, 2, 6, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {8, 3, 2, 8, 2, 4, 4, 2, 6, -1, -1, -1, -1, -1, -1, -1},
    {10, 4, 9, 10, 6, 4, 11, 2, 3, -1, -1, -1, -1, -1, -1, -1},
    {0, 8, 2, 2, 8, 11, 4, 9, 10, 4, 10, 6, -1, -1, -1, -1},
    {3, 11, 2, 0, 1, 6, 0, 6, 4, 6, 1, 10, -1, -1, -1, -1},
    {6, 4, 1, 6, 1, 10, 4, 8, 1, 2, 1, 11, 8, 11, 1, -1},
    {9, 6, 4, 9, 3, 6, 9, 1, 3, 11, 6, 3, -1, -1, -1, -1},
    {8, 11, 1, 8, 1, 0, 11, 6, 1, 9, 1, 4, 6, 4, 1, -1},
    {3, 11, 6, 3, 6, 0, 0, 6, 4, -1, -1, -1, -1, -1, -1, -1},
    {6, 4, 8, 11, 6, 8, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {7, 10, 6, 7, 8, 10, 8, 9, 10, -1, -1, -1, -1, -1, -1, -1},
    {0, 7, 3, 0, 10, 7, 0, 9, 10, 6, 7, 10, -1, -1, -1, -1},
    {10, 6, 7, 1, 10, 7, 1, 7, 8, 1, 8, 0, -1, -1, -1, -1},
    {10, 6, 7, 10, 7, 1, 1, 7, 3, -1, -1, -1, -1, -1, -1, -1},
    {1, 2, 6, 1, 6, 8, 1, 8, 9, 8, 6, 7, -1, -1, -1, -1},
    {2, 6, 9, 2, 9, 1, 6, 7, 9, 0, 9, 3, 7, 3, 9, -1},
    {7, 8, 0, 7, 0, 6, 6, 0, 2, -1, -1, -1, -1, -1, -1, -1},
    {7, 3, 2, 6, 7, 2, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {2, 3, 11, 10, 6, 8, 10, 8, 9, 8, 6, 7, -1, -1, -1, -1},
    {2, 0, 7, 2, 7, 11, 0, 9, 7, 6, 7, 10, 9, 10, 7, -1},
    {1, 8, 0, 1, 7, 8, 1, 10, 7, 6, 7, 10, 2, 3, 11, -1},
    {11, 2, 1, 11, 1, 7, 10, 6, 1, 6, 7, 1, -1, -1, -1, -1},
    {8, 9, 6, 8, 6, 7, 9, 1, 6, 11, 6, 3, 1, 3, 6, -1},
    {0, 9, 1, 11, 6, 7, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {7, 8, 0, 7, 0, 6, 3, 11, 0, 11, 6, 0, -1, -1, -1, -1},
    {7, 11, 6, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {7, 6, 11, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {3, 0, 8, 11, 7, 6, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {0, 1, 9, 11, 7, 6, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {8, 1, 9, 8, 3, 1, 11, 7, 6, -1, -1, -1, -1, -1, -1, -1},
    {10, 1, 2, 6, 11, 7, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {1, 2, 10, 3, 0, 8, 6, 11, 7, -1, -1, -1, -1, -1, -1, -1},
    {2, 9, 0, 2, 10, 9, 6, 11, 7, -1, -1, -1, -1, -1, -1, -1},
    {6, 11, 7, 2, 10, 3, 10, 8, 3, 10, 9, 8, -1, -1, -1, -1},
    {7, 2, 3, 6, 2, 7, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {7, 0, 8, 7, 6, 0, 6, 2, 0, -1, -1, -1, -1, -1, -1, -1},
    {2, 7, 6, 2, 3, 7, 0, 1, 9, -1, -1, -1, -1, -1, -1, -1},
    {1, 6, 2, 1, 8, 6, 1, 9, 8, 8, 7, 6, -1, -1, -1, -1},
    {10, 7, 6, 10, 1, 7, 1, 3, 7, -1, -1, -1, -1, -1, -1, -1},
    {10, 7, 6, 1, 7, 10, 1, 8, 7, 1, 0, 8, -1, -1, -1, -1},
    {0, 3, 7, 0, 7, 10, 0, 10, 9, 6, 10, 7, -1, -1, -1, -1},
    {7, 6, 10, 7, 10, 8, 8, 10, 9, -1, -1, -1, -1, -1, -1, -1},
    {6, 8, 4, 11, 8, 6, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {3, 6, 11, 3, 0, 6, 0, 4, 6, -1, -1, -1, -1, -1, -1, -1},
    {8, 6, 11, 8, 4, 6, 9, 0, 1, -1, -1, -1, -1, -1, -1, -1},
    {9, 4, 6, 9, 6, 3, 9, 3, 1, 11, 3, 6, -1, -1, -1, -1},
    {6, 8, 4, 6, 11, 8, 2, 10, 1, -1, -1, -1, -1, -1, -1, -1},
    {1, 2, 10, 3, 0, 11, 0, 6, 11, 0, 4, 6, -1, -1, -1, -1},
    {4, 11, 8, 4, 6, 11, 0, 2, 9, 2, 10, 9, -1, -1, -1, -1},
    {10, 9, 3, 10, 3, 2, 9, 4, 3, 11, 3, 6, 4, 6, 3, -1},
    {8, 2, 3, 8, 4, 2, 4, 6, 2, -1, -1, -1, -1, -1, -1, -1},
    {0, 4, 2, 4, 6, 2, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {1, 9, 0, 2, 3, 4, 2, 4, 6, 4, 3, 8, -1, -1, -1, -1},
    {1, 9, 4, 1, 4, 2, 2, 4, 6, -1, -1, -1, -1, -1, -1, -1},
    {8, 1, 3, 8, 6, 1, 8, 4, 6, 6, 10, 1, -1, -1, -1, -1},
    {10, 1, 0, 10, 0, 6, 6, 0, 4, -1, -1, -1, -1, -1, -1, -1},
    {4, 6, 3, 4, 3, 8, 6, 10, 3, 0, 3, 9, 10, 9, 3, -1},
    {10, 9, 4, 6, 10, 4, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {4, 9, 5, 7, 6, 11, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {0, 8, 3, 4, 9, 5, 11, 7, 6, -1, -1, -1, -1, -1, -1, -1},
    {5, 0, 1, 5, 4, 0, 7, 6, 11, -1, -1, -1, -1, -1, -1, -1},
    {11, 7, 6, 8, 3, 4, 3, 5, 4, 3, 1, 5, -1, -1, -1, -1},
    {9, 5, 4, 10, 1, 2, 7, 6, 11, -1, -1, -1, -1, -1, -1, -1},
    {6, 11, 7, 1, 2, 10, 0, 8, 3, 4, 9, 5, -1, -1, -1, -1},
    {7, 6, 11, 5, 4, 10, 4, 2, 10, 4, 0, 2, -1, -1, -1, -1},
    {3, 4, 8, 3, 5, 4, 3, 2, 5, 10, 5, 2, 11, 7, 6, -1},
    {7, 2, 3, 7, 6, 2, 5, 4, 9, -1, -1, -1, -1, -1, -1, -1},
    {9, 5, 4, 0, 8, 6, 0, 6, 2, 6, 8, 7, -1, -1, -1, -1},
    {3, 6, 2, 3, 7, 6, 1, 5, 0, 5, 4, 0, -1, -1, -1, -1},
    {6, 2, 8, 6, 8, 7, 2, 1, 8, 4, 8, 5, 1, 5, 8, -1},
    {9, 5, 4, 10, 1, 6, 1, 7, 6, 1, 3, 7, -1, -1, -1, -1},
    {1, 6, 10, 1, 7, 6, 1, 0, 7, 8, 7, 0, 9, 5, 4, -1},
    {4, 0, 10, 4, 10, 5, 0, 3, 10, 6, 10, 7, 3, 7, 10, -1},
    {7, 6, 10, 7, 10, 8, 5, 4, 10, 4, 8, 10, -1, -1, -1, -1},
    {6, 9, 5, 6, 11, 9, 11, 8, 9, -1, -1, -1, -1, -1, -1, -1},
    {3, 6, 11, 0, 6, 3, 0, 5, 6, 0, 9, 5, -1, -1, -1, -1},
    {0, 11, 8, 0, 5, 11, 0, 1, 5, 5, 6, 11, -1, -1, -1, -1},
    {6, 11, 3, 6, 3, 5, 5, 3, 1, -1, -1, -1, -1, -1, -1, -1},
    {1, 2, 10, 9, 5, 11, 9, 11, 8, 11, 5, 6, -1, -1, -1, -1},
    {0, 11, 3, 0, 6, 11, 0, 9, 6, 5, 6, 9, 1, 2, 10, -1},
    {11, 8, 5, 11, 5, 6, 8, 0, 5, 10, 5, 2, 0, 2, 5, -1},
    {6, 11, 3, 6, 3, 5, 2, 10, 3, 10, 5, 3, -1, -1, -1, -1},
    {5, 8, 9, 5, 2, 8, 5, 6, 2, 3, 8, 2, -1, -1, -1, -1},
    {9, 5, 6, 9, 6, 0, 0, 6, 2, -1, -1, -1, -1, -1, -1, -1},
    {1, 5, 8, 1, 8, 0, 5, 6, 8, 3, 8, 2, 6, 2, 8, -1},
    {1, 5, 6, 2, 1, 6, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {1, 3, 6, 1, 6, 10, 3, 8, 6, 5, 6, 9, 8, 9, 6, -1},
    {10, 1, 0, 10, 0, 6, 9, 5, 0, 5, 6, 0, -1, -1, -1, -1},
    {0, 3, 8, 5, 6, 10, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {10, 5, 6, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {11, 5, 10, 7, 5, 11, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {11, 5, 10, 11, 7, 5, 8, 3, 0, -1, -1, -1, -1, -1, -1, -1},
    {5, 11, 7, 5, 10, 11, 1, 9, 0, -1, -1, -1, -1, -1, -1, -1},
    {10, 7, 5, 10, 11, 7, 9, 8, 1, 8, 3, 1, -1, -1, -1, -1},
    {11, 1, 2, 11, 7, 1, 7, 5, 1, -1, -1, -1, -1, -1, -1, -1},
    {0, 8, 3, 1, 2, 7, 1, 7, 5, 7, 2, 11, -1, -1, -1, -1},
    {9, 7, 5, 9, 2, 7, 9, 0, 2, 2, 11, 7, -1, -1, -1, -1},
    {7, 5, 2, 7, 2, 11, 5, 9, 2, 3, 2, 8, 9, 8, 2, -1},
    {2, 5, 10, 2, 3, 5, 3, 7, 5, -1, -1, -1, -1, -1, -1, -1},
    {8, 2, 0, 8, 5, 2, 8, 7, 5, 10, 2, 5, -1, -1, -1, -1},
    {9, 0, 1, 5, 10, 3, 5, 3, 7, 3, 10, 2, -1, -1, -1, -1},
    {9, 8, 2, 9, 2, 1, 8, 7, 2, 10, 2, 5, 7, 5, 2, -1},
    {1, 3, 5, 3, 7, 5, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {0, 8, 7, 0, 7, 1, 1, 7, 5, -1, -1, -1, -1, -1, -1, -1},
    {9, 0, 3, 9, 3, 5, 5, 3, 7, -1, -1, -1, -1, -1, -1, -1},
    {9, 8, 7, 5, 9, 7, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {5, 8, 4, 5, 10, 8, 10, 11, 8, -1, -1, -1, -1, -1, -1, -1},
    {5, 0, 4, 5, 11, 0, 5, 10, 11, 11, 3, 0, -1, -1, -1, -1},
    {0, 1, 9, 8, 4, 10, 8, 10, 11, 10, 4, 5, -1, -1, -1, -1},
    {10, 11, 4, 10, 4, 5, 11, 3, 4, 9, 4, 1, 3, 1, 4, -1},
    {2, 5, 1, 2, 8, 5, 2, 11, 8, 4, 5, 8, -1, -1, -1, -1},
    {0, 4, 11, 0, 11, 3, 4, 5, 11, 2, 11, 1, 5, 1, 11, -1},
    {0, 2, 5, 0, 5, 9, 2, 11, 5, 4, 5, 8, 11, 8, 5, -1},
    {9, 4, 5, 2, 11, 3, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {2, 5, 10, 3, 5, 2, 3, 4, 5, 3, 8, 4, -1, -1, -1, -1},
    {5, 10, 2, 5, 2, 4, 4, 2, 0, -1, -1, -1, -1, -1, -1, -1},
    {3, 10, 2, 3, 5, 10, 3, 8, 5, 4, 5, 8, 0, 1, 9, -1},
    {5, 10, 2, 5, 2, 4, 1, 9, 2, 9, 4, 2, -1, -1, -1, -1},
    {8, 4, 5, 8, 5, 3, 3, 5, 1, -1, -1, -1, -1, -1, -1, -1},
    {0, 4, 5, 1, 0, 5, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {8, 4, 5, 8, 5, 3, 9, 0, 5, 0, 3, 5, -1, -1, -1, -1},
    {9, 4, 5, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {4, 11, 7, 4, 9, 11, 9, 10, 11, -1, -1, -1, -1, -1, -1, -1},
    {0, 8, 3, 4, 9, 7, 9, 11, 7, 9, 10, 11, -1, -1, -1, -1},
    {1, 10, 11, 1, 11, 4, 1, 4, 0, 7, 4, 11, -1, -1, -1, -1},
    {3, 1, 4, 3, 4, 8, 1, 10, 4, 7, 4, 11, 10, 11, 4, -1},
    {4, 11, 7, 9, 11, 4, 9, 2, 11, 9, 1, 2, -1, -1, -1, -1},
    {9, 7, 4, 9, 11, 7, 9, 1, 11, 2, 11, 1, 0, 8, 3, -1},
    {11, 7, 4, 11, 4, 2, 2, 4, 0, -1, -1, -1, -1, -1, -1, -1},
    {11, 7, 4, 11, 4, 2, 8, 3, 4, 3, 2, 4, -1, -1, -1, -1},
    {2, 9, 10, 2, 7, 9, 2, 3, 7, 7, 4, 9, -1, -1, -1, -1},
    {9, 10, 7, 9, 7, 4, 10, 2, 7, 8, 7, 0, 2, 0, 7, -1},
    {3, 7, 10, 3, 10, 2, 7, 4, 10, 1, 10, 0, 4, 0, 10, -1},
    {1, 10, 2, 8, 7, 4, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {4, 9, 1, 4, 1, 7, 7, 1, 3, -1, -1, -1, -1, -1, -1, -1},
    {4, 9, 1, 4, 1, 7, 0, 8, 1, 8, 7, 1, -1, -1, -1, -1},
    {4, 0, 3, 7, 4, 3, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {4, 8, 7, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {9, 10, 8, 10, 11, 8, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {3, 0, 9, 3, 9, 11, 11, 9, 10, -1, -1, -1, -1, -1, -1, -1},
    {0, 1, 10, 0, 10, 8, 8, 10, 11, -1, -1, -1, -1, -1, -1, -1},
    {3, 1, 10, 11, 3, 10, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {1, 2, 11, 1, 11, 9, 9, 11, 8, -1, -1, -1, -1, -1, -1, -1},
    {3, 0, 9, 3, 9, 11, 1, 2, 9, 2, 11, 9, -1, -1, -1, -1},
    {0, 2, 11, 8, 0, 11, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {3, 2, 11, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {2, 3, 8, 2, 8, 10, 10, 8, 9, -1, -1, -1, -1, -1, -1, -1},
    {9, 10, 2, 0, 9, 2, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {2, 3, 8, 2, 8, 10, 0, 1, 8, 1, 10, 8, -1, -1, -1, -1},
    {1, 10, 2, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {1, 3, 8, 9, 1, 8, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {0, 9, 1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {0, 3, 8, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
};
