// The metaball volume: the falloff and tables, add_balls' boxes and marks, and the shape, closure,
// orientation and vertex sharing of the meshes polygonize makes.
#include "effects/metaballs.h"

#include "effects/blob_scenes.h"
#include "metaballs_reference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <map>
#include <set>
#include <utility>
#include <vector>

namespace {

constexpr int grid = 32;
constexpr float blob_threshold = 0.5f;
constexpr int blob_box_radius = 10;

void set_inputs(MetaballVolume& v, float threshold, int box_radius, std::vector<Ball> balls)
{
    v.threshold = threshold;
    v.box_radius = box_radius;
    v.ball_count = static_cast<int>(balls.size());
    std::copy(balls.begin(), balls.end(), v.balls);
}

// The ten balls of the free blob cluster at time t.
std::vector<Ball> cluster_balls(float t)
{
    std::vector<Ball> balls(blob_ball_count);
    place_cluster_balls(t, balls.data());
    return balls;
}

// The ten balls that merge with the cavity wall at time t.
std::vector<Ball> cavity_balls(float t)
{
    std::vector<Ball> balls(blob_ball_count);
    place_cavity_balls(t, balls.data());
    return balls;
}

void run_frame(MetaballVolume& v, bool cavity)
{
    if (cavity)
        std::copy(cavity_field, cavity_field + grid * grid * grid, v.field.begin());
    else
        v.clear_field();
    v.add_balls();
    v.polygonize();
}

using Vec = std::array<float, 3>;

Vec sub(const Vec& a, const Vec& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
Vec cross(const Vec& a, const Vec& b)
{
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
float dot(const Vec& a, const Vec& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

Vec face_normal(const MetaballVolume& v, int t)
{
    const auto& tri = v.triangles[t];
    const Vec& p0 = v.positions[tri[0]];
    return cross(sub(v.positions[tri[1]], p0), sub(v.positions[tri[2]], p0));
}

// How the mesh's triangles meet along their edges.
struct Closure {
    int open_edges = 0;         // undirected edges not shared by exactly two triangles
    int same_way_edges = 0;     // directed edges used twice: neighbours wound against each other
    int euler = 0;              // V − E + F
};

Closure closure(const MetaballVolume& v)
{
    std::map<std::pair<int, int>, int> undirected;
    std::set<std::pair<int, int>> directed;
    Closure c;
    for (int t = 0; t < v.triangle_count; ++t)
        for (int k = 0; k < 3; ++k) {
            const int a = v.triangles[t][k], b = v.triangles[t][(k + 1) % 3];
            ++undirected[{std::min(a, b), std::max(a, b)}];
            if (!directed.insert({a, b}).second)
                ++c.same_way_edges;
        }
    for (const auto& edge : undirected)
        c.open_edges += edge.second != 2;
    c.euler = v.vertex_count - static_cast<int>(undirected.size()) + v.triangle_count;
    return c;
}

void expect_closed_sphere_like(const MetaballVolume& v)
{
    ASSERT_GT(v.triangle_count, 0);
    const Closure c = closure(v);
    EXPECT_EQ(c.open_edges, 0);
    EXPECT_EQ(c.same_way_edges, 0);
    EXPECT_EQ(c.euler, 2);
}

// The grid edge a vertex lies on, as (lower end point index)·3 + axis, or -1 if it lies on none or
// on a grid point.
int grid_edge_of(const MetaballVolume& v, const Vec& p)
{
    int axis = -1;
    int lower[3];
    for (int k = 0; k < 3; ++k) {
        const float g = (p[k] + 1.0f) * v.half_size;
        const float nearest = std::round(g);
        if (std::fabs(g - nearest) < 1e-4f) {
            lower[k] = static_cast<int>(nearest);
        } else {
            if (axis != -1)
                return -1;
            axis = k;
            lower[k] = static_cast<int>(std::floor(g));
        }
    }
    if (axis == -1)
        return -1;
    return ((lower[0] * v.size + lower[1]) * v.size + lower[2]) * 3 + axis;
}

// Every grid edge between grid points of the polygonized block (coordinates 1 … size − 1) whose end
// points lie on different sides of the threshold, in the numbering of grid_edge_of.
std::set<int> cut_grid_edges(const MetaballVolume& v)
{
    const int n = v.size;
    const int step[3] = {n * n, n, 1};
    std::set<int> edges;
    for (int x = 1; x < n; ++x)
        for (int y = 1; y < n; ++y)
            for (int z = 1; z < n; ++z) {
                const int point = (x * n + y) * n + z;
                const int coordinate[3] = {x, y, z};
                for (int axis = 0; axis < 3; ++axis) {
                    if (coordinate[axis] + 1 > n - 1)
                        continue;
                    const bool inside_a = v.field[point] > v.threshold;
                    const bool inside_b = v.field[point + step[axis]] > v.threshold;
                    if (inside_a != inside_b)
                        edges.insert(point * 3 + axis);
                }
            }
    return edges;
}

void expect_indices_within_vertices(const MetaballVolume& v)
{
    for (int t = 0; t < v.triangle_count; ++t)
        for (int k = 0; k < 3; ++k)
            ASSERT_LT(v.triangles[t][k], v.vertex_count) << "triangle " << t;
}

// The squared, strength-scaled distance at which the falloff is 0.5, by bisection.
float half_falloff_distance()
{
    float low = 0.0f, high = 1.0f;
    for (int i = 0; i < 60; ++i) {
        const float mid = 0.5f * (low + high);
        (ball_falloff(mid) > 0.5f ? low : high) = mid;
    }
    return low;
}

TEST(Metaballs, FalloffRunsFromOneToZero)
{
    EXPECT_EQ(ball_falloff(0.0f), 1.0f);
    EXPECT_NEAR(ball_falloff(1.0f), 0.00001f, 1e-6f);
    EXPECT_EQ(ball_falloff(1.0001f), 0.0f);
    EXPECT_NEAR(half_falloff_distance(), 0.25f, 0.002f);
    for (float w = 0.0f; w < 1.0f; w += 0.01f)
        EXPECT_GT(ball_falloff(w), ball_falloff(w + 0.01f)) << "w " << w;
}

TEST(Metaballs, TablesAreThePublishedOnes)
{
    EXPECT_EQ(marching_edge_table[1], 0x109);
    EXPECT_EQ(marching_edge_table[3], 0x30A);
    EXPECT_EQ(marching_edge_table[128], 0x8C0);
    const std::vector<std::pair<int, std::vector<int>>> rows = {
        {1, {0, 8, 3}},
        {3, {1, 8, 3, 9, 8, 1}},
        {7, {2, 8, 3, 2, 10, 8, 10, 9, 8}},
        {0x33, {1, 5, 3, 3, 5, 7}},
        {254, {0, 3, 8}},
    };
    for (const auto& [cube, row] : rows) {
        for (size_t k = 0; k < row.size(); ++k)
            EXPECT_EQ(marching_triangle_table[cube][k], row[k]) << "cube " << cube << " entry " << k;
        EXPECT_EQ(marching_triangle_table[cube][row.size()], -1) << "cube " << cube;
    }

    // Every row: bit e of the mask is set exactly when edge e joins an inside and an outside corner,
    // and the triangles use exactly those edges, three distinct ones each, ended by -1.
    constexpr int edge_corners[12][2] = {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {4, 5}, {5, 6},
                                         {6, 7}, {7, 4}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};
    for (int cube = 0; cube < 256; ++cube) {
        int mask = 0;
        for (int e = 0; e < 12; ++e)
            if (((cube >> edge_corners[e][0]) ^ (cube >> edge_corners[e][1])) & 1)
                mask |= 1 << e;
        EXPECT_EQ(marching_edge_table[cube], mask) << "cube " << cube;
        const int8_t* row = marching_triangle_table[cube];
        int used = 0, k = 0;
        for (; k < 15 && row[k] != -1; k += 3) {
            ASSERT_TRUE(row[k] >= 0 && row[k + 1] >= 0 && row[k + 2] >= 0) << "cube " << cube;
            EXPECT_TRUE(row[k] != row[k + 1] && row[k + 1] != row[k + 2] && row[k] != row[k + 2])
                << "cube " << cube;
            used |= 1 << row[k] | 1 << row[k + 1] | 1 << row[k + 2];
        }
        EXPECT_EQ(row[k], -1) << "cube " << cube;
        EXPECT_EQ(used, mask) << "cube " << cube;
    }
}

TEST(Metaballs, NoBallsMakeNoSurface)
{
    MetaballVolume v(grid);
    EXPECT_EQ(v.threshold, 0.2f);
    EXPECT_EQ(v.box_radius, 7);
    EXPECT_EQ(v.ball_count, 0);
    EXPECT_EQ(v.half_size, 16);
    EXPECT_EQ(v.slab_entries, 3 * grid * grid);
    EXPECT_EQ(v.row_entries, 3 * grid);
    set_inputs(v, blob_threshold, blob_box_radius, {});
    run_frame(v, false);
    EXPECT_EQ(v.vertex_count, 0);
    EXPECT_EQ(v.triangle_count, 0);
    EXPECT_TRUE(std::all_of(v.field.begin(), v.field.end(), [](float f) { return f == 0.0f; }));
}

TEST(Metaballs, OneBallMakesClosedSphere)
{
    MetaballVolume v(grid);
    set_inputs(v, blob_threshold, blob_box_radius, {{0, 0, 0, 12}});
    run_frame(v, false);
    expect_closed_sphere_like(v);

    // w = strength·d²/4, so the surface lies where 12·d²/4 reaches the falloff's half point;
    // linear interpolation along grid edges keeps the vertices within 0.005 of it.
    const float radius = std::sqrt(half_falloff_distance() * 4.0f / 12.0f);
    EXPECT_NEAR(radius, 0.29f, 0.005f);
    Vec centre = {0, 0, 0};
    for (int i = 0; i < v.vertex_count; ++i) {
        const Vec& p = v.positions[i];
        EXPECT_NEAR(std::sqrt(dot(p, p)), radius, 0.005f) << "vertex " << i;
        for (int k = 0; k < 3; ++k)
            centre[k] += p[k] / v.vertex_count;
    }
    for (int k = 0; k < 3; ++k)
        EXPECT_NEAR(centre[k], 0.0f, 1e-3f);
}

TEST(Metaballs, BallFarOutsideChangesNothing)
{
    MetaballVolume alone(grid), with_far(grid);
    set_inputs(alone, blob_threshold, blob_box_radius, {{0.1f, -0.2f, 0.3f, 12}});
    set_inputs(with_far, blob_threshold, blob_box_radius,
               {{100, 0, 0, 12}, {0.1f, -0.2f, 0.3f, 12}, {0, -100, 0, 12}, {0, 0, 100, 12}});
    alone.clear_field();
    alone.add_balls();
    with_far.clear_field();
    with_far.add_balls();
    EXPECT_EQ(alone.field, with_far.field);

    MetaballVolume only_far(grid);
    set_inputs(only_far, blob_threshold, blob_box_radius, {{100, 0, 0, 12}, {-100, 100, -100, 25}});
    only_far.clear_field();
    only_far.add_balls();
    EXPECT_TRUE(std::all_of(only_far.field.begin(), only_far.field.end(), [](float f) { return f == 0.0f; }));
    EXPECT_TRUE(std::all_of(only_far.visited.begin(), only_far.visited.end(), [](uint8_t m) { return m == 0; }));
}

// The falloff every grid point should hold after add_balls: the sum over all balls wherever the point
// lies in at least one ball's box (base cell ± radius), else nothing. Returns the points in two boxes.
int expect_box_sums(const MetaballVolume& v, const std::vector<Ball>& balls, int radius)
{
    int in_two = 0;
    for (int x = 0; x < grid; ++x)
        for (int y = 0; y < grid; ++y)
            for (int z = 0; z < grid; ++z) {
                const int point[3] = {x, y, z};
                int boxes = 0;
                double expected = 0.0;
                for (const Ball& b : balls) {
                    const double g[3] = {(b.x + 1) * 16.0, (b.y + 1) * 16.0, (b.z + 1) * 16.0};
                    bool in_box = true;
                    double d2 = 0.0;
                    for (int k = 0; k < 3; ++k) {
                        in_box = in_box && std::abs(point[k] - static_cast<int>(g[k])) <= radius;
                        d2 += (point[k] - g[k]) * (point[k] - g[k]);
                    }
                    boxes += in_box;
                    const double w = b.strength / (grid * grid) * d2;
                    expected += w > 1 ? 0 : 1 - 22.0 / 9 * w + 17.0 / 9 * w * w - 4.0 / 9 * w * w * w;
                }
                const float sample = v.field[(x * grid + y) * grid + z];
                if (boxes == 0)
                    EXPECT_EQ(sample, 0.0f) << x << " " << y << " " << z;
                else
                    EXPECT_NEAR(sample, expected, 2e-5) << x << " " << y << " " << z << " in boxes " << boxes;
                if (::testing::Test::HasFailure())
                    return in_two;
                in_two += boxes == 2;
            }
    return in_two;
}

TEST(Metaballs, PointInTwoBoxesIsSummedOnce)
{
    // Strength 1 reaches two volume units, far past the small boxes: points outside every box must
    // stay 0 although the falloff is positive there, and points in two boxes get both balls once.
    constexpr int small_radius = 3;
    const std::vector<Ball> overlapping = {{-0.1f, 0.05f, 0.0f, 1.0f}, {0.1f, 0.0f, -0.05f, 1.0f}};
    MetaballVolume v(grid);
    set_inputs(v, blob_threshold, small_radius, overlapping);
    v.clear_field();
    v.add_balls();
    EXPECT_GT(expect_box_sums(v, overlapping, small_radius), 100);

    // Boxes clipped by the grid's low and high faces still cover the points up to the faces.
    const std::vector<Ball> in_corners = {{-0.97f, -0.95f, -0.99f, 1.0f}, {0.97f, 0.99f, 0.95f, 1.0f}};
    MetaballVolume corners(grid);
    set_inputs(corners, blob_threshold, small_radius, in_corners);
    corners.clear_field();
    corners.add_balls();
    EXPECT_GT(corners.field[0], 0.0f);
    EXPECT_GT(corners.field.back(), 0.0f);
    EXPECT_EQ(expect_box_sums(corners, in_corners, small_radius), 0);
}

TEST(Metaballs, PolygonizeIsRepeatableAndClearsMarks)
{
    MetaballVolume v(grid);
    set_inputs(v, blob_threshold, blob_box_radius, cluster_balls(5.0f));
    v.clear_field();
    v.add_balls();
    EXPECT_GT(std::count(v.visited.begin(), v.visited.end(), 1), 0);
    v.polygonize();
    ASSERT_GT(v.triangle_count, 0);
    EXPECT_EQ(std::count(v.visited.begin(), v.visited.end(), 0), grid * grid * grid);
    const int vertices = v.vertex_count, triangles = v.triangle_count;
    const auto positions = v.positions, normals = v.normals;
    const auto tris = v.triangles;

    auto same_output = [&](const MetaballVolume& w) {
        ASSERT_EQ(w.vertex_count, vertices);
        ASSERT_EQ(w.triangle_count, triangles);
        EXPECT_EQ(0, std::memcmp(w.positions.data(), positions.data(), sizeof(positions[0]) * vertices));
        EXPECT_EQ(0, std::memcmp(w.normals.data(), normals.data(), sizeof(normals[0]) * vertices));
        EXPECT_EQ(0, std::memcmp(w.triangles.data(), tris.data(), sizeof(tris[0]) * triangles));
    };
    v.polygonize();
    same_output(v);
    EXPECT_EQ(std::count(v.visited.begin(), v.visited.end(), 0), grid * grid * grid);
    // A whole second frame finds every mark and cache entry as the first did.
    run_frame(v, false);
    same_output(v);
}

TEST(Metaballs, EdgeCacheStartsEmptyEveryCall)
{
    // A rod along x crosses the first and the last plane of cells alike: vertices filed for the
    // last plane must not be taken for the first plane's in the next call.
    MetaballVolume v(grid);
    v.threshold = blob_threshold;
    for (int x = 0; x < grid; ++x)
        for (int y = 0; y < grid; ++y)
            for (int z = 0; z < grid; ++z)
                v.field[(x * grid + y) * grid + z] = 1.0f - ((y - 15.5f) * (y - 15.5f) + (z - 15.3f) * (z - 15.3f)) / 60.0f;
    v.polygonize();
    const int vertices = v.vertex_count;
    const auto tris = v.triangles;
    ASSERT_GT(vertices, 0);
    v.polygonize();
    ASSERT_EQ(v.vertex_count, vertices);
    ASSERT_EQ(std::memcmp(v.triangles.data(), tris.data(), sizeof(tris[0]) * v.triangle_count), 0);
    std::set<int> edges;
    for (int i = 0; i < v.vertex_count; ++i)
        edges.insert(grid_edge_of(v, v.positions[i]));
    EXPECT_EQ(edges, cut_grid_edges(v));
}

TEST(Metaballs, EachCutGridEdgeHasExactlyOneVertex)
{
    // The cavity wall has samples of exactly 0.5, whose vertices sit on grid points; at 0.45 none
    // does, so every vertex lies strictly inside the one edge it was made for.
    constexpr float off_grid_threshold = 0.45f;
    build_cavity_field();
    for (bool cavity : {false, true}) {
        SCOPED_TRACE(cavity ? "cavity" : "cluster");
        MetaballVolume v(grid);
        set_inputs(v, cavity ? off_grid_threshold : blob_threshold, blob_box_radius,
                   cavity ? cavity_balls(9.971f) : cluster_balls(3.0f));
        run_frame(v, cavity);
        ASSERT_EQ(std::count(v.field.begin(), v.field.end(), v.threshold), 0);
        std::set<int> vertex_edges;
        for (int i = 0; i < v.vertex_count; ++i) {
            const int edge = grid_edge_of(v, v.positions[i]);
            ASSERT_NE(edge, -1) << "vertex " << i << " is not inside one grid edge";
            EXPECT_TRUE(vertex_edges.insert(edge).second) << "vertex " << i << " repeats an edge";
        }
        EXPECT_EQ(vertex_edges, cut_grid_edges(v));
        expect_indices_within_vertices(v);
    }
}

TEST(Metaballs, BareCavityIsClosedEllipsoid)
{
    build_cavity_field();
    EXPECT_EQ(cavity_field[16 * 1024 + 16 * 32 + 16], 0.0f);
    EXPECT_EQ(cavity_field[(16 + 10) * 1024 + 16 * 32 + 16], 0.0f);                 // 100 ≤ 105
    EXPECT_NEAR(cavity_field[(16 + 12) * 1024 + 16 * 32 + 16], 0.39f, 1e-5f);        // 144·0.01 − 1.05
    EXPECT_NEAR(cavity_field[16 * 1024 + (16 + 8) * 32 + 16], 0.358f, 1e-5f);       // 2.2·64·0.01 − 1.05
    EXPECT_EQ(cavity_field[0], 1.0f);

    MetaballVolume v(grid);
    set_inputs(v, blob_threshold, blob_box_radius, {});
    run_frame(v, true);
    expect_closed_sphere_like(v);
    const float side = std::sqrt(155.0f) / 16.0f;           // ≈ 0.778, along x and z
    const float height = std::sqrt(155.0f / 2.2f) / 16.0f;  // ≈ 0.525, along y
    Vec extent = {0, 0, 0};
    for (int i = 0; i < v.vertex_count; ++i) {
        const Vec& p = v.positions[i];
        const float r = std::sqrt(p[0] * p[0] / (side * side) + p[1] * p[1] / (height * height) +
                                  p[2] * p[2] / (side * side));
        EXPECT_NEAR(r, 1.0f, 0.005f) << "vertex " << i;
        for (int k = 0; k < 3; ++k)
            extent[k] = std::max(extent[k], std::fabs(p[k]));
    }
    EXPECT_NEAR(extent[0], 0.778f, 0.005f);
    EXPECT_NEAR(extent[1], 0.525f, 0.005f);
    EXPECT_NEAR(extent[2], 0.778f, 0.005f);
}

TEST(Metaballs, TrianglesFaceOutNormalsPointIn)
{
    build_cavity_field();
    struct Case {
        const char* name;
        std::vector<Ball> balls;
        bool cavity;
    };
    const Case cases[] = {
        {"one ball", {{0, 0, 0, 12}}, false},
        {"cluster", cluster_balls(7.0f), false},
        {"bare cavity", {}, true},
        {"cavity with balls", cavity_balls(12.0f), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MetaballVolume v(grid);
        set_inputs(v, blob_threshold, blob_box_radius, c.balls);
        run_frame(v, c.cavity);
        ASSERT_GT(v.triangle_count, 0);
        // Counter-clockwise seen from outside: the face normal points against the gradient, which
        // climbs into the blob. Samples exactly at the threshold (the bare cavity wall has some)
        // put vertices on grid points and leave a few triangles without area, hence no direction.
        int flat = 0;
        for (int t = 0; t < v.triangle_count; ++t) {
            const auto& tri = v.triangles[t];
            const Vec face = face_normal(v, t);
            if (dot(face, face) == 0.0f) {
                ++flat;
                continue;
            }
            Vec gradient = {0, 0, 0};
            for (int k = 0; k < 3; ++k)
                for (int a = 0; a < 3; ++a)
                    gradient[a] += v.normals[tri[k]][a];
            ASSERT_LT(dot(face, gradient), 0.0f) << "triangle " << t;
        }
        EXPECT_LT(flat, v.triangle_count / 20);
    }

    // Seen geometrically on the single ball: faces look away from the centre, normals toward it.
    MetaballVolume v(grid);
    set_inputs(v, blob_threshold, blob_box_radius, {{0, 0, 0, 12}});
    run_frame(v, false);
    for (int t = 0; t < v.triangle_count; ++t)
        EXPECT_GT(dot(face_normal(v, t), v.positions[v.triangles[t][0]]), 0.0f) << "triangle " << t;
    for (int i = 0; i < v.vertex_count; ++i)
        EXPECT_LT(dot(v.normals[i], v.positions[i]), 0.0f) << "vertex " << i;
}

TEST(Metaballs, OuterCellLayerStaysOpen)
{
    // A ball pressed against the -x face: its surface crosses the outermost layer of cells, which
    // is never polygonized, so the mesh is open there and no vertex lies below grid coordinate 1.
    MetaballVolume v(grid);
    set_inputs(v, blob_threshold, blob_box_radius, {{-0.95f, 0, 0, 12}});
    run_frame(v, false);
    ASSERT_GT(v.triangle_count, 0);
    const float first_inner = 1.0f / v.half_size - 1.0f;
    for (int i = 0; i < v.vertex_count; ++i)
        for (int k = 0; k < 3; ++k)
            ASSERT_GE(v.positions[i][k], first_inner) << "vertex " << i;
    EXPECT_GT(closure(v).open_edges, 0);
    expect_indices_within_vertices(v);
    for (int i = 0; i < v.vertex_count; ++i)
        for (int k = 0; k < 3; ++k)
            ASSERT_TRUE(std::isfinite(v.normals[i][k])) << "vertex " << i;
}

TEST(Metaballs, FullArraysCutTheMeshShortButConsistent)
{
    // A checkerboard cuts every grid edge: far more vertices than the arrays hold. A lattice of
    // rods along the three axes makes twice as many triangles as vertices and fills the triangles
    // first.
    auto checkerboard = [](int x, int y, int z) { return static_cast<float>((x + y + z) % 2); };
    auto rods = [](int x, int y, int z) {
        return static_cast<float>((x % 2 == 0) + (y % 2 == 0) + (z % 2 == 0) >= 2);
    };
    for (int pattern = 0; pattern < 2; ++pattern) {
        SCOPED_TRACE(pattern == 0 ? "checkerboard" : "rods");
        MetaballVolume v(grid);
        v.threshold = blob_threshold;
        for (int x = 0; x < grid; ++x)
            for (int y = 0; y < grid; ++y)
                for (int z = 0; z < grid; ++z)
                    v.field[(x * grid + y) * grid + z] = pattern == 0 ? checkerboard(x, y, z) : rods(x, y, z);
        v.polygonize();
        if (pattern == 0) {
            EXPECT_EQ(v.vertex_count, max_vertices);
            EXPECT_GT(v.triangle_count, 0);
            EXPECT_LT(v.triangle_count, max_triangles);
        } else {
            EXPECT_LT(v.vertex_count, max_vertices);
            EXPECT_EQ(v.triangle_count, max_triangles);
        }
        expect_indices_within_vertices(v);
        // Every vertex made is still on its own cut edge.
        std::set<int> edges;
        for (int i = 0; i < v.vertex_count; ++i)
            edges.insert(grid_edge_of(v, v.positions[i]));
        EXPECT_EQ(static_cast<int>(edges.size()), v.vertex_count);
        EXPECT_EQ(edges.count(-1), 0u);
        // The next frame starts from empty caches and clear marks.
        v.clear_field();
        v.polygonize();
        EXPECT_EQ(v.vertex_count, 0);
        EXPECT_EQ(v.triangle_count, 0);
    }
}

// The volume's passes against the plain ones, on the same inputs: the samples and marks after
// add_balls, then the mesh after polygonize, bit for bit and in the same order.
void expect_as_reference(int size, const std::function<void(MetaballVolume&)>& set_up, bool sum_balls = true)
{
    static std::map<int, std::pair<MetaballVolume, MetaballVolume>> volumes;
    auto& [fast, plain] = volumes.try_emplace(size, std::piecewise_construct, std::forward_as_tuple(size),
                                              std::forward_as_tuple(size))
                              .first->second;
    set_up(fast);
    set_up(plain);
    if (sum_balls) {
        fast.add_balls();
        reference_add_balls(plain);
        ASSERT_EQ(0, std::memcmp(fast.field.data(), plain.field.data(), fast.field.size() * sizeof(float)));
        ASSERT_EQ(fast.visited, plain.visited);
    }
    fast.polygonize();
    reference_polygonize(plain);
    ASSERT_EQ(fast.vertex_count, plain.vertex_count);
    ASSERT_EQ(fast.triangle_count, plain.triangle_count);
    const size_t vertex_bytes = sizeof(Vec) * plain.vertex_count;
    EXPECT_EQ(0, std::memcmp(fast.positions.data(), plain.positions.data(), vertex_bytes));
    EXPECT_EQ(0, std::memcmp(fast.normals.data(), plain.normals.data(), vertex_bytes));
    EXPECT_EQ(0, std::memcmp(fast.triangles.data(), plain.triangles.data(),
                             sizeof(plain.triangles[0]) * plain.triangle_count));
    EXPECT_TRUE(std::all_of(fast.visited.begin(), fast.visited.end(), [](uint8_t m) { return m == 0; }));
}

// Inputs of one frame: the balls, the field reset to zero or to the cavity wall.
std::function<void(MetaballVolume&)> frame(std::vector<Ball> balls, bool cavity = false, int radius = blob_box_radius,
                                           float threshold = blob_threshold)
{
    return [=](MetaballVolume& v) {
        set_inputs(v, threshold, radius, balls);
        if (cavity)
            std::copy(cavity_field, cavity_field + grid * grid * grid, v.field.begin());
        else
            v.clear_field();
    };
}

TEST(Metaballs, SceneFramesMatchThePlainPasses)
{
    build_cavity_field();
    for (int k = 0; k < 11; ++k) {
        const float cluster_t = 0.3f + 1.75f * k, cavity_t = 1.5f + 4.1f * k;
        SCOPED_TRACE(::testing::Message() << "cluster at " << cluster_t << ", cavity at " << cavity_t);
        expect_as_reference(grid, frame(cluster_balls(cluster_t)));
        expect_as_reference(grid, frame(cavity_balls(cavity_t), true));
    }
}

TEST(Metaballs, EdgeCasesMatchThePlainPasses)
{
    struct Case {
        const char* name;
        int size;
        std::function<void(MetaballVolume&)> set_up;
    };
    const std::vector<Ball> at_faces = {{-1, 0.1f, 0.2f, 12}, {0.97f, -0.2f, 0, 12}, {0.3f, -0.99f, 0, 25},
                                        {0, 0.98f, 0.1f, 12}, {0.2f, 0.3f, -1, 12},   {-0.1f, 0, 0.999f, 25}};
    const std::vector<Ball> in_corners = {{-1, -1, -1, 12}, {0.99f, 0.99f, 0.99f, 25}, {1, -1, 1, 12}};
    const std::vector<Ball> odd = {{0, 0, 0, -3}, {0.1f, 0.2f, 100, 12}, {0.25f, 0.25f, 0.25f, 0}, {100, 0, 0, 12}};
    constexpr float not_a_number = std::numeric_limits<float>::quiet_NaN();
    const std::vector<Ball> with_nan = {{0.1f, 0, 0, 12}, {not_a_number, 0.2f, 0, 12}, {0, 0, not_a_number, 25}};
    const auto holes = [&](MetaballVolume& v) {
        frame(cluster_balls(4.0f))(v);
        for (size_t i = 0; i < v.field.size(); i += 97)
            v.field[i] = not_a_number;
    };
    const auto fill = [](float value) {
        return [=](MetaballVolume& v) { std::fill(v.field.begin(), v.field.end(), value); };
    };
    const Case cases[] = {
        {"no balls", grid, frame({})},
        {"full field", grid, [&](MetaballVolume& v) { frame(cluster_balls(2.0f))(v); fill(1.0f)(v); }},
        {"balls at the faces", grid, frame(at_faces)},
        {"balls in the corners", grid, frame(in_corners, false, 3)},
        {"overlapping small boxes", grid, frame({{-0.1f, 0.05f, 0, 1}, {0.1f, 0, -0.05f, 1}}, false, 3)},
        {"negative, zero and far balls", grid, frame(odd)},
        {"cavity at its own level", grid, frame({}, true)},
        {"balls whose coordinates are not numbers", grid, frame(with_nan)},
        {"samples that are not numbers", grid, holes},
        {"balls summed twice before the mesh", grid, [&](MetaballVolume& v) { frame(at_faces)(v); v.add_balls(); }},
        {"rows of two words", 70, frame(at_faces)},
        {"rows of one full word", 64, frame(in_corners, false, 40, 0.3f)},
        {"tiny grid", 4, frame({{0, 0, 0, 1}})},
    };
    build_cavity_field();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        expect_as_reference(c.size, c.set_up);
    }
}

TEST(Metaballs, FullArraysMatchThePlainPolygonizer)
{
    const auto pattern = [](bool rods) {
        return [=](MetaballVolume& v) {
            v.threshold = blob_threshold;
            for (int x = 0; x < grid; ++x)
                for (int y = 0; y < grid; ++y)
                    for (int z = 0; z < grid; ++z)
                        v.field[(x * grid + y) * grid + z] =
                            rods ? (x % 2 == 0) + (y % 2 == 0) + (z % 2 == 0) >= 2 : (x + y + z) % 2;
        };
    };
    for (bool rods : {false, true}) {
        SCOPED_TRACE(rods ? "rods" : "checkerboard");
        expect_as_reference(grid, pattern(rods), false);
    }
}

}  // namespace
