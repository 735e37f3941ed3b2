// Feedback trails on frames drawn offscreen: a spot drawn once streams outwards and fades, a still
// picture stays still, and the kept frame survives the effect being switched off.
#include "assets/textures.h"
#include "effects/feedback_trails.h"
#include "effects/screen_layers.h"
#include "show/view.h"
#include "show_fixture.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

class Trails : public ::testing::Test {
protected:
    void SetUp() override
    {
        set_view(screen_width, screen_height);
        init_trail_texture();  // a fresh, black kept frame
    }
};

// Paints a w × h rectangle, lower-left corner at window pixel (x, y), in a grey from 0 to 1.
static void paint(int x, int y, int w, int h, float grey)
{
    glEnable(GL_SCISSOR_TEST);
    glScissor(x, y, w, h);
    glClearColor(grey, grey, grey, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
}

static void clear_to_black() { paint(0, 0, 640, 480, 0); }

struct Light {
    double total, x, y;  // summed brightness and its centroid, from the window centre, y up
    int peak;
};

static Light light_of(const Frame& frame)
{
    Light light = {0, 0, 0, 0};
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            double v = pixel_at(frame, x, y).g;
            light.total += v;
            light.peak = std::max(light.peak, static_cast<int>(v));
            light.x += v * (x + 0.5 - 320);
            light.y += v * (240 - (y + 0.5));
        }
    light.x /= light.total;
    light.y /= light.total;
    return light;
}

TEST_F(Trails, SpotDrawnOnceStreamsOutwardsAndFades)
{
    clear_to_black();
    paint(500, 350, 6, 6, 1);  // a white spot
    apply_feedback_trails();
    Light before = light_of(grab_frame());
    EXPECT_NEAR(before.total, 36 * 255 * 0.5 * 0.6 * 0.7, 36 * 2) << "the kept frame starts black";
    for (int frame = 1; frame <= 4; ++frame) {
        clear_to_black();
        apply_feedback_trails();
        Frame shown = grab_frame();
        if (frame == 1)
            save_frame(shown, "trails_spot_once");
        Light after = light_of(shown);
        double scale = after.x / before.x;
        EXPECT_GT(scale, 1.014) << "frame " << frame;
        EXPECT_LT(scale, 1.107) << "frame " << frame;
        EXPECT_NEAR(after.y / before.y, scale, 0.01) << "enlarged about the centre";
        EXPECT_LT(after.total, before.total) << "frame " << frame;
        EXPECT_LT(after.peak, before.peak * 0.8) << "frame " << frame;
        before = after;
    }
}

static Frame picture_with_trails()
{
    draw_background(textures.wobltausta, 0.1f, 2000.0f, BackdropType::sideways);
    apply_feedback_trails();
    return grab_frame();
}

TEST_F(Trails, StillPictureStaysStillAndTheKeptFrameOutlastsASwitchOff)
{
    draw_background(textures.wobltausta, 0.1f, 2000.0f, BackdropType::sideways);
    Frame picture = grab_frame();
    Frame shown;
    for (int frame = 0; frame < 40; ++frame)
        shown = picture_with_trails();
    save_frame(shown, "trails_still_picture");
    Frame next = picture_with_trails();
    // Rounding lets a few pixels far from the centre settle last.
    double steps = 0, distance = 0;
    for (size_t i = 0; i < shown.size(); ++i)
        if (i % 4 != 3) {
            steps += std::abs(next[i] - shown[i]);
            distance += std::abs(shown[i] - picture[i]);
        }
    EXPECT_LT(steps / (640 * 480 * 3), 0.05);
    EXPECT_LT(distance / (640 * 480 * 3), 10.0) << "the copies sit over the picture, not beside it";

    // Off for a while: the white frames drawn meanwhile are not kept.
    for (int frame = 0; frame < 5; ++frame)
        paint(0, 0, 640, 480, 1);
    clear_to_black();
    apply_feedback_trails();
    EXPECT_NEAR(mean_brightness(grab_frame(), 0, 0, 640, 480), mean_brightness(next, 0, 0, 640, 480) * 0.79, 3.0);
}
