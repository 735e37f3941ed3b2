// The blob scenes: the balls and camera of scene 1, the bare cavity before scene 5's balls arrive,
// what the beat parity changes (read back in feedback mode), unit normals and the zero-normal mend,
// whole frames of scenes 1, 5 and 6.
#include "assets/textures.h"
#include "effects/blob_scenes.h"
#include "effects/metaballs.h"
#include "effects/screen_layers.h"
#include "effects/workspace.h"
#include "show/director.h"
#include "show/view.h"
#include "show_fixture.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

static const double S0 = scene_table[0];
static const double S1 = scene_table[1];
static const double S4 = scene_table[4];

class BlobScenes : public ::testing::Test {
protected:
    void SetUp() override
    {
        static bool cavity_built = false;
        if (!cavity_built)
            build_cavity_field();
        cavity_built = true;
        set_view(screen_width, screen_height);
    }
};

// A point of the world in the camera's eye coordinates.
static std::array<double, 3> eye_coordinates(const Matrix4& camera, const double point[3])
{
    const float* m = camera.m;
    std::array<double, 3> eye;
    for (int r = 0; r < 3; ++r)
        eye[r] = m[r] * point[0] + m[4 + r] * point[1] + m[8 + r] * point[2] + m[12 + r];
    return eye;
}

// The camera stands at `eye` and looks straight at `centre`.
static void expect_camera(const Matrix4& camera, const double eye[3], const double centre[3])
{
    std::array<double, 3> at_eye = eye_coordinates(camera, eye);
    for (double c : at_eye)
        EXPECT_NEAR(c, 0.0, 1e-5);
    std::array<double, 3> at_centre = eye_coordinates(camera, centre);
    EXPECT_NEAR(at_centre[0], 0.0, 1e-5);
    EXPECT_NEAR(at_centre[1], 0.0, 1e-5);
    EXPECT_LT(at_centre[2], 0.0);
}

TEST_F(BlobScenes, SceneOneStartsWithItsBallsAndCamera)
{
    draw_blob_scene_a(work().blobs, 0.0f, S1 - S0);
    ASSERT_EQ(work().blobs.ball_count, 10);
    EXPECT_EQ(work().blobs.box_radius, 10);
    EXPECT_EQ(work().blobs.threshold, 0.5f);
    for (int i = 0; i < 10; ++i) {
        const Ball& b = work().blobs.balls[i];
        SCOPED_TRACE(i);
        EXPECT_FLOAT_EQ(b.x, static_cast<float>(0.5 * std::sin(i + 1.0)));
        EXPECT_FLOAT_EQ(b.y, static_cast<float>(0.5 * std::sin(0.68 * i + 1.6)));
        EXPECT_FLOAT_EQ(b.z, static_cast<float>(0.5 * std::sin(0.98 * i + 5.7)));
        EXPECT_EQ(b.strength, 12.0f);
    }
    EXPECT_GT(work().blobs.triangle_count, 1000);

    const double eye[3] = {0, 0, 3};
    const double resting_gaze[3] = {-0.6, 0, 0};
    expect_camera(cluster_camera(0.0f, S1 - S0), eye, resting_gaze);

    // The gaze rests until the last three seconds, then moves right by u³, u growing by 2/3 a second.
    const double swing_start = S1 - S0 - 3;
    expect_camera(cluster_camera(std::nextafter(static_cast<float>(swing_start), 0.0f), S1 - S0), eye, resting_gaze);
    const double half_swing[3] = {0.125 - 0.6, 0, 0};
    expect_camera(cluster_camera(static_cast<float>(swing_start + 0.75), S1 - S0), eye, half_swing);
    const double one_swing[3] = {1 - 0.6, 0, 0};
    expect_camera(cluster_camera(static_cast<float>(swing_start + 1.5), S1 - S0), eye, one_swing);
}

struct Mesh {
    int vertices, triangles;
    std::vector<std::array<float, 3>> positions;
};

static Mesh blob_mesh()
{
    const MetaballVolume& v = work().blobs;
    return {v.vertex_count, v.triangle_count,
            std::vector<std::array<float, 3>>(v.positions.begin(), v.positions.begin() + v.vertex_count)};
}

static void expect_same_mesh(const Mesh& a, const Mesh& b)
{
    EXPECT_EQ(a.vertices, b.vertices);
    EXPECT_EQ(a.triangles, b.triangles);
    EXPECT_TRUE(a.positions == b.positions);
}

