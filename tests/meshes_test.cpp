// The meshes: normals weighted by area on files the test writes, the refusal of damaged files, the
// sphere-mapped batch as GL receives it, and the show's generated meshes (closed, wound outwards,
// small enough for their rings).
#include "assets/meshes.h"
#include "show/view.h"
#include "show_fixture.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

// An SMF file in a scratch directory, from counts, indices, coordinates and any trailing bytes.
class SmfFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/ninescenes-meshes-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        scratch = pattern;
    }
    void TearDown() override { EXPECT_EQ(std::system(("rm -rf " + scratch).c_str()), 0); }

    std::string write(const char* name, uint16_t faces, uint16_t vertices, const std::vector<uint16_t>& indices,
                      const std::vector<float>& coordinates, size_t cut = 0, const std::string& tail = "")
    {
        std::string bytes;
        auto put16 = [&](uint16_t v) { bytes += {static_cast<char>(v & 0xff), static_cast<char>(v >> 8)}; };
        put16(faces);
        put16(vertices);
        for (uint16_t i : indices)
            put16(i);
        for (float c : coordinates) {
            uint32_t bits;
            std::memcpy(&bits, &c, 4);
            for (int k = 0; k < 4; ++k)
                bytes += static_cast<char>(bits >> (8 * k));
        }
        bytes = bytes.substr(0, bytes.size() - cut) + tail;
        std::string path = scratch + "/" + name;
        std::FILE* file = std::fopen(path.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
        return path;
    }
    std::string scratch;
};

static void expect_normal(const Mesh& mesh, int vertex, float x, float y, float z)
{
    SCOPED_TRACE(vertex);
    EXPECT_NEAR(mesh.normals[3 * vertex], x, 1e-6);
    EXPECT_NEAR(mesh.normals[3 * vertex + 1], y, 1e-6);
    EXPECT_NEAR(mesh.normals[3 * vertex + 2], z, 1e-6);
}

static const std::vector<float> unit_triangle = {0, 0, 0, 1, 0, 0, 0, 1, 0};

TEST_F(SmfFiles, EachVertexGetsTheAreaWeightedSumOfItsFaces)
{
    Mesh one = load_smf(write("one.smf", 1, 3, {0, 1, 2}, unit_triangle, 0, "ignored").c_str());
    ASSERT_EQ(one.face_count, 1);
    ASSERT_EQ(one.vertex_count, 3);
    EXPECT_EQ(one.vertices, unit_triangle);
    for (int v = 0; v < 3; ++v)
        expect_normal(one, v, 0, 0, 1);

    // Vertex 0 is shared by the unit triangle (cross product of length 1) and a triangle four times
    // its area facing +x: it leans towards the larger face.
    Mesh two = load_smf(write("two.smf", 2, 5, {0, 1, 2, 0, 3, 4}, {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 2, 0, 0, 0, 2})
                            .c_str());
    expect_normal(two, 0, 4 / std::sqrt(17.0f), 0, 1 / std::sqrt(17.0f));
    expect_normal(two, 1, 0, 0, 1);
    expect_normal(two, 3, 1, 0, 0);

    // A triangle and its reverse cancel out; vertex 3 belongs to no face. All four still get a
    // finite unit normal.
    Mesh odd = load_smf(write("odd.smf", 2, 4, {0, 2, 1, 0, 1, 2}, {0, 0, 0, 0, 3, 0, 0, 0, 3, 5, 5, 5}).c_str());
    for (size_t v = 0; v < 4; ++v) {
        const float* n = &odd.normals[3 * v];
        EXPECT_NEAR(std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]), 1.0f, 1e-6) << v;
    }

    Mesh empty = load_smf(write("empty.smf", 0, 0, {}, {}).c_str());
    EXPECT_EQ(empty.face_count, 0);
    EXPECT_TRUE(empty.indices.empty());
}

TEST_F(SmfFiles, DamagedFilesEndTheProgramWithOneLine)
{
    const std::string line = "[^\n]*\n$";
    const struct {
        std::string path;
        const char* fault;
    } cases[] = {
        {scratch + "/absent.smf", "^ninescenes: cannot open mesh [^\n]*/absent.smf: No such file"},
        {write("header.smf", 1, 3, {}, {}, 1), "^ninescenes: mesh [^\n]*/header.smf: truncated: 3 bytes"},
        {write("faces.smf", 2, 3, {0, 1, 2}, {}), "^ninescenes: mesh [^\n]*/faces.smf: truncated: 6 bytes"},
        {write("vertices.smf", 1, 3, {0, 1, 2}, unit_triangle, 1), "^ninescenes: mesh [^\n]*/vertices.smf: truncated"},
        {write("index.smf", 1, 3, {0, 3, 2}, unit_triangle), "^ninescenes: mesh [^\n]*/index.smf: face 0 uses vertex 3 of only 3"},
        {write("nan.smf", 1, 3, {0, 1, 2}, {0, 0, 0, 1, 0, 0, 0, NAN, 0}), "^ninescenes: mesh [^\n]*/nan.smf: vertex 2 is not"},
    };
    for (const auto& c : cases)
        EXPECT_EXIT(load_smf(c.path.c_str()), ::testing::ExitedWithCode(1), c.fault + line) << c.path;
}

