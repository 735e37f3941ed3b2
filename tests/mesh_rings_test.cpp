// The mesh rings: where the sprites fly and which way they turn, the beams and sprites as GL
// receives them, the camera and state the routine leaves, and whole frames of scenes 4 and 6 with
// their six objects in place.
#include "assets/meshes.h"
#include "effects/mesh_rings.h"
#include "show/timeline.h"
#include "show/view.h"
#include "show_fixture.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

static const double S3 = scene_table[3], S4 = scene_table[4], S5 = scene_table[5], S6 = scene_table[6];

class MeshRings : public ::testing::Test {
protected:
    void SetUp() override
    {
        open_show_offscreen();
        set_view(screen_width, screen_height);
    }
};

TEST(RingSprites, FlyTwoHundredApartWrapAndTurnOneWayEachSideOfTheRing)
{
    for (int k = 0; k < ring_sprite_count; ++k)
        EXPECT_EQ(sprite_z(k, 0.0), -800.0f + 200.0f * k) << k;
    // Sprite 9 starts at 1000 and reaches 1200 after five seconds, where it jumps back to -800.
    EXPECT_NEAR(sprite_z(9, 4.999), 1199.96f, 1e-3);
    EXPECT_EQ(sprite_z(9, 5.0), -800.0f);
    EXPECT_NEAR(sprite_z(3, 51.25), sprite_z(3, 1.25), 1e-3) << "a cycle takes 50 s";

    // Sprite 2 turns at 18 degrees a second from 72 degrees, with the sign of its z.
    EXPECT_DOUBLE_EQ(sprite_turn(2, 3.0, 0.5f), 126.0);
    EXPECT_DOUBLE_EQ(sprite_turn(2, 3.0, -0.5f), -126.0);
    EXPECT_EQ(sprite_turn(2, 3.0, 0.0f), 0.0);
    EXPECT_EQ(sprite_turn(2, 3.0, -0.0f), 0.0);
}

