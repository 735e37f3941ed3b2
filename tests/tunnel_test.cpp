// The tunnel: single rays against the three cylinders, the cast grid for sound and for broken
// cameras, the vertices the sheet sends to GL (read back in feedback mode), the pixels it paints,
// whole frames of the opening scene.
#include "assets/textures.h"
#include "effects/tunnel.h"
#include "effects/workspace.h"
#include "show/view.h"
#include "show_fixture.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>
#include <vector>

static const double identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// A camera matrix (GL column-major) whose rotation turns by angle about a unit axis, scaled, with
// the ray origin at (ox, oy, oz).
static std::vector<double> camera_matrix(const double axis[3], double angle, double scale, double ox, double oy,
                                         double oz)
{
    double c = std::cos(angle), s = std::sin(angle), k = 1 - c;
    double x = axis[0], y = axis[1], z = axis[2];
    const double rows[3][3] = {{c + x * x * k, x * y * k - z * s, x * z * k + y * s},
                               {y * x * k + z * s, c + y * y * k, y * z * k - x * s},
                               {z * x * k - y * s, z * y * k + x * s, c + z * z * k}};
    std::vector<double> m(identity, identity + 16);
    for (int r = 0; r < 3; ++r)
        for (int col = 0; col < 3; ++col)
            m[4 * col + r] = scale * rows[r][col];
    m[12] = ox;
    m[13] = oy;
    m[14] = oz;
    return m;
}

static bool grid_is_finite()
{
    for (const auto& row : work().tunnel.grid)
        for (const TunnelPoint& p : row)
            if (!std::isfinite(p.s) || !std::isfinite(p.t) || !std::isfinite(p.shade))
                return false;
    return true;
}

static int unlit_points()
{
    int unlit = 0;
    for (const auto& row : work().tunnel.grid)
        for (const TunnelPoint& p : row)
            unlit += p.s == 0.0f && p.t == 0.0f && p.shade == 0.0f;
    return unlit;
}

static float lowest_shade()
{
    float lowest = work().tunnel.grid[0][0].shade;
    for (const auto& row : work().tunnel.grid)
        for (const TunnelPoint& p : row)
            lowest = std::min(lowest, p.shade);
    return lowest;
}

static float highest_shade()
{
    float highest = 0.0f;
    for (const auto& row : work().tunnel.grid)
        for (const TunnelPoint& p : row)
            highest = std::max(highest, p.shade);
    return highest;
}

TEST(TunnelRay, NearestRootWithItsTieRule)
{
    const double centre[3] = {0, 0, 0};

    // λz = −8 (a = 0.25, b = 0, c = −16), λy = −4√2, λx = −8: the z cylinder keeps the tie.
    const float diagonal[3] = {0.5f, 0.0f, 0.5f};
    TunnelHit hit = tunnel_hit(diagonal, centre);
    EXPECT_DOUBLE_EQ(hit.lambda, -8.0);
    EXPECT_EQ(hit.wall, TunnelWall::z_axis);
    TunnelPoint point = tunnel_point(diagonal, centre);  // hit at (−4, 0, −4)
    EXPECT_FLOAT_EQ(point.s, -0.4f);
    EXPECT_FLOAT_EQ(point.t, -0.4f);
    EXPECT_FLOAT_EQ(point.shade, 0.875f);

    // Straight down the z axis a is 0 for the z cylinder, which is skipped; y and x tie at −4.
    const float along_z[3] = {0.0f, 0.0f, 1.0f};
    hit = tunnel_hit(along_z, centre);
    EXPECT_DOUBLE_EQ(hit.lambda, -4.0);
    EXPECT_EQ(hit.wall, TunnelWall::y_axis);
    point = tunnel_point(along_z, centre);  // hit at (0, 0, −4)
    EXPECT_FLOAT_EQ(point.s, 0.0f);
    EXPECT_FLOAT_EQ(point.t, -0.4f);
    EXPECT_FLOAT_EQ(point.shade, 1.75f);

    // From outside all three tunnels this line misses every wall (each discriminant is negative).
    const double outside[3] = {10, 10, 10};
    const float past[3] = {1.0f, -1.0f, 0.0f};
    EXPECT_EQ(tunnel_hit(past, outside).wall, TunnelWall::none);
    point = tunnel_point(past, outside);
    EXPECT_EQ(point.s, 0.0f);
    EXPECT_EQ(point.t, 0.0f);
    EXPECT_EQ(point.shade, 0.0f);

    // A zero direction meets nothing; an origin on a wall gives λ = 0, whose shade is no number.
    const float nowhere[3] = {0.0f, 0.0f, 0.0f};
    EXPECT_EQ(tunnel_hit(nowhere, centre).wall, TunnelWall::none);
    const double on_wall[3] = {4, 0, 0};
    const float inward[3] = {-1.0f, 0.0f, 0.0f};
    EXPECT_DOUBLE_EQ(tunnel_hit(inward, on_wall).lambda, 0.0);
    EXPECT_EQ(tunnel_point(inward, on_wall).shade, 0.0f);
}

