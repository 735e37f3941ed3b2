// No blown highlights: the glowing rings of scene 1 and the glint and rings of the closing scene
// keep their colour, so that outside the white flashes the show asks for, no frame sampled every half
// second has more than 3 % of its pixels at pure white. Slow: about 120 frames.
#include "show/director.h"
#include "show/music_hits.h"
#include "show/timeline.h"
#include "show/view.h"
#include "show_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

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
    open_show_offscreen();
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
