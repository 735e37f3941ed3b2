// The full-window layers, drawn offscreen and read back pixel by pixel.
#include "assets/textures.h"
#include "effects/screen_layers.h"
#include "effects/workspace.h"
#include "show_fixture.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

// A busy, known picture in the colour buffer: a backdrop with a pattern of its own.
static Frame paint_reference()
{
    draw_background(textures.blobitausta, 0.1f, 2000.0f, BackdropType::sideways);
    return grab_frame();
}

static int largest_difference(const Frame& a, const Frame& b)
{
    int largest = 0;
    for (size_t i = 0; i < a.size(); i += 4)
        for (int c = 0; c < 3; ++c)
            largest = std::max(largest, std::abs(a[i + c] - b[i + c]));
    return largest;
}

// Pixels of the overlay rectangle that come out the same over black and over white.
static int solid_overlay_pixels(float x)
{
    darken_screen(0.0f);
    draw_overlay(x, textures.details);
    Frame over_black = grab_frame();
    flash_screen(1.0f);
    draw_overlay(x, textures.details);
    Frame over_white = grab_frame();
    int solid = 0;
    for (int y = 112; y < 368; ++y)
        for (int column = 64; column < 576; ++column) {
            Rgb a = pixel_at(over_black, column, y);
            Rgb b = pixel_at(over_white, column, y);
            solid += std::abs(a.r - b.r) <= 4 && std::abs(a.g - b.g) <= 4;
        }
    return solid;
}

TEST(ScreenLayers, DarkenMultipliesTheFrame)
{
    Frame before = paint_reference();
    darken_screen(1.0f);
    EXPECT_EQ(largest_difference(before, grab_frame()), 0);

    paint_reference();
    darken_screen(0.5f);
    Frame half = grab_frame();
    Rgb was = pixel_at(before, 320, 240);
    Rgb now = pixel_at(half, 320, 240);
    EXPECT_NEAR(now.r, was.r / 2.0, 1.5);
    EXPECT_NEAR(now.b, was.b / 2.0, 1.5);

    darken_screen(0.0f);
    EXPECT_TRUE(every_pixel_is(grab_frame(), 0));
    paint_reference();
    darken_screen(-0.75f);
    EXPECT_TRUE(every_pixel_is(grab_frame(), 0)) << "a brightness below zero gives black";
}

TEST(ScreenLayers, FlashAddsWhite)
{
    Frame before = paint_reference();
    flash_screen(0.0f);
    EXPECT_EQ(largest_difference(before, grab_frame()), 0);
    flash_screen(1.0f);
    EXPECT_TRUE(every_pixel_is(grab_frame(), 255));
}

TEST(ScreenLayers, StillWaveIsThePlainBackdrop)
{
    draw_background(textures.wobltausta, 0.3f, 2000.0f, BackdropType::sideways);
    Frame plain = grab_frame();
    darken_screen(0.0f);
    draw_wavy_background(work().wave, textures.wobltausta, 0.3f, 2000.0f, BackdropType::sideways, 0.0f, 70.0f);
    EXPECT_EQ(largest_difference(plain, grab_frame()), 0);

    draw_background(textures.pyoritystausta, 0.2f, 2000.0f, BackdropType::vertical);
    Frame vertical = grab_frame();
    darken_screen(0.0f);
    draw_wavy_background(work().wave, textures.pyoritystausta, 0.2f, 2000.0f, BackdropType::vertical, 1.0f, 70.0f);
    EXPECT_EQ(largest_difference(vertical, grab_frame()), 0) << "a vertical backdrop never ripples";
}

TEST(ScreenLayers, RipplingWaveMovesThePicture)
{
    draw_background(textures.wobltausta, 0.3f, 2000.0f, BackdropType::sideways);
    Frame plain = grab_frame();
    draw_wavy_background(work().wave, textures.wobltausta, 0.3f, 2000.0f, BackdropType::sideways, 1.0f, 70.0f);
    Frame wavy = grab_frame();
    save_frame(wavy, "wavy_backdrop");
    EXPECT_GT(largest_difference(plain, wavy), 40);
    float s = 0.5f, t = 0.25f;
    displace_texcoord(s, t, 0.0f, 0.0f);
    EXPECT_EQ(s, 0.5f);
    EXPECT_EQ(t, 0.25f);
}

TEST(ScreenLayers, OverlayShowsAtFiveAndVanishesAtFifteen)
{
    Frame before = paint_reference();
    draw_overlay(15.0f, textures.details);
    EXPECT_EQ(largest_difference(before, grab_frame()), 0);

    darken_screen(0.0f);
    draw_overlay(5.0f, textures.details);
    Frame shown = grab_frame();
    save_frame(shown, "overlay_details");
    EXPECT_TRUE(every_pixel_is(std::vector<unsigned char>(shown.begin(), shown.begin() + 640 * 4 * 20), 0))
        << "nothing above the 512 x 256 rectangle";
    EXPECT_GT(mean_brightness(shown, 64, 112, 576, 368), 5.0) << "the title text shows";

    // Where the title's texels are solid, the overlay at x = 5 hides whatever lies beneath; at
    // x = 2.5 (opacity sin(pi/4)) the frame beneath still shows through everywhere.
    EXPECT_GT(solid_overlay_pixels(5.0f), 1000);
    EXPECT_EQ(solid_overlay_pixels(2.5f), 0);
}

