// The metaball volume's marching cubes: the field turned into the blob mesh, each surface vertex
// made once and shared. The cells with all corners on one side, most of them, are skipped.
#include "effects/metaballs.h"

#include "effects/inside_bits.h"

#include <algorithm>

namespace {

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

// Packs the inside bits (strictly above threshold) of every row (x, y) that a cell touches.
void classify_rows(MetaballVolume& v)
{
    const int n = v.size;
    const int words = inside_words_per_row(n);
    for (int x = 1; x < n; ++x)
        for (int y = 1; y < n; ++y) {
            const float* samples = &v.field[x * v.plane_size + y * n];
            uint64_t* bits = &v.inside_rows[(x * n + y) * words];
            for (int w = 0; w < words; ++w) {
                const int first = w * inside_word_bits;
                bits[w] = inside_bits(samples + first, std::min(inside_word_bits, n - first), v.threshold);
            }
        }
}

// Word w of a packed row moved down one place: bit z then tells about sample z + 1.
uint64_t next_samples(const uint64_t* row, int w, int words)
{
    return row[w] >> 1 | (w + 1 < words ? row[w + 1] << (inside_word_bits - 1) : 0);
}

// The bits of word w that stand for cells with lowest corner z = 1 … size − 2.
uint64_t inner_cell_bits(int w, int size)
{
    const int first = std::max(1, w * inside_word_bits) - w * inside_word_bits;
    const int last = std::min(size - 2, w * inside_word_bits + inside_word_bits - 1) - w * inside_word_bits;
    if (first > last)
        return 0;
    const uint64_t up_to_last = last == inside_word_bits - 1 ? ~uint64_t{0} : (uint64_t{1} << (last + 1)) - 1;
    return up_to_last & ~((uint64_t{1} << first) - 1);
}

// The cube index for each pattern of the four rows of a cell row, two bits each (sample z, then
// z + 1) in the order (x, y), (x + 1, y), (x, y + 1), (x + 1, y + 1): row j's sample at z + dz is
// the corner with offset (j & 1, j >> 1, dz).
constexpr std::array<uint8_t, 256> cube_of_rows()
{
    std::array<uint8_t, 256> cubes{};
    for (int pattern = 0; pattern < 256; ++pattern)
        for (int k = 0; k < 8; ++k) {
            const int* o = corner_offset[k];
            if (pattern >> (2 * (o[0] + 2 * o[1]) + o[2]) & 1)
                cubes[pattern] |= 1 << k;
        }
    return cubes;
}
constexpr std::array<uint8_t, 256> cube_index = cube_of_rows();

// The largest number of triangles one cell makes.
constexpr int max_cell_triangles = 5;

// One polygonize call's working state: the volume's arrays as plain pointers and its counts as plain
// numbers, written back at the end, so that storing a vertex does not make the compiler read the
// volume's vectors again.
struct MeshPass {
    const float* field;
    std::array<float, 3>* gradient;
    std::array<float, 3>* positions;
    std::array<float, 3>* normals;
    std::array<uint16_t, 3>* triangles;
    int32_t* cell_vertex;
    // The slab of the cells' low x plane (0) and of the next (1), with the entries filed in each
    // since it was last emptied, and where each cell edge's entry lies from a cell's own entry.
    int32_t* slabs[2];
    int32_t* filed[2];
    int filed_count[2];
    int32_t* edge_entry[12];
    CellLayout layout;
    int size, plane_size, row_entries, words;
    float threshold, step;
    int32_t vertex_count, triangle_count;
};

void point_edge_entries(MeshPass& m)
{
    for (int e = 0; e < 12; ++e)
        m.edge_entry[e] = m.slabs[edge_slot[e].slab] + m.layout.slot_step[e];
}

MeshPass mesh_pass(MetaballVolume& v)
{
    MeshPass m = {v.field.data(),
                  v.gradient.data(),
                  v.positions.data(),
                  v.normals.data(),
                  v.triangles.data(),
                  v.cell_vertex,
                  {v.edge_cache[0].data(), v.edge_cache[1].data()},
                  {v.filed_entries[0].data(), v.filed_entries[1].data()},
                  {0, 0},
                  {},
                  cell_layout(v),
                  v.size,
                  v.plane_size,
                  v.row_entries,
                  inside_words_per_row(v.size),
                  v.threshold,
                  1.0f / static_cast<float>(v.half_size),
                  0,
                  0};
    point_edge_entries(m);
    return m;
}

// The gradient at the grid point (index `point`, coordinates p), kept in the volume's gradient too.
// Points off the last planes (all of them in the scenes) take the central differences directly. The
// caller uses the returned copy: reading back the three stores at once would stall.
inline std::array<float, 3> point_gradient(MeshPass& m, int point, const int p[3])
{
    const float* f = m.field + point;
    const int last = m.size - 1;
    std::array<float, 3> g;
    if (p[0] < last && p[1] < last && p[2] < last)
        g = {f[m.plane_size] - f[-m.plane_size], f[m.size] - f[-m.size], f[1] - f[-1]};
    else
        g = {axis_difference(f, p[0], m.size, m.plane_size), axis_difference(f, p[1], m.size, m.size),
             axis_difference(f, p[2], m.size, 1)};
    m.gradient[point] = g;
    return g;
}

// Appends the vertex on edge e of the cell whose lowest corner is `low` (field index `cell`) and
// returns its index, or empty_edge_entry when the vertex arrays are full.
int32_t make_vertex(MeshPass& m, const int low[3], int cell, int e)
{
    if (m.vertex_count >= max_vertices)
        return empty_edge_entry;
    const int a = edge_corners[e][0];
    const int b = edge_corners[e][1];
    const int index_a = cell + m.layout.corner_step[a];
    const int index_b = cell + m.layout.corner_step[b];
    int p_a[3], p_b[3];
    for (int k = 0; k < 3; ++k) {
        p_a[k] = low[k] + corner_offset[a][k];
        p_b[k] = low[k] + corner_offset[b][k];
    }
    const float f_a = m.field[index_a];
    const float mu = (m.threshold - f_a) / (m.field[index_b] - f_a);
    const std::array<float, 3> g_a = point_gradient(m, index_a, p_a);
    const std::array<float, 3> g_b = point_gradient(m, index_b, p_b);
    std::array<float, 3>& position = m.positions[m.vertex_count];
    std::array<float, 3>& normal = m.normals[m.vertex_count];
    for (int k = 0; k < 3; ++k) {
        const float q_a = static_cast<float>(p_a[k]) * m.step - 1.0f;
        const float q_b = static_cast<float>(p_b[k]) * m.step - 1.0f;
        position[k] = q_a + mu * (q_b - q_a);
        normal[k] = g_a[k] + mu * (g_b[k] - g_a[k]);
    }
    return m.vertex_count++;
}

// The edges a cell is the first to meet, in the cell order (x, then y, then z): e5, e6 and e10
// always; the others are shared with cells met before it, unless those lie in the outer layer,
// which is never polygonized. A cut edge's cells all have corners on both sides, so the first of
// them has made its vertex by the time the others look for it.
unsigned first_met_edges(const int low[3])
{
    const bool first_x = low[0] == 1, first_y = low[1] == 1, first_z = low[2] == 1;
    return 1u << 5 | 1u << 6 | 1u << 10 | first_y << 1 | first_y << 2 | first_z << 4 | first_z << 9 |
           first_x << 7 | first_x << 11 | (first_y && first_z) << 0 | (first_x && first_y) << 3 |
           (first_x && first_z) << 8;
}

// Fills cell_vertex for every cut edge of the cell: the vertices of edges met before from the edge
// cache, then those of the edges met first made, in ascending edge order.
void find_cell_vertices(MeshPass& m, const int low[3], int cell, unsigned edge_mask)
{
    const int entry = low[1] * m.row_entries + low[2] * axes_per_point;
    const unsigned made_here = edge_mask & first_met_edges(low);
    for (unsigned cut = edge_mask & ~made_here; cut != 0; cut &= cut - 1) {
        const int e = __builtin_ctz(cut);
        m.cell_vertex[e] = m.edge_entry[e][entry];
    }
    for (unsigned cut = made_here; cut != 0; cut &= cut - 1) {
        const int e = __builtin_ctz(cut);
        const int32_t vertex = make_vertex(m, low, cell, e);
        m.edge_entry[e][entry] = vertex;
        if (vertex != empty_edge_entry) {
            const int slab = edge_slot[e].slab;
            m.filed[slab][m.filed_count[slab]++] = entry + m.layout.slot_step[e];
        }
        m.cell_vertex[e] = vertex;
    }
}

// Appends the cell's triangles in table order. Once the arrays are full (never in the scenes) the
// mesh is cut short but stays consistent: a triangle is added only if all three of its vertices
// exist and there is room for it, so every index stays below vertex_count.
void add_cell_triangles(MeshPass& m, int cube)
{
    // While the vertex arrays have room no vertex has been refused, so all of the cell's exist; with
    // room for the cell's triangles as well, none needs checking.
    const bool room = m.vertex_count < max_vertices && m.triangle_count <= max_triangles - max_cell_triangles;
    const int8_t* row = marching_triangle_table[cube];
    for (int k = 0; row[k] != -1; k += 3) {
        const int32_t i0 = m.cell_vertex[row[k]];
        const int32_t i1 = m.cell_vertex[row[k + 1]];
        const int32_t i2 = m.cell_vertex[row[k + 2]];
        const bool missing = i0 == empty_edge_entry || i1 == empty_edge_entry || i2 == empty_edge_entry;
        if (!room && (missing || m.triangle_count >= max_triangles))
            continue;
        m.triangles[m.triangle_count++] = {static_cast<uint16_t>(i0), static_cast<uint16_t>(i1),
                                           static_cast<uint16_t>(i2)};
    }
}

// The cells with lowest corner (x, y, 1 … size − 2), in order of z. Only the cells whose eight
// corners are not all on one side are looked at: found a word of the four rows at a time.
void polygonize_row(MeshPass& m, const uint64_t* inside_rows, int x, int y)
{
    const int n = m.size;
    const uint64_t* rows[4] = {&inside_rows[(x * n + y) * m.words], &inside_rows[((x + 1) * n + y) * m.words],
                               &inside_rows[(x * n + y + 1) * m.words],
                               &inside_rows[((x + 1) * n + y + 1) * m.words]};
    for (int w = 0; w < m.words; ++w) {
        uint64_t low[4], high[4];
        for (int j = 0; j < 4; ++j) {
            low[j] = rows[j][w];
            high[j] = next_samples(rows[j], w, m.words);
        }
        const uint64_t any_inside = low[0] | low[1] | low[2] | low[3] | high[0] | high[1] | high[2] | high[3];
        const uint64_t all_inside = low[0] & low[1] & low[2] & low[3] & high[0] & high[1] & high[2] & high[3];
        for (uint64_t cut = any_inside & ~all_inside & inner_cell_bits(w, n); cut != 0; cut &= cut - 1) {
            const int bit = __builtin_ctzll(cut);
            const int pattern = static_cast<int>((low[0] >> bit & 1) | (high[0] >> bit & 1) << 1 |
                                                 (low[1] >> bit & 1) << 2 | (high[1] >> bit & 1) << 3 |
                                                 (low[2] >> bit & 1) << 4 | (high[2] >> bit & 1) << 5 |
                                                 (low[3] >> bit & 1) << 6 | (high[3] >> bit & 1) << 7);
            const int cube = cube_index[pattern];
            const int low_corner[3] = {x, y, w * inside_word_bits + bit};
            find_cell_vertices(m, low_corner, x * m.plane_size + y * n + low_corner[2], marching_edge_table[cube]);
            add_cell_triangles(m, cube);
        }
    }
}

// Empties the entries filed in a slab since it was last emptied.
void empty_slab(MeshPass& m, int slab)
{
    for (int i = 0; i < m.filed_count[slab]; ++i)
        m.slabs[slab][m.filed[slab][i]] = empty_edge_entry;
    m.filed_count[slab] = 0;
}

// The next plane of cells: its low slab is the one that was the next.
void next_plane(MeshPass& m)
{
    empty_slab(m, 0);
    std::swap(m.slabs[0], m.slabs[1]);
    std::swap(m.filed[0], m.filed[1]);
    std::swap(m.filed_count[0], m.filed_count[1]);
    point_edge_entries(m);
}

}  // namespace

// Marching cubes over the inner cells (lowest corner 1 … size − 2 on each axis; the outermost layer
// stays open). The cells with all eight corners on one side are skipped, found from the packed inside
// bits of the rows. Plane by plane in x, each cut grid edge gets one vertex, found again by the
// neighbouring cells through the two-slab edge cache: the slab of the cell's low x plane and the
// slab of the plane above, which takes over when the plane is done. The gradient is worked out
// only at the end points of cut edges.
void MetaballVolume::polygonize()
{
    classify_rows(*this);
    MeshPass m = mesh_pass(*this);
    for (int x = 1; x < size - 1; ++x) {
        for (int y = 1; y < size - 1; ++y)
            polygonize_row(m, inside_rows.data(), x, y);
        next_plane(m);
    }
    // The slab of the last plane still holds its vertices; both slabs start the next call empty.
    empty_slab(m, 0);
    vertex_count = m.vertex_count;
    triangle_count = m.triangle_count;
    // Every mark is 0 again, ready for the next add_balls.
    std::fill(visited.begin(), visited.end(), 0);
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