static void expect_point(const TunnelPoint& p, double s, double t, double shade)
{
    EXPECT_NEAR(p.s, s, 1e-6);
    EXPECT_NEAR(p.t, t, 1e-6);
    EXPECT_NEAR(p.shade, shade, 1e-6);
}

TEST(TunnelGrid, RaysSpanTheCameraAxesFromTheOrigin)
{
    // Bottom-left ray of the identity camera, d = (−1.333, −1, 0.5): the x-axis tunnel is farthest,
    // λ = −4/√1.25, so h = (4.769086, 3.577709, −1.788854).
    cast_tunnel_grid(work().tunnel, identity);
    expect_point(work().tunnel.grid[0][0], 0.4769086, 0.1788854, 1.956559);

    // Top-middle ray, d ≈ (0.000333, 0.9995, 0.5), from O = (0, 0, 1): the y-axis tunnel is met at
    // λ = −10 (a ≈ 0.25, b = 1, c = −15), h ≈ (−0.00333, −9.995, −4).
    double raised[16];
    std::copy(identity, identity + 16, raised);
    raised[14] = 1.0;
    cast_tunnel_grid(work().tunnel, raised);
    expect_point(work().tunnel.grid[60][40], -0.0003333332, -1.3995, 0.7000002);

    // The camera axes are the rows of the rotation: R = (1, 0, 0), U = (0, 0, −1), F = (0, 1, 0)
    // turn the same ray into d ≈ (0.000333, 0.5, −0.9995), which meets the z-axis tunnel at λ ≈ −8.
    const double pitched[16] = {1, 0, 0, 0, 0, 0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1};
    cast_tunnel_grid(work().tunnel, pitched);
    expect_point(work().tunnel.grid[60][40], -0.0002666666, 0.3995999, 0.8750002);
}

TEST(TunnelGrid, SoundForTheDirectorsCamerasAndFiniteForAnyOther)
{
    // The identity looks down the z axis: the centre of the grid is its darkest point, nearly black.
    cast_tunnel_grid(work().tunnel, identity);
    EXPECT_LT(work().tunnel.grid[30][40].shade, 0.01f);
    EXPECT_GT(work().tunnel.grid[30][40].shade, 0.0f);
    EXPECT_EQ(lowest_shade(), work().tunnel.grid[30][40].shade);
    EXPECT_TRUE(grid_is_finite());

    // Rotations with the origin inside the junction: every ray hits a wall behind it.
    std::mt19937 random(7);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    for (int n = 0; n < 20; ++n) {
        double axis[3] = {unit(random), unit(random), unit(random)};
        double length = std::sqrt(axis[0] * axis[0] + axis[1] * axis[1] + axis[2] * axis[2]);
        for (double& a : axis)
            a /= length;
        std::vector<double> camera = camera_matrix(axis, 3.2 * unit(random), 1.0, unit(random), unit(random),
                                                   unit(random));
        cast_tunnel_grid(work().tunnel, camera.data());
        SCOPED_TRACE(n);
        EXPECT_TRUE(grid_is_finite());
        EXPECT_GT(lowest_shade(), 0.0f);
    }

    // Zero axes: every a is 0, every ray is skipped and drawn black.
    const double flat[16] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.5, 0.5, 0.5, 1};
    cast_tunnel_grid(work().tunnel, flat);
    EXPECT_EQ(unlit_points(), tunnel_rows * tunnel_columns);

    // An origin outside all three tunnels: some rays miss every wall, the others still hit.
    const double z_axis[3] = {0, 0, 1};
    std::vector<double> outside = camera_matrix(z_axis, 0.0, 1.0, 6, 6, 6);
    cast_tunnel_grid(work().tunnel, outside.data());
    EXPECT_TRUE(grid_is_finite());
    EXPECT_GT(unlit_points(), 0);
    EXPECT_LT(unlit_points(), tunnel_rows * tunnel_columns);

    // Axes too long for a float: the directions overflow, and still nothing but numbers comes out.
    std::vector<double> huge = camera_matrix(z_axis, 0.5, 1e300, 0, 0, 0);
    cast_tunnel_grid(work().tunnel, huge.data());
    EXPECT_TRUE(grid_is_finite());
}