// GL's sphere map for an eye-space position and unit normal.
static std::pair<double, double> sphere_map(const double p[3], const float n[3])
{
    double length = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
    double u[3] = {p[0] / length, p[1] / length, p[2] / length};
    double along = n[0] * u[0] + n[1] * u[1] + n[2] * u[2];
    double r[3] = {u[0] - 2 * n[0] * along, u[1] - 2 * n[1] * along, u[2] - 2 * n[2] * along};
    double m = 2 * std::sqrt(r[0] * r[0] + r[1] * r[1] + (r[2] + 1) * (r[2] + 1));
    return {r[0] / m + 0.5, r[1] / m + 0.5};
}

TEST_F(SmfFiles, DrawingSendsEveryCornerWithItsOwnNormalSphereMapped)
{
    open_show_offscreen();
    Mesh empty = load_smf(write("empty.smf", 0, 0, {}, {}).c_str());
    Mesh two = load_smf(write("two.smf", 2, 5, {0, 1, 2, 0, 3, 4}, {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 2, 0, 0, 0, 2})
                            .c_str());
    const double shift[3] = {0.3, 0.2, -4.0};  // off the axis, where the sphere map is singular
    glDisable(GL_CULL_FACE);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslated(shift[0], shift[1], shift[2]);
    std::vector<FedPolygon> fed = feed_polygons(5.0, 10.0, [&] {
        draw_mesh_sphere_mapped(empty);
        draw_mesh_sphere_mapped(two);
    });
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_T));
    ASSERT_EQ(fed.size(), 2u) << "the empty mesh adds nothing";
    for (int corner = 0; corner < 6; ++corner) {
        SCOPED_TRACE(corner);
        const FedVertex& v = fed[corner / 3][corner % 3];
        int index = two.indices[corner];
        const float* p = &two.vertices[3 * index];
        const double eye[3] = {p[0] + shift[0], p[1] + shift[1], p[2] + shift[2]};
        std::pair<double, double> st = sphere_map(eye, &two.normals[3 * index]);
        EXPECT_NEAR(v.s, st.first, 1e-5);
        EXPECT_NEAR(v.t, st.second, 1e-5);
    }
    set_view(screen_width, screen_height);
}

struct DirectedEdge {
    uint16_t from, to;
    bool operator<(const DirectedEdge& o) const { return from != o.from ? from < o.from : to < o.to; }
    bool operator==(const DirectedEdge& o) const { return from == o.from && to == o.to; }
};

// Closed and consistently wound: every edge runs once each way between two faces.
static int unpaired_edges(const Mesh& mesh)
{
    std::vector<DirectedEdge> edges;
    for (size_t f = 0; f < mesh.indices.size(); f += 3)
        for (int k = 0; k < 3; ++k)
            edges.push_back({mesh.indices[f + k], mesh.indices[f + (k + 1) % 3]});
    std::sort(edges.begin(), edges.end());
    int unpaired = std::adjacent_find(edges.begin(), edges.end()) != edges.end();
    for (const DirectedEdge& e : edges)
        unpaired += !std::binary_search(edges.begin(), edges.end(), DirectedEdge{e.to, e.from});
    return unpaired;
}

// Six times the enclosed volume: positive when the faces turn counter-clockwise seen from outside.
static double signed_volume(const Mesh& mesh)
{
    double sum = 0;
    for (size_t f = 0; f < mesh.indices.size(); f += 3) {
        const float* a = &mesh.vertices[3 * mesh.indices[f]];
        const float* b = &mesh.vertices[3 * mesh.indices[f + 1]];
        const float* c = &mesh.vertices[3 * mesh.indices[f + 2]];
        sum += a[0] * (b[1] * c[2] - b[2] * c[1]) - a[1] * (b[0] * c[2] - b[2] * c[0]) +
               a[2] * (b[0] * c[1] - b[1] * c[0]);
    }
    return sum;
}

static double bounding_radius(const Mesh& mesh)
{
    double largest = 0;
    for (size_t v = 0; v < mesh.vertices.size(); v += 3)
        largest = std::max(largest, std::hypot(double{mesh.vertices[v]}, double{mesh.vertices[v + 1]}, double{mesh.vertices[v + 2]}));
    return largest;
}

// Neighbours stand 100 apart on the first ring and 60 on the second: tumbling copies never touch.
TEST(GeneratedMeshes, AreClosedWoundOutwardsAndFitTheirRing)
{
    const double radius_limit[mesh_count] = {40.0, 25.0};
    for (int i = 0; i < mesh_count; ++i) {
        std::string path = std::string(mesh_directory) + "/" + mesh_names[i] + mesh_extension;
        SCOPED_TRACE(path);
        Mesh mesh = load_smf(path.c_str());
        EXPECT_GT(mesh.face_count, 2000);
        EXPECT_EQ(unpaired_edges(mesh), 0);
        EXPECT_GT(signed_volume(mesh), 0.0);
        EXPECT_LT(bounding_radius(mesh), radius_limit[i]);
        EXPECT_GT(bounding_radius(mesh), radius_limit[i] * 0.8) << "as large as the ring allows";
    }
}
