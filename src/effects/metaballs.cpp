// The metaball volume: ten or so soft balls summed into a 32³ field, which polygonize (in
// metaballs_polygonize.cpp) turns into the blob mesh the viewer sees swell and merge in scenes 1, 5
// and 6; and the cavity wall of scenes 5 and 6.
#include "effects/metaballs.h"

#include <algorithm>
#include <cmath>

namespace {

// A ball's position beyond this many grid cells is clamped before it is truncated to its base cell:
// far enough out to visit nothing, near enough never to overflow an int.
constexpr float farthest_ball_cell = 1.0e9f;
// Grid points of a row whose ball sums are worked out together.
constexpr int row_chunk = 8;
// A ball's falloff is worked out along a row only as far as it reaches, plus this many cells so
// that no rounding in finding the reach can cut off a point the ball still adds to.
constexpr float reach_margin = 2.0f;

// A run of grid coordinates along one axis, empty when first > last.
struct Span {
    int first, last;
};

// The grid points a ball's box covers along one axis: base cell ± radius, clipped to the grid. A span
// that misses the grid comes out empty whatever the radius.
Span box_span(float grid_coordinate, int radius, int size)
{
    const float clamped = std::fmin(std::fmax(grid_coordinate, -farthest_ball_cell), farthest_ball_cell);
    const int64_t base = static_cast<int64_t>(clamped);
    return {static_cast<int>(std::clamp<int64_t>(base - radius, 0, size)),
            static_cast<int>(std::clamp<int64_t>(base + radius, -1, size - 1))};
}

bool covers(Span s, int i) { return s.first <= i && i <= s.last; }

// A ball's box.
struct BallBox {
    Span x, y, z;
};

// A ball as one plane x of the grid sees it: its grid copy, the reciprocal of its strength (the
// squared distance where its falloff ends) and its squared distance from the plane.
struct PlaneBall {
    Ball ball;
    float reach_squared, plane_distance;
};

// A ball as one row of a plane sees it: its squared distance from the row's line, and the points of
// the row it may add to.
struct RowBall {
    float z, strength, distance;
    Span reach;
};

// The balls that reach the plane x, in ball order. One whose scaled squared distance to the plane
// exceeds 1 adds exactly 0 to each of its points (the distance to any point is at least as large,
// also after rounding), so it is left out.
int plane_balls(const MetaballVolume& v, int count, int x, PlaneBall* near)
{
    int near_count = 0;
    for (int i = 0; i < count; ++i) {
        const Ball& b = v.grid_balls[i];
        const float dx = static_cast<float>(x) - b.x;
        if (b.strength * (dx * dx) > 1.0f)
            continue;
        near[near_count++] = {b, 1.0f / b.strength, dx * dx};
    }
    return near_count;
}

// The points of the row span `row` that a ball at squared distance `distance` from the row may add
// to: its falloff is 0 where strength × (distance + dz²) exceeds 1. A ball of no positive strength,
// or with a coordinate that is not a number, may add to all of them. Plain comparisons and
// truncation (of non-negative values) keep the library's rounding and clamping calls out of this
// inner loop; the span may come out a point wider.
Span reach_span(const PlaneBall& p, float distance, Span row)
{
    const Ball& b = p.ball;
    if (!(b.strength > 0.0f) || std::isnan(distance) || std::isnan(b.z))
        return row;
    const float left = p.reach_squared - distance;
    const float reach = std::sqrt(left > 0.0f ? left : 0.0f) + reach_margin;
    const float first = b.z - reach, last = b.z + reach;
    if (!(first <= static_cast<float>(row.last) && last >= static_cast<float>(row.first)))
        return {0, -1};
    return {first > static_cast<float>(row.first) ? static_cast<int>(first) : row.first,
            last < static_cast<float>(row.last) ? static_cast<int>(last) : row.last};
}

// The balls of the plane that add to the row y anywhere in `row`, in ball order; as for the plane,
// one too far from the whole row is left out.
int row_balls(const PlaneBall* plane, int plane_count, int y, Span row, RowBall* near)
{
    int near_count = 0;
    for (int i = 0; i < plane_count; ++i) {
        const Ball& b = plane[i].ball;
        const float dy = static_cast<float>(y) - b.y;
        const float distance = plane[i].plane_distance + dy * dy;
        if (b.strength * distance > 1.0f)
            continue;
        const Span reach = reach_span(plane[i], distance, row);
        if (reach.first <= reach.last)
            near[near_count++] = {b.z, b.strength, distance, reach};
    }
    return near_count;
}

// The sums of every ball's falloff at the points of the row in `row`, added ball by ball in order:
// each point gets the same additions in the same order as if it were summed alone (the balls left
// out add exactly 0), so the same result. A ball is worked out a fixed-length chunk at a time,
// which the compiler evaluates several points at once; the chunks may run past its reach, where it
// adds exactly 0, and past the row into the padding of `sums`.
void sum_row(const PlaneBall* plane, int plane_count, int y, Span row, float* sums)
{
    RowBall near[max_balls];
    const int near_count = row_balls(plane, plane_count, y, row, near);
    for (int first = row.first; first <= row.last; first += row_chunk)
        for (int k = 0; k < row_chunk; ++k)
            sums[first + k] = 0.0f;
    for (int i = 0; i < near_count; ++i) {
        const RowBall& b = near[i];
        for (int first = b.reach.first; first <= b.reach.last; first += row_chunk)
            for (int k = 0; k < row_chunk; ++k) {
                const float dz = static_cast<float>(first + k) - b.z;
                sums[first + k] += ball_falloff(b.strength * (b.distance + dz * dz));
            }
    }
}

// Merges the z spans of the boxes that hold the row, sorted by their first point, into disjoint
// runs; returns how many.
int merge_spans(const Span* sorted, int count, Span* runs)
{
    int run_count = 0;
    for (int i = 0; i < count; ++i) {
        if (run_count > 0 && sorted[i].first <= runs[run_count - 1].last + 1)
            runs[run_count - 1].last = std::max(runs[run_count - 1].last, sorted[i].last);
        else
            runs[run_count++] = sorted[i];
    }
    return run_count;
}

// Sums the balls of the plane x into the points of its row y that lie in the boxes of `holding`
// (z spans sorted by first point), each point once, and marks them. A point already marked, summed
// by an earlier add_balls since the last polygonize, is left as it is.
void add_balls_to_row(MetaballVolume& v, const PlaneBall* plane, int plane_count, int x, int y,
                      const Span* holding, int holding_count)
{
    Span runs[max_balls];
    const int run_count = merge_spans(holding, holding_count, runs);
    const Span row = {runs[0].first, runs[run_count - 1].last};
    float* sums = v.row_sums.data();
    sum_row(plane, plane_count, y, row, sums);
    const int start = x * v.plane_size + y * v.size;
    float* samples = &v.field[start];
    uint8_t* marks = &v.visited[start];
    for (int r = 0; r < run_count; ++r)
        for (int z = runs[r].first; z <= runs[r].last; ++z) {
            samples[z] = marks[z] ? samples[z] : samples[z] + sums[z];
            marks[z] = 1;
        }
}

// The boxes of the grid balls that hold any grid point, by the first point of their z span.
int sorted_boxes(const MetaballVolume& v, int count, BallBox* sorted)
{
    int box_count = 0;
    for (int i = 0; i < count; ++i) {
        const Ball& b = v.grid_balls[i];
        const BallBox box = {box_span(b.x, v.box_radius, v.size), box_span(b.y, v.box_radius, v.size),
                             box_span(b.z, v.box_radius, v.size)};
        if (box.x.first <= box.x.last && box.y.first <= box.y.last && box.z.first <= box.z.last)
            sorted[box_count++] = box;
    }
    std::sort(sorted, sorted + box_count, [](const BallBox& a, const BallBox& b) { return a.z.first < b.z.first; });
    return box_count;
}

}  // namespace