// One vertex of the sheet as GL received it: its place on the sheet, grey and texture coordinates.
struct SheetVertex {
    float x, y, grey, s, t;
};
struct FedSheet {
    std::vector<std::vector<SheetVertex>> polygons;
};

// The sheet seen through an orthographic window wide enough that nothing is clipped.
static constexpr double feedback_half_size = 2.0;

static FedSheet feed_tunnel(double time, const double* camera)
{
    std::vector<FedPolygon> fed = feed_polygons(feedback_half_size, 1.0, [&] {
        draw_tunnel(work().tunnel, identity_matrix(), textures.tunnel, camera, time);
    });
    set_view(screen_width, screen_height);

    FedSheet sheet;
    for (const FedPolygon& polygon : fed) {
        std::vector<SheetVertex> corners;
        for (const FedVertex& f : polygon) {
            float x = static_cast<float>(f.x / screen_width * 2 * feedback_half_size - feedback_half_size);
            float y = static_cast<float>(f.y / screen_height * 2 * feedback_half_size - feedback_half_size);
            corners.push_back({x, y, f.red, f.s, f.t});
        }
        sheet.polygons.push_back(corners);
    }
    return sheet;
}

struct GridPlace {
    int row, column;
};
static GridPlace place_on_grid(const SheetVertex& v)
{
    return {static_cast<int>(std::lround((v.y + 1.0) * 30)), static_cast<int>(std::lround((v.x + 1.3333) * 30))};
}

