// The metaball volume behind the blob scenes: a 32³ field of soft balls in the cube [-1, 1]³, turned
// each frame into one smooth triangle mesh with a normal per vertex by marching cubes.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

constexpr int max_balls = 32;
constexpr int max_vertices = 50000;
constexpr int max_triangles = 100000;
constexpr int cavity_size = 32;

// The polygonizer's working storage, laid out by the constructor: an edge_cache entry that holds no
// vertex (vertex 0 is a real index), edge-cache entries per grid point (the edges toward x + 1,
// toward z + 1 and toward y + 1), and the inside bits of a row of samples, packed 64 to a word.
constexpr int32_t empty_edge_entry = -1;
constexpr int axes_per_point = 3;
constexpr int inside_word_bits = 64;
inline int inside_words_per_row(int size) { return (size + inside_word_bits - 1) / inside_word_bits; }

// A ball: position and strength. In MetaballVolume::balls the position is in volume coordinates;
// in grid_balls it is in grid coordinates and the strength is divided by size².
struct Ball {
    float x, y, z, strength;
};

class MetaballVolume {
public:
    explicit MetaballVolume(int size);

    void clear_field();
    void add_balls();
    void polygonize();

    int32_t half_size;
    int32_t plane_size;
    int32_t slab_entries;
    int32_t row_entries;
    // Per grid point, the field's differences toward higher values, i.e. into the blobs: central
    // inside the grid, one-sided (doubled to the same scale) on the outer faces. polygonize works
    // them out only at the end points of the edges the surface cuts; elsewhere they are stale.
    std::vector<std::array<float, 3>> gradient;
    std::vector<uint8_t> visited;  // 1 once add_balls has summed the point this frame; polygonize clears them
    std::array<std::vector<int32_t>, 2> edge_cache;  // two slabs; an entry is a vertex index or -1
    int32_t cell_vertex[12];       // vertex of each cut edge of the current cell, -1 if none was made
    std::vector<float> field;      // size³ samples, index x·size² + y·size + z
    int32_t size;
    // The mesh, in volume coordinates. Normals are interpolated gradients, not normalised, and zero
    // where the field is flat: whoever normalises them must give those a finite direction. Triangles
    // run counter-clockwise seen from outside the blobs.
    std::vector<std::array<float, 3>> positions;     // max_vertices
    std::vector<std::array<float, 3>> normals;       // max_vertices
    std::vector<std::array<uint16_t, 3>> triangles;  // max_triangles
    int32_t vertex_count;
    int32_t triangle_count;
    Ball balls[max_balls];
    Ball grid_balls[max_balls];
    int32_t ball_count;     // balls in use; more than max_balls count as max_balls
    float threshold;        // a sample is inside when strictly greater
    int32_t box_radius;     // half-width in grid cells of the box of points each ball visits

    // Working storage of add_balls and polygonize, sized once by the constructor.
    std::vector<float> row_sums;         // one row's ball sums, padded by a chunk
    std::vector<uint64_t> inside_rows;   // per row (x, y): bit z % 64 of word z / 64 set when inside
    std::array<std::vector<int32_t>, 2> filed_entries;  // the entries filled in each edge-cache slab
};


// The wall of an ellipsoidal cavity, same layout as a size-32 field; built once at start-up.
extern float cavity_field[cavity_size * cavity_size * cavity_size];
void build_cavity_field();

// Soft-object falloff of one ball for the squared, strength-scaled distance w: 1 at 0, 0 beyond 1.
// The coefficients are 22/9, 17/9 and 4/9 to five decimals, so K(1) is 0.00001, not quite 0.
constexpr float falloff_linear = 2.44444f;
constexpr float falloff_square = 1.88889f;
constexpr float falloff_cube = 0.44444f;

// The polynomial is evaluated for every w and masked to +0 beyond 1 (a quiet comparison, no branch)
// so that loops over many points compile to vector code.
inline float ball_falloff(float w)
{
    const float near = 1.0f + w * (w * (falloff_square - falloff_cube * w) - falloff_linear);
    uint32_t bits;
    std::memcpy(&bits, &near, sizeof bits);
    bits &= std::isgreater(w, 1.0f) ? 0u : ~0u;
    float k;
    std::memcpy(&k, &bits, sizeof k);
    return k;
}

// The published marching-cubes tables: the twelve-bit mask of cut edges and the triangles (edge
// numbers, three per triangle, ended by -1) for each of the 256 inside/outside patterns of a cell.
extern const uint16_t marching_edge_table[256];
extern const int8_t marching_triangle_table[256][16];