// A fed corner back in the model coordinates of the modelview the ring leaves.
static std::array<double, 3> model_point(const FedVertex& v)
{
    double modelview[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    std::array<double, 3> p;
    gluUnProject(v.x, v.y, v.z, modelview, projection, viewport, &p[0], &p[1], &p[2]);
    return p;
}

// The corner of a fed triangle with the given texture coordinates.
static const FedVertex& corner_at(const FedPolygon& triangle, float s, float t)
{
    for (const FedVertex& v : triangle)
        if (std::fabs(v.s - s) < 1e-4 && std::fabs(v.t - t) < 1e-4)
            return v;
    ADD_FAILURE() << "no corner at texture (" << s << ", " << t << ")";
    return triangle[0];
}

struct Placed {
    double turn;  // degrees about +z, of the picture's s direction
    double width, z;
};

// Where a square or beam of the first triangle of a strip lies: its s edge and its z.
static Placed placed(const FedPolygon& triangle)
{
    std::array<double, 3> origin = model_point(corner_at(triangle, 0, 0));
    std::array<double, 3> across = model_point(corner_at(triangle, 1, 0));
    double dx = across[0] - origin[0], dy = across[1] - origin[1];
    return {std::atan2(dy, dx) * 180 / M_PI, std::hypot(dx, dy), origin[2]};
}

static void expect_turn(double got, double want)
{
    double difference = std::remainder(got - want, 360.0);
    EXPECT_NEAR(difference, 0.0, 1e-3) << got << " against " << want;
}

// At d = 20 sprite 0 stands exactly in the ring's plane, sprites 1 to 5 in front of it and 6 to 9
// behind it.
TEST_F(MeshRings, BeamsAndSpritesAreDrawnWhereAndAsTheyTurn)
{
    const double d = 20.0;
    std::vector<FedPolygon> fed =
        feed_polygons(800.0, 1000.0, [&] { draw_mesh_ring_scene(MeshRing::first, d, S4 - S3); });
    const int beams = 3, per_strip = 2;
    ASSERT_GT(fed.size(), static_cast<size_t>((beams + ring_sprite_count) * per_strip));
    size_t first = fed.size() - (beams + ring_sprite_count) * per_strip;
    for (size_t i = first; i < fed.size(); ++i)
        ASSERT_EQ(fed[i].size(), 3u) << "nothing was clipped";

    for (int k = 0; k < beams; ++k) {
        SCOPED_TRACE("beam " + std::to_string(k));
        Placed beam = placed(fed[first + per_strip * k]);
        expect_turn(beam.turn, (4 * k + 10) * d + 20 * k);
        EXPECT_NEAR(beam.width, 500.0, 0.05);
        EXPECT_NEAR(beam.z, -2500.0, 0.5);
    }
    for (int k = 0; k < ring_sprite_count; ++k) {
        SCOPED_TRACE("sprite " + std::to_string(k));
        Placed sprite = placed(fed[first + per_strip * (beams + k)]);
        double z = k < 6 ? 200.0 * k : 200.0 * k - 2000.0;
        double turn = (4 * k + 10) * d + 36 * k;
        EXPECT_NEAR(sprite.z, z, 0.05);
        EXPECT_NEAR(sprite.width, 500.0, 0.05);
        expect_turn(sprite.turn, k == 0 ? 0.0 : k < 6 ? turn : -turn);
    }
    set_view(screen_width, screen_height);
}

// A model point of the ring in the camera's eye coordinates.
static std::array<double, 3> eye_coordinates(double x, double y, double z)
{
    double m[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    std::array<double, 3> eye;
    for (int r = 0; r < 3; ++r)
        eye[r] = m[r] * x + m[4 + r] * y + m[8 + r] * z + m[12 + r];
    return eye;
}

struct RingCamera {
    MeshRing ring;
    double d;
    double eye[3], centre[3];
    double scale;
};

TEST_F(MeshRings, LeavesItsCameraAndScaleAndItsState)
{
    const double first_length = S4 - S3, second_length = S6 - S5;
    const RingCamera cases[] = {
        {MeshRing::first, 7.0, {0, -20, 50}, {-10, 0, 0}, 0.1},
        {MeshRing::second, 0.0, {0, -30, 60}, {10, 0, 0}, 0.07},
        {MeshRing::second, second_length / 2, {0, 0, 60}, {10, 0, 0}, 0.07},
        {MeshRing::second, second_length, {0, 30, 60}, {10, 0, 0}, 0.07},
    };
    for (const RingCamera& c : cases) {
        SCOPED_TRACE(c.d);
        glEnable(GL_BLEND);
        glEnable(GL_CULL_FACE);
        glColor4f(0.5f, 0.2f, 0.1f, 0.3f);
        draw_mesh_ring_scene(c.ring, c.d, c.ring == MeshRing::first ? first_length : second_length);
        // In model units the eye sits at eye / scale, and the centre lies straight ahead of it.
        for (double e : eye_coordinates(c.eye[0] / c.scale, c.eye[1] / c.scale, c.eye[2] / c.scale))
            EXPECT_NEAR(e, 0.0, 1e-4);
        std::array<double, 3> ahead = eye_coordinates(c.centre[0] / c.scale, c.centre[1] / c.scale, 0);
        double distance = std::hypot(c.eye[0] - c.centre[0], c.eye[1] - c.centre[1], c.eye[2] - c.centre[2]);
        EXPECT_NEAR(ahead[0], 0.0, 1e-4);
        EXPECT_NEAR(ahead[1], 0.0, 1e-4);
        EXPECT_NEAR(ahead[2], -distance, 1e-4);

        EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
        EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
        EXPECT_FALSE(glIsEnabled(GL_BLEND));
        EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S));
        GLint cull_mode, matrix_mode;
        glGetIntegerv(GL_CULL_FACE_MODE, &cull_mode);
        glGetIntegerv(GL_MATRIX_MODE, &matrix_mode);
        EXPECT_EQ(cull_mode, GL_FRONT);
        EXPECT_EQ(matrix_mode, GL_MODELVIEW);
        GLboolean depth_writes;
        glGetBooleanv(GL_DEPTH_WRITEMASK, &depth_writes);
        EXPECT_TRUE(depth_writes);
        float colour[4];
        glGetFloatv(GL_CURRENT_COLOR, colour);
        EXPECT_EQ(colour[0] + colour[1] + colour[2] + colour[3], 4.0f) << "white";
    }
}

