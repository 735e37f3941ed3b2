// The wobbling and bulging cubes: the ripple ramp, the ripple and a lens against their closed forms,
// the rotation against GL's own turns, the flat cube, the border's copied normals, degenerate
// cells, and whole frames of scenes 2 and 8.
#include "assets/textures.h"
#include "effects/bulging_cube.h"
#include "effects/wobbling_cube.h"
#include "effects/workspace.h"
#include "show/timeline.h"
#include "show_fixture.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

static void expect_near(const CubePoint& got, double x, double y, double z, double tolerance = 2e-6)
{
    EXPECT_NEAR(got.x, x, tolerance);
    EXPECT_NEAR(got.y, y, tolerance);
    EXPECT_NEAR(got.z, z, tolerance);
}

TEST(WobblingCube, RippleRampMeetsItsPlateauAtTheFourJoints)
{
    const float times[] = {3.0f, 6.0f, 9.0f, 28.0f, 31.5f, 35.0f};
    const float strengths[] = {0.0f, 0.2f, 0.4f, 0.4f, 0.2f, 0.0f};
    for (int k = 0; k < 6; ++k) {
        EXPECT_NEAR(ripple_strength(times[k]), strengths[k], 1e-6) << times[k];
        for (float side : {0.0f, 99.0f})
            EXPECT_NEAR(ripple_strength(std::nextafter(times[k], side)), strengths[k], 1e-6) << times[k];
    }
    EXPECT_TRUE(ripple_strength(9.0f) == 0.4f && ripple_strength(28.0f) == 0.4f);
}

TEST(WobblingCube, RippleAtTimeZeroWithoutTurnIsTheClosedForm)
{
    const Rotation none = rotation(0.0f, 0.0f, 0.0f);
    for (CubePoint p : {CubePoint{0.3f, -0.7f, 1.0f}, CubePoint{-1.0f, 0.45f, 0.9f}})
        for (float a : {0.0f, 0.25f, 0.4f})
            expect_near(wobble_point(p, none, 0.0f, a), p.x + a * std::sin(4 * p.z) * std::sin(1.0),
                        p.y + a * std::sin(3 * p.x + 1.0), p.z + a * std::sin(3.4 * p.y + 0.6) * std::sin(0.3));
}

// The flat cube reaches ±1 exactly; its cells' normals point into the cube (so the strips wind
// counter-clockwise from outside and culling keeps the outside); a flat face mirrors the eye ray.
TEST(CubeGrid, FlatCubeReachesItsEdgesExactlyAndMirrorsTheEye)
{
    reset_cube_grid(work().cube);
    shade_cube_grid(work().cube);
    for (auto& face : work().cube.vertex) {
        const CubeVertex &first = face[0][0], &last = face[cube_cells][cube_cells], &middle = face[10][10];
        for (float c : {first.position.x, first.position.y, first.position.z, last.position.x, last.position.y})
            EXPECT_EQ(std::fabs(c), 1.0f);
        EXPECT_TRUE(first.u == 0.0f && first.v == -0.5f && last.u == 1.0f && last.v == 0.5f);
        const CubePoint &c = middle.position, &n = middle.normal;
        EXPECT_LT(c.x * n.x + c.y * n.y + c.z * n.z, -0.999f);
    }
    const CubeVertex& v = work().cube.vertex[0][5][7];  // on the face z = 1
    double ex = -v.position.x, ey = -v.position.y, length = std::sqrt(ex * ex + ey * ey + 25.0);
    expect_near(v.mirror, -ex / length, -ey / length, 5.0 / length);
}