TEST_F(BlobScenes, SceneFiveShowsTheBareCavityUntilItsBallsArrive)
{
    std::copy(cavity_field, cavity_field + cavity_size * cavity_size * cavity_size, work().blobs.field.begin());
    work().blobs.threshold = 0.5f;
    work().blobs.ball_count = 0;
    work().blobs.polygonize();
    const Mesh cavity = blob_mesh();
    ASSERT_GT(cavity.triangles, 1000);

    for (float t : {0.0f, 1.0f, 2.0f, 2.000001f}) {
        SCOPED_TRACE(t);
        draw_blob_scene_b(work().blobs, t, BlobFlip::distorted);
        EXPECT_EQ(work().blobs.ball_count, 10);
        EXPECT_EQ(work().blobs.balls[0].strength, 25.0f);
        EXPECT_LT(work().blobs.balls[0].z, -100.0f);
        expect_same_mesh(blob_mesh(), cavity);
    }
    // Once in, the balls bulge the wall.
    draw_blob_scene_b(work().blobs, 8.0f, BlobFlip::plain);
    EXPECT_NE(work().blobs.vertex_count, cavity.vertices);
    EXPECT_GT(work().blobs.balls[0].z, -1.0f);
}

// The scene is fed through an orthographic view wide enough that nothing of the cube [-1, 1]³ is
// clipped, whatever the camera, so that every triangle that survives culling comes back whole.
static constexpr double feedback_half_size = 3.0;
static constexpr double feedback_depth = 10.0;

static std::vector<FedPolygon> feed_scene_b(float t, BlobFlip flip)
{
    return feed_polygons(feedback_half_size, feedback_depth, [&] { draw_blob_scene_b(work().blobs, t, flip); });
}

// The object-space point of a fed vertex, through the scene's camera and the feedback view.
static std::array<double, 3> object_point(const FedVertex& v, float t)
{
    glLoadMatrixf(cavity_camera(t).m);
    std::array<double, 3> point = project_point({v.x, v.y, v.z}, true);
    glLoadIdentity();
    return point;
}

static double length(double x, double y, double z) { return std::sqrt(x * x + y * y + z * z); }

// gluPerspective(120, 2, 0.1, 10) applied to the point (x, y, z, 1), worked out from its definition.
static std::array<double, 4> wide_projection(const std::array<double, 3>& p)
{
    const double f = 1.0 / std::tan(60.0 * M_PI / 180.0);
    const double near = 0.1, far = 10.0;
    return {f / 2 * p[0], f * p[1], (far + near) / (near - far) * p[2] + 2 * far * near / (near - far), -p[2]};
}

TEST_F(BlobScenes, BeatParityChangesOnlyTheFirstPassTexture)
{
    const float t = 9.971f;
    std::vector<FedPolygon> plain = feed_scene_b(t, BlobFlip::plain);
    std::vector<std::array<double, 3>> points;
    for (const FedPolygon& polygon : plain)
        for (const FedVertex& v : polygon)
            points.push_back(object_point(v, t));
    std::vector<FedPolygon> distorted = feed_scene_b(t, BlobFlip::distorted);
    set_view(screen_width, screen_height);

    // Two passes over the same front faces: the second half repeats the first half's corners.
    ASSERT_EQ(plain.size(), distorted.size());
    ASSERT_EQ(plain.size() % 2, 0u);
    ASSERT_GT(plain.size(), 1000u);
    const size_t pass = plain.size() / 2;
    int misplaced = 0, second_pass_changed = 0, off_sphere = 0, not_rotated = 0, not_projected = 0;
    size_t corner = 0;
    for (size_t k = 0; k < pass; ++k) {
        ASSERT_EQ(plain[k].size(), 3u);
        ASSERT_EQ(distorted[k].size(), 3u);
        for (size_t c = 0; c < 3; ++c, ++corner) {
            const FedVertex& first = plain[k][c];
            const FedVertex& second = plain[pass + k][c];
            const FedVertex& first_flipped = distorted[k][c];
            const FedVertex& second_flipped = distorted[pass + k][c];
            misplaced += first.x != second.x || first.y != second.y || first.z != second.z ||
                         first_flipped.x != first.x || first_flipped.y != first.y || first_flipped.z != first.z;
            second_pass_changed += second_flipped.x != second.x || second_flipped.y != second.y ||
                                   second_flipped.s != second.s || second_flipped.t != second.t ||
                                   second_flipped.r != second.r || second_flipped.q != second.q;

            // The light map: 0.5 + 0.5·R·n in s and t, 0.5·(R·n)_z in r, for a unit normal n.
            off_sphere += std::fabs(length(second.s - 0.5, second.t - 0.5, second.r) - 0.5) > 1e-4 || second.q != 1.0f;

            // Without the beat the first pass's texture is a rotation of the vertex position.
            const std::array<double, 3>& p = points[corner];
            not_rotated += std::fabs(length(first.s, first.t, first.r) - length(p[0], p[1], p[2])) > 1e-3 ||
                           first.q != 1.0f;

            // On the beat the position is first projected, then turned by the same rotation, which
            // keeps the length of (s, t, r) and leaves q alone.
            std::array<double, 4> want = wide_projection(p);
            not_projected += std::fabs(length(first_flipped.s, first_flipped.t, first_flipped.r) -
                                       length(want[0], want[1], want[2])) > 1e-3 ||
                             std::fabs(first_flipped.q - want[3]) > 1e-4;
        }
    }
    EXPECT_EQ(misplaced, 0);
    EXPECT_EQ(second_pass_changed, 0);
    EXPECT_EQ(off_sphere, 0);
    EXPECT_EQ(not_rotated, 0);
    EXPECT_EQ(not_projected, 0);
}