// Checks every fed vertex against the grid: its place, its grey k × shade and its drifted texture.
static void expect_sheet(const FedSheet& sheet, float brightness, float drift_s, float drift_t)
{
    const int strip_triangles = 2 * (tunnel_columns - 1);
    ASSERT_EQ(sheet.polygons.size(), static_cast<size_t>((tunnel_rows - 1) * strip_triangles));
    int mismatches = 0;
    for (size_t n = 0; n < sheet.polygons.size(); ++n) {
        int strip = static_cast<int>(n) / strip_triangles;
        int column = (static_cast<int>(n) % strip_triangles) / 2;
        ASSERT_EQ(sheet.polygons[n].size(), 3u);
        for (const SheetVertex& v : sheet.polygons[n]) {
            GridPlace place = place_on_grid(v);
            const TunnelPoint& p = work().tunnel.grid[place.row][place.column];
            bool in_strip = (place.row == strip || place.row == strip + 1) &&
                            (place.column == column || place.column == column + 1);
            bool on_grid = std::fabs(v.x - (-1.3333 + place.column / 30.0)) < 1e-4 &&
                           std::fabs(v.y - (-1.0 + place.row / 30.0)) < 1e-4;
            bool values = std::fabs(v.grey - std::min(brightness * p.shade, 1.0f)) < 1e-5f &&
                          std::fabs(v.s - (p.s + drift_s)) < 1e-5f && std::fabs(v.t - (p.t + drift_t)) < 1e-5f;
            mismatches += !(in_strip && on_grid && values);
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(TunnelOnScreen, StripsCarryTheGridFadeAndDrift)
{
    const double tilted[3] = {0.6, 0.0, 0.8};
    std::vector<double> camera = camera_matrix(tilted, 0.7, 1.0, 0.3, -0.5, 0.9);
    FedSheet sheet = feed_tunnel(0.0, camera.data());
    ASSERT_GT(highest_shade(), 1.0f);  // some points saturate, so the clamp is exercised too

    // The first triangle is the first three vertices of the bottom strip: (0, 0), (1, 0), (0, 1).
    std::set<std::pair<int, int>> first;
    for (const SheetVertex& v : sheet.polygons.at(0))
        first.insert({place_on_grid(v).row, place_on_grid(v).column});
    EXPECT_EQ(first, (std::set<std::pair<int, int>>{{0, 0}, {1, 0}, {0, 1}}));

    // Black at the start, with the texture shifted by (0, 4).
    expect_sheet(sheet, 0.0f, 0.0f, 4.0f);
    // Half bright at 10 s, full from 20 s on; the shift turns on its ellipse.
    expect_sheet(feed_tunnel(10.0, camera.data()), 0.5f, static_cast<float>(7 * std::sin(0.2)),
                 static_cast<float>(4 * std::cos(0.2)));
    expect_sheet(feed_tunnel(20.0, camera.data()), 1.0f, static_cast<float>(7 * std::sin(0.4)),
                 static_cast<float>(4 * std::cos(0.4)));
    expect_sheet(feed_tunnel(100.0, camera.data()), 1.0f, static_cast<float>(7 * std::sin(2.0)),
                 static_cast<float>(4 * std::cos(2.0)));
}

// The tunnel alone over a cleared frame, under the director's camera: eye at (0, 0, −2.4).
static Frame draw_over(float red, float green, float blue, double time, const double* camera, bool textured)
{
    glClearColor(red, green, blue, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (textured)
        glEnable(GL_TEXTURE_2D);
    else
        glDisable(GL_TEXTURE_2D);
    Matrix4 view = looked_at(identity_matrix(), {0.0, 0.0, -2.4}, {0.0, 0.0, 0.0}, {0.0, 1.0, 0.0});
    draw_tunnel(work().tunnel, view, textures.tunnel, camera, time);
    Frame frame = grab_frame();
    glEnable(GL_TEXTURE_2D);
    return frame;
}

static bool every_pixel_grey(const Frame& frame)
{
    for (size_t i = 0; i < frame.size(); i += 4)
        if (frame[i] != frame[i + 1] || frame[i] != frame[i + 2])
            return false;
    return true;
}

// The largest distance of a's pixels from b's scaled by ratio.
static double largest_scaled_difference(const Frame& a, const Frame& b, double ratio)
{
    double largest = 0;
    for (size_t i = 0; i < a.size(); i += 4)
        largest = std::max(largest, std::fabs(a[i] - ratio * b[i]));
    return largest;
}

TEST(TunnelOnScreen, FadesInFromBlackAndCoversTheWindow)
{
    // Black everywhere at the start over a white frame: the sheet covers every pixel.
    Frame start = draw_over(1, 1, 1, 0.0, identity, true);
    EXPECT_TRUE(every_pixel_is(start, 0));
    save_frame(start, "tunnel_alone_0s");
    Frame textured = draw_over(1, 1, 1, 20.0, identity, true);
    EXPECT_GT(mean_brightness(textured, 0, 0, screen_width, screen_height), 20.0);
    save_frame(textured, "tunnel_alone_20s");

    // Untextured, the pixels are the interpolated greys; axes of a quarter length keep every
    // shade below 1, so no vertex saturates and the fade scales each pixel exactly.
    const double z_axis[3] = {0, 0, 1};
    std::vector<double> dim = camera_matrix(z_axis, 0.4, 0.25, 0.2, 0.1, -0.3);
    cast_tunnel_grid(work().tunnel, dim.data());
    ASSERT_LT(highest_shade(), 1.0f);
    Frame full = draw_over(1, 0, 1, 20.0, dim.data(), false);
    EXPECT_TRUE(every_pixel_grey(full));  // nothing of the magenta background is left
    EXPECT_GT(mean_brightness(full, 0, 0, screen_width, screen_height), 40.0);
    save_frame(full, "tunnel_untextured_20s");
    EXPECT_LE(largest_scaled_difference(draw_over(1, 0, 1, 10.0, dim.data(), false), full, 0.5), 1.0);
    EXPECT_LE(largest_scaled_difference(draw_over(1, 0, 1, 5.0, dim.data(), false), full, 0.25), 1.0);
    EXPECT_EQ(largest_scaled_difference(draw_over(1, 0, 1, 30.0, dim.data(), false), full, 1.0), 0.0);
}

TEST(TunnelOnScreen, OpeningSceneFrames)
{
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_TRUE(every_pixel_is(show_frame_at(0.0), 0));
    for (double t : {5.0, 20.0, 30.0, 36.0}) {
        Frame frame = show_frame_at(t);
        char name[32];
        std::snprintf(name, sizeof name, "tunnel_scene_%02.0fs", t);
        save_frame(frame, name);
        SCOPED_TRACE(name);
        EXPECT_GT(mean_brightness(frame, 0, 0, screen_width, screen_height), 5.0);
    }
}
