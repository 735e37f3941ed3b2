// The screens: the window each choice opens, where the picture goes in it, and the scaling pass
// drawn offscreen into a window larger than the picture, seen in its pixels and in GL's state.
#include "platform/offscreen.h"
#include "platform/picture_scaler.h"
#include "platform/screen_sdl.h"
#include "show/director.h"
#include "show/view.h"
#include "show_fixture.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

static bool operator==(WindowSize a, WindowSize b) { return a.width == b.width && a.height == b.height; }
static bool operator==(PictureRect a, PictureRect b)
{
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

TEST(Screens, EachChoiceOpensItsWindowOnEachDesktop)
{
    const struct {
        ScreenChoice choice;
        WindowSize desktop, expected;
    } cases[] = {
        {ScreenChoice::mode_640x480, {1920, 1080}, {640, 480}},
        {ScreenChoice::desktop, {1920, 1080}, {1920, 1080}},
        {ScreenChoice::desktop, {3840, 2160}, {3840, 2160}},
        {ScreenChoice::desktop, {0, 0}, {640, 480}},           // unknown: the picture's own size
        {ScreenChoice::window, {1920, 1080}, {1280, 960}},
        {ScreenChoice::window, {2560, 1440}, {1280, 960}},     // three times would fill its height
        {ScreenChoice::window, {3840, 2160}, {2560, 1920}},
        {ScreenChoice::window, {1366, 768}, {640, 480}},
        {ScreenChoice::window, {640, 480}, {640, 480}},        // never less than once
        {ScreenChoice::window, {0, 0}, {640, 480}},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(window_size_for(c.choice, c.desktop) == c.expected)
            << int(c.choice) << " on " << c.desktop.width << " x " << c.desktop.height;
}

TEST(Screens, PictureIsTheLargestCentredFourByThree)
{
    const struct {
        WindowSize window;
        PictureRect expected;
    } cases[] = {
        {{640, 480}, {0, 0, 640, 480}},     {{1920, 1080}, {240, 0, 1440, 1080}},
        {{800, 800}, {0, 100, 800, 600}},   {{1280, 1024}, {0, 32, 1280, 960}},
        {{1000, 481}, {179, 0, 641, 481}},  {{641, 480}, {0, 0, 640, 480}},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(fit_picture(c.window.width, c.window.height) == c.expected)
            << c.window.width << " x " << c.window.height;
}

// The scaling pass overwrites the corner the picture was drawn in, so the next frame must not build
// on what was there: every frame paints every pixel of its picture, in every scene, with the post
// effects on and off.
TEST(ScalingPass, EveryFramePaintsTheWholePicture)
{
    const double moments[] = {0.0, 20.0, 45.0, 70.0, 99.0, 110.0, 138.0, 160.0, 185.0, 205.0, 235.0, 239.99};
    for (bool post_effects : {false, true}) {
        shown().trails_on = shown().dct_on = post_effects;
        for (double t : moments) {
            glClearColor(1.0f, 0.0f, 1.0f, 1.0f);
            glClear(GL_COLOR_BUFFER_BIT);
            glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
            Frame frame = show_frame_at(t);
            int left = 0;
            for (size_t i = 0; i < frame.size(); i += 4)
                left += frame[i] == 255 && frame[i + 1] == 0 && frame[i + 2] == 255;
            EXPECT_EQ(left, 0) << "at " << t << (post_effects ? " with B and J" : "");
        }
    }
    shown().trails_on = shown().dct_on = false;
}

// What the show's drawing depends on, read back.
struct GlSnapshot {
    std::vector<double> values;
};

static GlSnapshot snapshot()
{
    GlSnapshot s;
    auto add = [&s](GLenum name, int count) {
        double v[16];
        glGetDoublev(name, v);
        s.values.insert(s.values.end(), v, v + count);
    };
    for (GLenum capability : {GL_DEPTH_TEST, GL_BLEND, GL_TEXTURE_2D, GL_CULL_FACE, GL_ALPHA_TEST, GL_LIGHTING,
                              GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T, GL_SCISSOR_TEST})
        s.values.push_back(glIsEnabled(capability));
    add(GL_VIEWPORT, 4);
    add(GL_MATRIX_MODE, 1);
    add(GL_MODELVIEW_MATRIX, 16);
    add(GL_PROJECTION_MATRIX, 16);
    add(GL_TEXTURE_MATRIX, 16);
    add(GL_TEXTURE_BINDING_2D, 1);
    add(GL_CURRENT_COLOR, 4);
    add(GL_COLOR_CLEAR_VALUE, 4);
    add(GL_BLEND_SRC, 1);
    add(GL_BLEND_DST, 1);
    add(GL_DEPTH_FUNC, 1);
    GLint environment;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &environment);
    s.values.push_back(environment);
    return s;
}

// The mean of each channel over a block of an RGBA picture, top row first.
static double block_mean(const Frame& frame, int width, int x0, int y0, int size, int channel)
{
    double sum = 0;
    for (int y = y0; y < y0 + size; ++y)
        for (int x = x0; x < x0 + size; ++x)
            sum += frame[(static_cast<size_t>(y) * width + x) * 4 + channel];
    return sum / (size * size);
}

// In an 800 × 800 window the picture becomes 800 × 600, black above and below, the same picture
// block for block; GL is left as it was found.
TEST(ScalingPass, FillsTheWindowWithThePictureAndBlackAround)
{
    constexpr int window = 800, band = 100, scaled = 600;
    ASSERT_TRUE(resize_offscreen_surface(window, window));
    init_picture_scaler();
    Frame picture = show_frame_at(45.0);
    GlSnapshot before = snapshot();
    scale_picture(window, window);
    EXPECT_EQ(snapshot().values, before.values);
    Frame shown = read_frame_rgba(window, window);
    save_frame(picture, "scaling_pass_picture");

    int lit_in_bands = 0;
    for (int y = 0; y < window; ++y)
        for (int x = 0; x < window; ++x) {
            const unsigned char* p = &shown[(static_cast<size_t>(y) * window + x) * 4];
            lit_in_bands += (y < band || y >= band + scaled) && (p[0] || p[1] || p[2]);
        }
    EXPECT_EQ(lit_in_bands, 0);
    // Blocks of 32 × 32 pixels of the picture against the 40 × 40 they became.
    constexpr int block = 32, scaled_block = block * scaled / screen_height;
    double largest_difference = 0;
    for (int by = 0; by < screen_height / block; ++by)
        for (int bx = 0; bx < screen_width / block; ++bx)
            for (int c = 0; c < 3; ++c)
                largest_difference = std::fmax(largest_difference,
                    std::fabs(block_mean(picture, screen_width, bx * block, by * block, block, c)
                              - block_mean(shown, window, bx * scaled_block, band + by * scaled_block, scaled_block, c)));
    EXPECT_LT(largest_difference, 4.0);
    ASSERT_TRUE(resize_offscreen_surface(screen_width, screen_height));
}