static void expect_unit_normals()
{
    int off = 0;
    for (int i = 0; i < work().blobs.vertex_count; ++i) {
        const std::array<float, 3>& n = work().blobs.normals[i];
        off += !(std::fabs(length(n[0], n[1], n[2]) - 1.0) < 1e-5);
    }
    EXPECT_EQ(off, 0);
}

TEST_F(BlobScenes, NormalsAreUnitLengthWhenDrawn)
{
    for (float t : {0.0f, 5.5f, 17.0f}) {
        SCOPED_TRACE(t);
        draw_blob_scene_a(work().blobs, t, S1 - S0);
        ASSERT_GT(work().blobs.vertex_count, 1000);
        expect_unit_normals();
    }
    for (float t : {1.0f, 3.0f, 9.971f, 40.0f}) {
        SCOPED_TRACE(t);
        draw_blob_scene_b(work().blobs, t, BlobFlip::distorted);
        ASSERT_GT(work().blobs.vertex_count, 1000);
        expect_unit_normals();
    }
}

TEST_F(BlobScenes, ZeroNormalGetsAFiniteDirection)
{
    work().blobs.vertex_count = 4;
    work().blobs.normals[0] = {0.0f, 0.0f, 0.0f};
    work().blobs.normals[1] = {-0.0f, 0.0f, -0.0f};
    work().blobs.normals[2] = {3.0f, 0.0f, -4.0f};
    work().blobs.normals[3] = {0.0f, 1e-30f, 0.0f};  // its square underflows a float
    normalise_normals(work().blobs);
    EXPECT_EQ(work().blobs.normals[0], (std::array<float, 3>{0.0f, 0.0f, 1.0f}));
    EXPECT_EQ(work().blobs.normals[1], (std::array<float, 3>{0.0f, 0.0f, 1.0f}));
    EXPECT_EQ(work().blobs.normals[2], (std::array<float, 3>{0.6f, 0.0f, -0.8f}));
    EXPECT_EQ(work().blobs.normals[3], (std::array<float, 3>{0.0f, 1.0f, 0.0f}));
}


static std::string frame_name(const char* scene, double t)
{
    return std::string(scene) + "_" + std::to_string(static_cast<int>(std::lround(t * 1000)));
}

// Share of the pixels in the rectangle [x0, x1) × [y0, y1) where the two frames differ by more than
// 12 in some channel.
static double changed_share(const Frame& a, const Frame& b, int x0, int y0, int x1, int y1)
{
    int changed = 0, total = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            Rgb p = pixel_at(a, x, y), q = pixel_at(b, x, y);
            changed += std::abs(p.r - q.r) > 12 || std::abs(p.g - q.g) > 12 || std::abs(p.b - q.b) > 12;
            ++total;
        }
    return static_cast<double>(changed) / total;
}

