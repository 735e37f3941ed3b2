// Builds the show's meshes as closed grids over two parameters and writes them in the SMF format.
// A grid wraps round in both directions (a tube closed into a ring) or in one, closed by a pole at
// each end (a ball). The first parameter runs so that, with the second, a grid cell turns
// counter-clockwise seen from outside.
#include "meshes.h"

#include "assets/mesh_table.h"
#include "whole_file.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

struct Vec3 {
    double x, y, z;
};

Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 operator*(Vec3 a, double k) { return {a.x * k, a.y * k, a.z * k}; }
Vec3 cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
Vec3 normalised(Vec3 a) { return a * (1.0 / std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z)); }

constexpr double pi = 3.14159265358979323846;

struct TriangleMesh {
    std::vector<Vec3> points;
    std::vector<std::array<uint16_t, 3>> faces;
};

// Cell (i, j) to (i + 1, j + 1) as two triangles, given the indices of its four corners.
void add_cell(TriangleMesh& mesh, uint16_t a, uint16_t b, uint16_t c, uint16_t d)
{
    mesh.faces.push_back({a, b, c});
    mesh.faces.push_back({a, c, d});
}

// A tube closed into a ring: point(u, v) for u and v in [0, 1), both wrapping round.
template <typename Point>
TriangleMesh ring_grid(int columns, int rows, Point point)
{
    TriangleMesh mesh;
    for (int j = 0; j < rows; ++j)
        for (int i = 0; i < columns; ++i)
            mesh.points.push_back(point(static_cast<double>(i) / columns, static_cast<double>(j) / rows));
    auto at = [&](int i, int j) { return static_cast<uint16_t>(j % rows * columns + i % columns); };
    for (int j = 0; j < rows; ++j)
        for (int i = 0; i < columns; ++i)
            add_cell(mesh, at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j + 1));
    return mesh;
}

// A ball: point(u, v) with u in [0, 1) wrapping round and v from 0 (one pole) to 1 (the other); the
// rows at v = 0 and v = 1 are single points.
template <typename Point>
TriangleMesh ball_grid(int columns, int rows, Point point)
{
    TriangleMesh mesh;
    mesh.points.push_back(point(0.0, 0.0));
    for (int j = 1; j < rows; ++j)
        for (int i = 0; i < columns; ++i)
            mesh.points.push_back(point(static_cast<double>(i) / columns, static_cast<double>(j) / rows));
    mesh.points.push_back(point(0.0, 1.0));
    const uint16_t first_pole = 0;
    const uint16_t last_pole = static_cast<uint16_t>(mesh.points.size() - 1);
    auto at = [&](int i, int j) { return static_cast<uint16_t>(1 + (j - 1) * columns + i % columns); };
    for (int i = 0; i < columns; ++i) {
        mesh.faces.push_back({first_pole, at(i + 1, 1), at(i, 1)});
        for (int j = 1; j < rows - 1; ++j)
            add_cell(mesh, at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j + 1));
        mesh.faces.push_back({at(i, rows - 1), at(i + 1, rows - 1), last_pole});
    }
    return mesh;
}

// ---- obu1: a knotted tube ----
//
// A (3, 5) torus knot: it winds three times round the z axis while it circles a core of radius 30
// five times at radius 11. Its strands pass at least 16.6 apart and it bends no tighter than radius
// 22, so a tube of radius 7.5 neither touches itself nor folds; it reaches 48.5 from the centre, just
// under half the 100 between neighbours on the ring. Three shallow flutes twist along the tube, so
// its reflection breaks into spiralling bands as it tumbles.
constexpr double knot_core_radius = 30.0;
constexpr double knot_winding_radius = 11.0;
constexpr double knot_turns = 3.0;
constexpr double knot_windings = 5.0;
constexpr double knot_tube_radius = 7.5;
constexpr double knot_flute_depth = 0.12;  // of the tube's radius
constexpr int knot_flutes = 3;
constexpr double knot_flute_twists = 15.0;  // turns of the flutes about the tube along the whole knot
constexpr int knot_tube_sides = 12;
constexpr int knot_length_steps = 150;

Vec3 knot_point(double t)
{
    double around = knot_core_radius + knot_winding_radius * std::cos(knot_windings * t);
    return {around * std::cos(knot_turns * t), around * std::sin(knot_turns * t),
            knot_winding_radius * std::sin(knot_windings * t)};
}

// Frenet frame from central differences: the curve bends everywhere, so it turns smoothly and
// comes back to itself after one round.
struct Frame {
    Vec3 normal, binormal;
};