float cavity_field[cavity_size * cavity_size * cavity_size];

MetaballVolume::MetaballVolume(int n)
    : half_size(n / 2),
      plane_size(n * n),
      slab_entries(axes_per_point * n * n),
      row_entries(axes_per_point * n),
      gradient(static_cast<size_t>(n) * n * n),
      visited(static_cast<size_t>(n) * n * n, 0),
      edge_cache{std::vector<int32_t>(slab_entries, empty_edge_entry),
                 std::vector<int32_t>(slab_entries, empty_edge_entry)},
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
      box_radius(7),
      row_sums(static_cast<size_t>(n) + row_chunk),
      inside_rows(static_cast<size_t>(n) * n * inside_words_per_row(n)),
      filed_entries{std::vector<int32_t>(slab_entries), std::vector<int32_t>(slab_entries)}
{
}

void MetaballVolume::clear_field()
{
    std::fill(field.begin(), field.end(), 0.0f);
}

// Every grid point inside at least one ball's box gets the falloff of all balls, exactly once: the
// rows are walked one by one, each over the union of the boxes that hold it, and the points summed
// are marked (polygonize clears the marks again) and not summed again.
void MetaballVolume::add_balls()
{
    const int count = std::clamp(ball_count, 0, max_balls);
    const float inverse_area = 1.0f / static_cast<float>(plane_size);
    for (int i = 0; i < count; ++i) {
        const Ball& b = balls[i];
        grid_balls[i] = {(b.x + 1.0f) * half_size, (b.y + 1.0f) * half_size, (b.z + 1.0f) * half_size,
                         b.strength * inverse_area};
    }
    BallBox sorted[max_balls];
    const int box_count = sorted_boxes(*this, count, sorted);
    for (int x = 0; x < size; ++x) {
        BallBox at_x[max_balls];
        const int at_x_count = static_cast<int>(
            std::copy_if(sorted, sorted + box_count, at_x, [x](const BallBox& b) { return covers(b.x, x); }) - at_x);
        if (at_x_count == 0)
            continue;
        PlaneBall plane[max_balls];
        const int plane_count = plane_balls(*this, count, x, plane);
        for (int y = 0; y < size; ++y) {
            Span holding[max_balls];
            int holding_count = 0;
            for (int i = 0; i < at_x_count; ++i)
                if (covers(at_x[i].y, y))
                    holding[holding_count++] = at_x[i].z;
            if (holding_count > 0)
                add_balls_to_row(*this, plane, plane_count, x, y, holding, holding_count);
        }
    }
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