TEST_F(BlobScenes, SceneOneBlobSitsRightOfCentreAndItsRingsAddLight)
{
    // The camera at (0, 0, 3) looks at (-0.6, 0, 0), so the cluster's centre, the origin, lies
    // 0.6 / (3·tan 22.5°) of the half-height right of the screen centre.
    const int cluster_x = static_cast<int>(std::lround(320 + 240 * 0.6 / (3 * std::tan(22.5 * M_PI / 180))));
    const GLuint rings = textures.circletex;
    const GLuint no_rings = black_texture();
    for (double t : {S0 + 3.0, S0 + 9.5, S0 + 14.0}) {
        SCOPED_TRACE(t);
        Frame frame = show_frame_at(t);
        save_frame(frame, frame_name("blob_scene_a", t).c_str());
        textures.circletex = no_rings;
        Frame bare = show_frame_at(t);
        textures.circletex = rings;
        save_frame(bare, frame_name("blob_scene_a_no_rings", t).c_str());

        // The backdrop alone, as the scene draws it first.
        draw_background(textures.blobitausta, static_cast<float>((t - S0) * 0.03), 2000.0f, BackdropType::sideways);
        Frame backdrop = grab_frame();
        EXPECT_GT(changed_share(bare, backdrop, cluster_x - 40, 200, cluster_x + 40, 280), 0.9)
            << "the blob hides the backdrop about the cluster's centre";
        EXPECT_LT(changed_share(bare, backdrop, 0, 0, 160, 480), 0.02) << "the left third shows the backdrop alone";

        int darker = 0;
        for (size_t i = 0; i < frame.size(); i += 4)
            for (int c = 0; c < 3; ++c)
                darker += frame[i + c] < bare[i + c];
        EXPECT_EQ(darker, 0);
        EXPECT_GT(mean_brightness(frame, 0, 0, screen_width, screen_height),
                  mean_brightness(bare, 0, 0, screen_width, screen_height) + 10.0);
    }
    glDeleteTextures(1, &no_rings);
}

// The blob part of scenes 5 and 6 drawn by hand over a cleared frame: the cavity, then the border.
static Frame composed_blob_b(double t, BlobFlip flip)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    draw_blob_scene_b(work().blobs, static_cast<float>(t - S4), flip);
    draw_background(textures.border, static_cast<float>((t - S4) * 0.014), 1024.0f, BackdropType::blended);
    return grab_frame();
}

static int differing_pixels(const Frame& a, const Frame& b)
{
    int differing = 0;
    for (size_t i = 0; i < a.size(); i += 4)
        differing += a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2];
    return differing;
}

TEST_F(BlobScenes, SceneFiveFlashesWhiteThenShowsTheCavityWithTheBeat)
{
    EXPECT_GT(mean_brightness(show_frame_at(S4 + 1e-4), 0, 0, screen_width, screen_height), 254.0);
    Frame half = show_frame_at(S4 + 1.0);
    save_frame(half, "blob_scene_b_flash");
    for (size_t i = 0; i < half.size(); i += 4)
        ASSERT_GE(std::min({half[i], half[i + 1], half[i + 2]}), 127) << "half a flash everywhere";

    // 138 s: three beats passed, parity 1; 140 s: four, parity 0; scene 6 keeps parity 1.
    glClearColor(0, 0, 0, 1);
    for (double t : {138.0, 140.0, 160.0}) {
        SCOPED_TRACE(t);
        BlobFlip flip = (t < 139.413 || t > 147.211) ? BlobFlip::distorted : BlobFlip::plain;
        BlobFlip other = flip == BlobFlip::plain ? BlobFlip::distorted : BlobFlip::plain;
        glClear(GL_COLOR_BUFFER_BIT);
        Frame frame = show_frame_at(t);
        save_frame(frame, frame_name("blob_scene_b", t).c_str());
        EXPECT_GT(mean_brightness(frame, 0, 100, screen_width, 380), 30.0) << "the cavity fills the frame";
        if (t < S4 + 19) {  // in scene 6 the ring and its light are drawn over the cavity and the border
            EXPECT_LT(mean_brightness(frame, 0, 0, screen_width, 8), 8.0) << "under the border's black bar";
            EXPECT_EQ(differing_pixels(frame, composed_blob_b(t, flip)), 0);
            EXPECT_GT(differing_pixels(frame, composed_blob_b(t, other)), 1000);
        }
    }
    glClearColor(0.6f, 0.67f, 0.84f, 0.5f);
}
