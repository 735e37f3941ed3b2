// The mesh rings: the beams and sprites as GL receives them, and whole
// frames of scenes 4 and 6 with their six objects where the ring and its camera put them.
#include "assets/meshes.h"
#include "effects/mesh_rings.h"
#include "show/timeline.h"
#include "show/view.h"
#include "show_fixture.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <utility>

static const double S3 = scene_table[3], S4 = scene_table[4], S5 = scene_table[5], S6 = scene_table[6];

class MeshRings : public ::testing::Test {
protected:
    void TearDown() override { set_view(screen_width, screen_height); }
};

// The last 26 triangles are the three beams and ten sprites, two per strip; the first corner of a
// strip has texture (0, 0) and the third (1, 0). At d = 0 the sprites stand at -800, -600 … 1000;
// at d = 20 sprite 0 stands in the ring's plane, 1 to 5 in front of it and 6 to 9 behind it, wrapped.
TEST_F(MeshRings, BeamsAndSpritesStandAndTurnWhereTheyShould)
{
    for (double d : {0.0, 20.0}) {
        auto fed = feed_polygons(800.0, 1000.0, [&] { draw_mesh_ring_scene(MeshRing::first, d, S4 - S3); });
        glLoadMatrixf(ring_camera(MeshRing::first, d, S4 - S3).m);
        ASSERT_GT(fed.size(), 26u);
        for (int k = 0; k < 13; ++k) {
            SCOPED_TRACE("d " + std::to_string(d) + ", strip " + std::to_string(k));
            const FedPolygon& strip = fed[fed.size() - 26 + 2 * k];
            ASSERT_EQ(strip.size(), 3u);
            auto origin = project_point({strip[0].x, strip[0].y, strip[0].z}, true);
            auto across = project_point({strip[2].x, strip[2].y, strip[2].z}, true);
            int j = k < 3 ? k : k - 3;
            double z = k < 3 ? -2500 : d == 0 ? 200.0 * j - 800 : j < 6 ? 200.0 * j : 200.0 * j - 2000;
            double turn = k < 3 ? (4 * j + 10) * d + 20 * j : ((z > 0) - (z < 0)) * ((4 * j + 10) * d + 36 * j);
            double dx = across[0] - origin[0], dy = across[1] - origin[1];
            EXPECT_NEAR(std::remainder(std::atan2(dy, dx) * 180 / M_PI - turn, 360.0), 0.0, 1e-3);
            EXPECT_NEAR(std::hypot(dx, dy), 500.0, 0.05);
            EXPECT_NEAR(origin[2], z, 0.5);
        }
        glLoadIdentity();
    }
}

struct RingShot {
    double t;
    Mesh* mesh;
    double eye_y, eye_z, centre_x;  // the camera as the scene's numbers give it
    double scale, radius;
    double reach;  // pixels from a copy's centre that its mesh may cover
    int least;     // pixels each copy changes at the least (a sprite in front may wash one out)
};

// The frame drawn as it is and with the ring's mesh emptied: the meshes change pixels only near the six
// places of the ring as the camera sees them, and each place shows a sizeable object.
static void expect_six_copies_in_place(const RingShot& c, const std::string& name)
{
    glClear(GL_COLOR_BUFFER_BIT);
    Frame frame = show_frame_at(c.t);
    save_frame(frame, name.c_str());
    Mesh empty;
    std::swap(*c.mesh, empty);
    glClear(GL_COLOR_BUFFER_BIT);
    Frame bare = show_frame_at(c.t);
    std::swap(*c.mesh, empty);

    std::array<double, 3> places[6];
    for (int i = 0; i < 6; ++i) {
        glLoadIdentity();
        gluLookAt(0, c.eye_y, c.eye_z, c.centre_x, 0, 0, 0, 1, 0);
        glScaled(c.scale, c.scale, c.scale);
        glRotated(60.0 * i, 0, 0, 1);
        places[i] = project_point({0, c.radius, 0}, false);
    }
    int covered[6] = {}, stray = 0;
    for (size_t at = 0; at < frame.size(); at += 4) {
        if (std::equal(&frame[at], &frame[at + 3], &bare[at]))
            continue;
        double x = at / 4 % screen_width, y = screen_height - at / 4 / screen_width;
        int near = -1;
        for (int i = 0; i < 6; ++i)
            near = std::hypot(x - places[i][0], y - places[i][1]) < c.reach ? i : near;
        near < 0 ? ++stray : ++covered[near];
    }
    EXPECT_EQ(stray, 0);
    for (int i = 0; i < 6; ++i)
        EXPECT_GT(covered[i], c.least) << "copy " << i << " at " << places[i][0] << ", " << places[i][1];
}

TEST_F(MeshRings, SceneFourShowsSixKnotsOnItsRing)
{
    expect_six_copies_in_place({110.0, &meshes.obu1, -20, 50, -10, 0.1, 100, 66, 3000}, "ring_scene_4");
}

// The camera rises from y = -30 as scene 6 begins to y = 30 as scene 7 takes over.
TEST_F(MeshRings, SceneSixShowsSixStarsUnderTheRisingCamera)
{
    for (auto [t, eye_y] : {std::pair{S5 + 1e-6, -30.0}, {S6, 30.0}}) {
        SCOPED_TRACE(t);
        expect_six_copies_in_place({t, &meshes.obu2, eye_y, 60, 10, 0.07, 60, 23, 250},
                                   "ring_scene_6_" + std::to_string(static_cast<int>(t)));
    }
}