static bool same(const CubePoint& a, const CubePoint& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

TEST(CubeGrid, BorderTakesTheNormalOfItsNamedNeighbour)
{
    build_wobble_grid(work().cube, 15.0f, 0.3f);
    shade_cube_grid(work().cube);
    const int e = cube_cells;
    for (const auto& face : work().cube.vertex) {
        auto copies = [&](int j, int i, int from_j, int from_i) {
            return same(face[j][i].mirror, face[from_j][from_i].normal);
        };
        EXPECT_TRUE(copies(0, 0, 1, 1) && copies(0, e, 1, e) && copies(e, 0, e, 1) && copies(e, e, e - 1, e));
        for (int k = 1; k < e; ++k)
            EXPECT_TRUE(copies(0, k, 1, k) && copies(k, 0, k, 1) && copies(k, e, k, e - 1) && copies(e, k, e, k)) << k;
        EXPECT_FALSE(same(face[10][e].normal, face[10][e - 1].normal)) << "the ripple bends every cell";
    }
}

// Cells piled into one point, and a vertex on the eye point itself, still shade to finite values.
TEST(CubeGrid, PiledUpCellsShadeFinite)
{
    reset_cube_grid(work().cube);
    for (auto& row : work().cube.vertex[2])
        for (CubeVertex& v : row)
            v.position = {0.5f, 0.5f, 0.5f};
    work().cube.vertex[3][6][6].position = {0.0f, 0.0f, 6.0f};
    shade_cube_grid(work().cube);
    for (int f : {2, 3})
        for (const auto& row : work().cube.vertex[f])
            for (const CubeVertex& v : row)
                ASSERT_TRUE(std::isfinite(v.mirror.x + v.mirror.y + v.mirror.z)) << f;
}

TEST(BulgingCube, LensSpreadsPointsNearItsCentreAlongTheirRay)
{
    const CubePoint c = {0.2f, -0.3f, 0.1f};
    const double dx = 0.6, dz = 0.8, spread = 1.25 * std::pow(0.4, 0.4);  // a unit direction
    auto along = [&](double d) { return CubePoint{float(c.x + d * dx), c.y, float(c.z + d * dz)}; };
    const Rotation none = rotation(0.0f, 0.0f, 0.0f);
    expect_near(bulge_point(along(0.5), c, none), c.x + spread * dx, c.y, c.z + spread * dz);
    expect_near(bulge_point(c, c, none), c.x, c.y, c.z, 0.0);
    const Rotation turn = rotation(0.5f, 1.0f, 1.5f);
    for (double distance : {1.25, 1.3, 2.0}) {
        CubePoint turned = along(distance);
        rotate_point(turn, turned);
        expect_near(bulge_point(along(distance), c, turn), turned.x, turned.y, turned.z);
    }
}

// GL's own turns in the same order: about z, then y, then x, applied to the point last to first.
TEST(CubeFrames, RotationTurnsAboutXThenYThenZ)
{
    const float a = 0.7f, b = -1.3f, g = 2.1f;
    const double degrees = 180.0 / M_PI;
    double m[16];
    glPushMatrix();
    glLoadIdentity();
    glRotated(g * degrees, 0, 0, 1);
    glRotated(b * degrees, 0, 1, 0);
    glRotated(a * degrees, 1, 0, 0);
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    glPopMatrix();
    const Rotation r = rotation(a, b, g);
    for (int k = 0; k < 9; ++k)
        EXPECT_NEAR(r.m[k], m[4 * (k % 3) + k / 3], 1e-6) << k;
}

// The glint covers the cube alone: its extent is centred where the camera sees the origin.
static void expect_cube_about(Slot light, double t, double centre_x, const char* name)
{
    save_frame(show_frame_at(t), name);
    Mask cube = picture_mask(light, t);
    int left = 640, right = 0, top = 480, bottom = 0;
    for (int k = 0; k < static_cast<int>(cube.size()); ++k)
        if (cube[k]) {
            left = std::min(left, k % 640), right = std::max(right, k % 640);
            top = std::min(top, k / 640), bottom = std::max(bottom, k / 640);
        }
    EXPECT_GT(right - left, 200) << name;
    EXPECT_NEAR((left + right) / 2.0, centre_x, 15.0) << name;
    EXPECT_NEAR((top + bottom) / 2.0, 240.0, 15.0) << name;
}

// Scene 2's camera at x = -cos(0.12 u) sees the origin off the centre; once the ripple has died away
// the cube is only turned. At a beat the frame flashes brighter than the one before.
TEST(CubeFrames, WobblingCubeStandsInTheViewAndFlashesOnTheBeat)
{
    save_frame(show_frame_at(70.0), "wobbling_cube_70");
    const double u = 94.0 - scene_table[1];
    expect_cube_about(&TextureSet::wobllighttex, 94.0, 320 + std::cos(0.12 * u) / (5 * std::tan(M_PI / 8)) * 240,
                      "wobbling_cube_94");
    const double beat = beat_start + 8 * beat_period;
    double before = mean_brightness(show_frame_at(beat - 1.0 / 60), 0, 0, 640, 480);
    Frame flash = show_frame_at(beat + 0.01);
    save_frame(flash, "wobbling_cube_beat");
    EXPECT_GT(mean_brightness(flash, 0, 0, 640, 480), before + 30.0);
}

TEST(CubeFrames, BulgingCubeStandsInTheMiddleOfItsRings)
{
    expect_cube_about(&TextureSet::lighttex1, 205.0, 320.0, "bulging_cube_205");
}