Frame knot_frame(double t)
{
    const double h = 1e-4;
    Vec3 before = knot_point(t - h), here = knot_point(t), after = knot_point(t + h);
    Vec3 tangent = normalised(after - before);
    Vec3 bend = (after - here * 2.0) + before;
    Vec3 binormal = normalised(cross(tangent, bend));
    return {cross(binormal, tangent), binormal};
}

TriangleMesh torus_knot()
{
    // Around the tube first, along the knot second: the cell turns counter-clockwise from outside.
    return ring_grid(knot_tube_sides, knot_length_steps, [](double around, double along) {
        double t = 2.0 * pi * along;
        double a = 2.0 * pi * around;
        double flute = std::cos(knot_flutes * a + 2.0 * pi * knot_flute_twists * along);
        double radius = knot_tube_radius * (1.0 - knot_flute_depth * 0.5 * (1.0 - flute));
        Frame f = knot_frame(t);
        return knot_point(t) + (f.normal * std::cos(a) + f.binormal * std::sin(a)) * radius;
    });
}

// ---- obu2: a plump star ----
//
// Five rounded points reaching 29.5 from the centre, 17 in the notches between them: just under half
// the 60 between neighbours on the ring. A cushion 28 thick at the middle, thinner towards the tips,
// with softly squared edges.
constexpr int star_points = 5;
constexpr double star_notch_radius = 17.0;
constexpr double star_tip_radius = 29.5;
constexpr double star_tip_sharpness = 1.4;
constexpr double star_centre_half_thickness = 14.0;
constexpr double star_tip_half_thickness = 8.0;
constexpr double star_squareness = 1.0;  // below 1 flattens the faces and rounds the edges
constexpr int star_columns = 80;
constexpr int star_rows = 18;

double signed_power(double x, double e) { return std::copysign(std::pow(std::fabs(x), e), x); }

Vec3 star_point(double around, double latitude)
{
    double u = 2.0 * pi * around;
    double v = pi * (latitude - 0.5);
    double tip = std::pow(0.5 + 0.5 * std::cos(star_points * u), star_tip_sharpness);
    double radius = star_notch_radius + (star_tip_radius - star_notch_radius) * tip;
    double half_thickness = star_centre_half_thickness + (star_tip_half_thickness - star_centre_half_thickness) * tip;
    double spread = signed_power(std::cos(v), star_squareness);
    return {radius * spread * std::cos(u), radius * spread * std::sin(u),
            half_thickness * signed_power(std::sin(v), star_squareness)};
}

TriangleMesh plump_star() { return ball_grid(star_columns, star_rows, star_point); }

// ---- writing ----

void put_u16(std::vector<unsigned char>& bytes, uint16_t value)
{
    bytes.push_back(static_cast<unsigned char>(value));
    bytes.push_back(static_cast<unsigned char>(value >> 8));
}

void put_f32(std::vector<unsigned char>& bytes, double value)
{
    float f = static_cast<float>(value);
    uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    for (int k = 0; k < 4; ++k)
        bytes.push_back(static_cast<unsigned char>(bits >> (8 * k)));
}

bool write_smf(const std::string& path, const TriangleMesh& mesh)
{
    if (mesh.points.size() > smf_largest_count || mesh.faces.size() > smf_largest_count) {
        std::fprintf(stderr, "ninescenes-data: %s has too many points or faces\n", path.c_str());
        return false;
    }
    std::vector<unsigned char> bytes;
    put_u16(bytes, static_cast<uint16_t>(mesh.faces.size()));
    put_u16(bytes, static_cast<uint16_t>(mesh.points.size()));
    for (const std::array<uint16_t, 3>& face : mesh.faces)
        for (uint16_t index : face)
            put_u16(bytes, index);
    for (const Vec3& p : mesh.points) {
        put_f32(bytes, p.x);
        put_f32(bytes, p.y);
        put_f32(bytes, p.z);
    }
    return write_whole_file(path, bytes.data(), bytes.size());
}

// One builder per mesh, in the mesh table's order: the knot is obu1, the star obu2.
TriangleMesh (*const builders[mesh_count])() = {torus_knot, plump_star};

}  // namespace

void list_meshes(std::vector<std::string>& names)
{
    for (const char* name : mesh_names)
        names.push_back(std::string(name) + mesh_extension);
}

bool write_meshes(const std::string& out_dir)
{
    for (int i = 0; i < mesh_count; ++i)
        if (!write_smf(out_dir + "/" + mesh_names[i] + mesh_extension, builders[i]()))
            return false;
    return true;
}
