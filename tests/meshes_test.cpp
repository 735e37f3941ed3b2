// The meshes: normals weighted by area on files the test writes, the refusal of damaged files, an
// empty mesh drawing nothing, and the show's generated meshes (closed, wound outwards, sized for
// their rings).
#include "assets/data_directory.h"
#include "assets/meshes.h"
#include "effects/sphere_map.h"
#include "show_fixture.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

class SmfFiles : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(mkdtemp(scratch), nullptr); }
    void TearDown() override { EXPECT_EQ(std::system((std::string("rm -rf ") + scratch).c_str()), 0); }

    // The file of the counts, indices and coordinates as this little-endian host stores them, less
    // `cut` bytes at the end.
    std::string write(const char* name, std::vector<uint16_t> words, const std::vector<float>& coordinates,
                      size_t cut = 0)
    {
        std::string bytes(reinterpret_cast<const char*>(words.data()), 2 * words.size());
        bytes.append(reinterpret_cast<const char*>(coordinates.data()), 4 * coordinates.size());
        std::string path = std::string(scratch) + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes.substr(0, bytes.size() - cut);
        return path;
    }
    char scratch[32] = "/tmp/ninescenes-meshes-XXXXXX";
};

static void expect_normal(const Mesh& mesh, int vertex, float x, float y, float z)
{
    const float* n = &mesh.normals[3 * vertex];
    EXPECT_TRUE(std::fabs(n[0] - x) < 1e-6 && std::fabs(n[1] - y) < 1e-6 && std::fabs(n[2] - z) < 1e-6)
        << "vertex " << vertex << ": " << n[0] << ", " << n[1] << ", " << n[2];
}

static const std::vector<float> unit_triangle = {0, 0, 0, 1, 0, 0, 0, 1, 0};

TEST_F(SmfFiles, EachVertexGetsTheAreaWeightedSumOfItsFacesAndAnEmptyMeshDrawsNothing)
{
    Mesh one = load_smf(write("one.smf", {1, 3, 0, 1, 2}, unit_triangle).c_str());
    for (int v = 0; v < 3; ++v)
        expect_normal(one, v, 0, 0, 1);
    // Vertex 0 is shared with a triangle four times larger facing +x; bytes after the vertices are ignored.
    std::vector<float> two_faces = {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 2, 0, 0, 0, 2, 7};
    Mesh two = load_smf(write("two.smf", {2, 5, 0, 1, 2, 0, 3, 4}, two_faces).c_str());
    expect_normal(two, 0, 4 / std::sqrt(17.0f), 0, 1 / std::sqrt(17.0f));
    expect_normal(two, 1, 0, 0, 1);
    expect_normal(two, 3, 1, 0, 0);
    // A triangle and its reverse cancel out, and vertex 3 belongs to no face: both still face +z.
    Mesh odd = load_smf(write("odd.smf", {2, 4, 0, 2, 1, 0, 1, 2}, {0, 0, 0, 0, 3, 0, 0, 0, 3, 5, 5, 5}).c_str());
    for (int v = 0; v < 4; ++v)
        expect_normal(odd, v, 0, 0, 1);

    Mesh empty = load_smf(write("empty.smf", {0, 0}, {}).c_str());
    glDisable(GL_CULL_FACE);
    glLoadIdentity();
    glTranslatef(0.3f, 0.2f, -3.0f);
    std::vector<FedPolygon> fed = feed_polygons(5.0, 10.0, [&] {
        for (const Mesh* mesh : {&empty, &one}) {
            begin_mirrored_mesh(*mesh);
            draw_mirrored_mesh(*mesh);
            end_mirrored_mesh();
        }
    });
    EXPECT_EQ(fed.size(), 1u) << "only the triangle";
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S) || glIsEnabled(GL_TEXTURE_GEN_T));
    glLoadIdentity();
}

TEST_F(SmfFiles, DamagedFilesEndTheProgramWithOneLine)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");  // a child without the GL driver's threads
    const std::pair<std::string, std::string> cases[] = {
        {std::string(scratch) + "/absent.smf", "cannot open mesh [^\n]*/absent.smf: No such file"},
        {"/dev/zero", "cannot open mesh /dev/zero: not a regular file"},
        {write("header.smf", {1, 3}, {}, 1), "mesh [^\n]*/header.smf: truncated: 3 bytes"},
        {write("faces.smf", {2, 3, 0, 1, 2}, {}), "mesh [^\n]*/faces.smf: truncated: 6 bytes"},
        {write("vertices.smf", {1, 3, 0, 1, 2}, unit_triangle, 1), "mesh [^\n]*/vertices.smf: truncated"},
        {write("index.smf", {1, 3, 0, 3, 2}, unit_triangle), "mesh [^\n]*/index.smf: face 0 uses vertex 3 of only 3"},
        {write("nan.smf", {1, 3, 0, 1, 2}, {0, 0, 0, 1, 0, 0, 0, NAN, 0}), "mesh [^\n]*/nan.smf: vertex 2 is not"},
    };
    for (const auto& [path, fault] : cases)
        EXPECT_EXIT(load_smf(path.c_str()), ::testing::ExitedWithCode(1), "^ninescenes: " + fault + "[^\n]*\n$");
}

// Neighbours stand 100 apart on the first ring and 60 on the second: within half that, tumbling
// copies never touch.
TEST(GeneratedMeshes, AreClosedWoundOutwardsAndFitTheirRing)
{
    const double radius_limit[mesh_count] = {50.0, 30.0};
    for (int i = 0; i < mesh_count; ++i) {
        std::string path = data_file(std::string(mesh_names[i]) + mesh_extension);
        SCOPED_TRACE(path);
        Mesh mesh = load_smf(path.c_str());
        EXPECT_GT(mesh.face_count, 2000);
        // Closed and wound one way: every edge runs once in each direction. Six times the volume
        // enclosed is positive when the faces turn counter-clockwise seen from outside.
        std::map<std::pair<int, int>, int> edges;
        double volume = 0, radius = 0;
        for (size_t f = 0; f < mesh.indices.size(); f += 3) {
            const float* p[3];
            for (int k = 0; k < 3; ++k) {
                ++edges[{mesh.indices[f + k], mesh.indices[f + (k + 1) % 3]}];
                p[k] = &mesh.vertices[3 * mesh.indices[f + k]];
                radius = std::max(radius, std::hypot(double{p[k][0]}, double{p[k][1]}, double{p[k][2]}));
            }
            volume += p[0][0] * (p[1][1] * p[2][2] - p[1][2] * p[2][1]) -
                      p[0][1] * (p[1][0] * p[2][2] - p[1][2] * p[2][0]) + p[0][2] * (p[1][0] * p[2][1] - p[1][1] * p[2][0]);
        }
        int unpaired = 0;
        for (const auto& [edge, count] : edges)
            unpaired += count != 1 || edges.count({edge.second, edge.first}) != 1;
        EXPECT_EQ(unpaired, 0);
        EXPECT_GT(volume, 0.0);
        EXPECT_LT(radius, radius_limit[i]);
        EXPECT_GT(radius, radius_limit[i] * 0.95) << "as large as the ring allows";
    }
}