// Where the centre of copy i of the ring lands on screen, x and y from the top left.
static std::pair<double, double> copy_on_screen(const RingCamera& c, double radius, int i)
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(c.eye[0], c.eye[1], c.eye[2], c.centre[0], c.centre[1], c.centre[2], 0, 1, 0);
    glScaled(c.scale, c.scale, c.scale);
    glRotated(60.0 * i, 0, 0, 1);
    glTranslated(0, radius, 0);
    double modelview[16], projection[16], x, y, z;
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    gluProject(0, 0, 0, modelview, projection, viewport, &x, &y, &z);
    return {x, screen_height - y};
}

struct RingFrame {
    double t;
    Mesh* mesh;
    RingCamera camera;
    double radius;  // of the ring, model units
    double reach;   // pixels from a copy's centre that its mesh may cover
    int least;      // pixels each copy changes at the least (a sprite in front may wash one out)
};

// The frame drawn as it is and with the ring's mesh emptied: the meshes change pixels close to the six
// places on the ring and nowhere else, and each place shows a sizeable object.
static void expect_six_copies_in_place(const RingFrame& c, const char* name)
{
    glClear(GL_COLOR_BUFFER_BIT);
    Frame frame = show_frame_at(c.t);
    save_frame(frame, name);
    Mesh empty;
    std::swap(*c.mesh, empty);
    glClear(GL_COLOR_BUFFER_BIT);
    Frame bare = show_frame_at(c.t);
    std::swap(*c.mesh, empty);

    std::pair<double, double> places[6];
    for (int i = 0; i < 6; ++i)
        places[i] = copy_on_screen(c.camera, c.radius, i);
    int covered[6] = {}, stray = 0;
    for (int y = 0; y < screen_height; ++y)
        for (int x = 0; x < screen_width; ++x) {
            size_t at = (static_cast<size_t>(y) * screen_width + x) * 4;
            if (frame[at] == bare[at] && frame[at + 1] == bare[at + 1] && frame[at + 2] == bare[at + 2])
                continue;
            int nearest = -1;
            for (int i = 0; i < 6; ++i)
                if (std::hypot(x - places[i].first, y - places[i].second) < c.reach)
                    nearest = i;
            nearest < 0 ? ++stray : ++covered[nearest];
        }
    EXPECT_EQ(stray, 0);
    for (int i = 0; i < 6; ++i)
        EXPECT_GT(covered[i], c.least) << "copy " << i << " at " << places[i].first << ", " << places[i].second;
    set_view(screen_width, screen_height);
}

TEST_F(MeshRings, SceneFourShowsSixKnotsOnTheRing)
{
    const double t = 110.0;
    expect_six_copies_in_place({t, &meshes.obu1, {MeshRing::first, t - S3, {0, -20, 50}, {-10, 0, 0}, 0.1}, 100, 50, 1500},
                               "ring_scene_4");
}

TEST_F(MeshRings, SceneSixShowsSixStarsInFrontOfTheCavityUnderTheRisingCamera)
{
    for (double t : {150.0, 170.0}) {
        SCOPED_TRACE(t);
        double d = t - S5;
        double eye_y = -30 + 60 * d / (S6 - S5);
        expect_six_copies_in_place(
            {t, &meshes.obu2, {MeshRing::second, d, {0, eye_y, 60}, {10, 0, 0}, 0.07}, 60, 22, 120},
            ("ring_scene_6_" + std::to_string(static_cast<int>(t))).c_str());
    }
}
