// What a viewer notices first, measured on the frames the show draws with its own pictures and
// meshes: scene 6's ring of stars reads against the cavity and its glows, the cube's faces show their
// picture whichever way they turn, the beams draw no line across the letterbox as the camera passes
// through them, and no highlight of scenes 1 and 8 blows out to white (slow: about 120 frames).
#include "assets/meshes.h"
#include "assets/textures.h"
#include "show/music_hits.h"
#include "show/timeline.h"
#include "show/view.h"
#include "show_fixture.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <utility>

namespace {

int luma(Rgb p) { return int(std::lround(0.299 * p.r + 0.587 * p.g + 0.114 * p.b)); }

// A mesh of one triangle too small to cover a pixel: the ring drawn without its objects.
Mesh tiny_triangle()
{
    Mesh mesh;
    mesh.indices = {0, 1, 2};
    mesh.vertices = {0, 0, 0, 1e-3f, 0, 0, 0, 1e-3f, 0};
    mesh.normals = {0, 0, 1, 0, 0, 1, 0, 0, 1};
    mesh.vertex_count = 3;
    mesh.face_count = 1;
    return mesh;
}

Frame fresh_frame_at(double t)
{
    glClear(GL_COLOR_BUFFER_BIT);
    return show_frame_at(t);
}

// The stars' share of the screen: the pixels that change when the ring's stars are taken away,
// averaged over scene 6 as the camera rises; at least twice the 0.55 % they covered when the glows
// washed them out.
TEST(Looks, SceneSixStarsCoverAtLeastOnePercentOfTheScreen)
{
    const double moments[] = {150.0, 155.0, 160.0, 165.0, 170.0};
    double share = 0.0;
    for (double t : moments) {
        Frame with = fresh_frame_at(t);
        Mesh stars = tiny_triangle();
        std::swap(meshes.obu2, stars);
        Frame without = fresh_frame_at(t);
        std::swap(meshes.obu2, stars);
        long changed = 0;
        for (size_t i = 0; i < with.size(); i += 4)
            changed += !std::equal(&with[i], &with[i + 3], &without[i]);
        share += double(changed) / (screen_width * screen_height) / std::size(moments);
        save_frame(with, ("looks_stars_" + std::to_string(int(t))).c_str());
    }
    std::printf("the stars cover %.2f %% of the screen on average\n", 100.0 * share);
    EXPECT_GE(share, 0.011);
}

// Between the border's bands the cube is what the backdrop does not show through. Turned away from
// the viewer or facing it, a face keeps its picture: few pixels near black, and no one colour (16
// levels a channel) covering a fifth of the cube.
TEST(Looks, TheCubeFacesShowTheirPictureWhicheverWayTheyTurn)
{
    constexpr int band_rows = 68;  // the border's opaque bars reach 67 rows in from the edges
    constexpr int dark_luma = 30;
    // The cube holds the step it took last before the steps stop; 96.3833 s is the show's last frame
    // before then at 60 frames a second.
    const std::pair<double, double> moments[] = {{60.0, 60.0}, {63.7, 63.7}, {94.0, 94.0}, {96.3833, 100.0}};
    // The cube draws under the culling that scene 1 leaves, as it does in the show.
    show_frame_at(scene_table[1] - 1.0);
    for (auto [step_from, t] : moments) {
        SCOPED_TRACE(t);
        show_frame_at(step_from);
        Frame frame = show_frame_at(t);
        static const GLuint grey = solid_texture(128);
        const GLuint backdrop = textures.wobltausta;
        textures.wobltausta = grey;
        Frame on_grey = show_frame_at(t);
        textures.wobltausta = backdrop;
        save_frame(frame, ("looks_cube_" + std::to_string(int(t * 10))).c_str());
        long cube = 0, dark = 0;
        std::map<int, long> colours;
        for (int y = band_rows; y < screen_height - band_rows; ++y)
            for (int x = 0; x < screen_width; ++x) {
                Rgb p = pixel_at(frame, x, y), q = pixel_at(on_grey, x, y);
                if (p.r != q.r || p.g != q.g || p.b != q.b)
                    continue;
                ++cube;
                dark += luma(p) < dark_luma;
                ++colours[(p.r / 16) << 8 | (p.g / 16) << 4 | p.b / 16];
            }
        ASSERT_GT(cube, 20000) << "cube pixels";
        long commonest = 0;
        for (auto [colour, count] : colours)
            commonest = std::max(commonest, count);
        std::printf("%.1f s: %.1f %% of the cube below luma %d, %.1f %% in its commonest colour\n", t,
                    100.0 * dark / cube, dark_luma, 100.0 * commonest / cube);
        EXPECT_LT(double(dark) / cube, 0.10);
        EXPECT_LT(double(commonest) / cube, 0.20);
    }
}

// As the camera of scene 6 rises through the ring's axis, where the beams' planes meet, each plane in
// turn passes through the eye: seen from so close, it shows as a bar of one colour narrowing to a line
// of one pixel (at 160 s) as it sweeps past. The beams' light fades out before it reaches the eye, so
// neither shows in the dark of the letterbox.
TEST(Looks, TheBeamsDrawNoLineAcrossTheLetterboxAsTheCameraPassesThem)
{
    constexpr int letterbox_rows = 60;  // the lower bar, where the border leaves nothing but black
    const GLuint beams = textures.linetex;
    const GLuint none = black_texture();
    int brightest = 0;
    for (double t : {159.9, 159.95, 160.0, 160.05, 160.1}) {
        Frame lit = fresh_frame_at(t);
        textures.linetex = none;
        Frame dark = fresh_frame_at(t);
        textures.linetex = beams;
        for (int y = screen_height - letterbox_rows; y < screen_height; ++y)
            for (int x = 0; x < screen_width; ++x) {
                Rgb p = pixel_at(lit, x, y), q = pixel_at(dark, x, y);
                brightest = std::max(brightest, luma(p) - luma(q));
            }
        if (t == 160.0)
            save_frame(lit, "looks_beams_160");
    }
    std::printf("the beams add at most %d to the luma of the letterbox\n", brightest);
    EXPECT_LE(brightest, 8) << "a glimmer at most";
}

// The glowing rings of scene 1, and the glint and rings of the closing scene, keep their colour:
// outside the closing scene's white flash, no frame sampled every half second has more than 3 % of
// its pixels at pure white.
constexpr double flash_seconds = 1.4;
constexpr double sample_step = 0.5;

double white_share(const Frame& frame)
{
    long white = 0;
    for (size_t i = 0; i < frame.size(); i += 4)
        white += frame[i] == 255 && frame[i + 1] == 255 && frame[i + 2] == 255;
    return double(white) / (screen_width * screen_height);
}

TEST(Highlights, ScenesOneAndEightStayUnderThreePercentPureWhite)
{
    const int scenes[] = {1, closing_scene};
    for (int scene : scenes) {
        const double from = scene_start(scene);
        const double to = scene == closing_scene ? show_end : scene_start(scene + 1);
        const bool flash = std::count(std::begin(flash_scenes), std::end(flash_scenes), scene) > 0;
        double worst = 0.0, worst_t = 0.0;
        for (double t = std::ceil(from / sample_step) * sample_step; t <= to; t += sample_step) {
            if (flash && t < from + flash_seconds)
                continue;
            double share = white_share(show_frame_at(t));
            if (share > worst) {
                worst = share;
                worst_t = t;
            }
        }
        std::printf("scene %d: at worst %.2f %% pure white, at %.1f s\n", scene, 100.0 * worst, worst_t);
        EXPECT_LE(worst, 0.03);
    }
}

}  // namespace
