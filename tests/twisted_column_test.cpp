// The twisted column: its twist at the origin, its slices read back in feedback mode (shared squares,
// the picture's t at foot and top), and whole frames of scene 7.
#include "assets/textures.h"
#include "effects/twisted_column.h"
#include "effects/workspace.h"
#include "show/view.h"
#include "show_fixture.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <tuple>

TEST(TwistedColumn, TwistAtTheOriginAtTimeZero)
{
    EXPECT_NEAR(twist_angle(0.0f, 0.0f), 0.3192, 5e-4);
    EXPECT_NEAR(twist_angle(0.0f, 0.0f), std::sin(1.288) * std::cos(1.232), 1e-12);
}

// The first pass's triangles under an orthographic view of ±5: 481 heights, each with one square of
// four corners (a slice whose upper square differed from the next one's lower square would add four
// more), the picture's t 1.5 at the foot and 0.7 at the top, climbing by 0.025 a second.
TEST(TwistedColumn, SlicesShareTheirSquaresAndThePictureClimbs)
{
    glDisable(GL_CULL_FACE);
    glLoadIdentity();
    for (double time : {0.0, 10.0}) {
        std::vector<FedPolygon> polygons = feed_polygons(5.0, 5.0, [&] { draw_scene7_effect(work().column, identity_matrix(), time); });
        const size_t pass = column_slices * 4 * 2;
        ASSERT_EQ(polygons.size(), 2 * pass);
        std::set<float> heights;
        std::set<std::tuple<float, float, float>> corners;
        for (size_t p = 0; p < pass; ++p)
            for (const FedVertex& v : polygons[p]) {
                heights.insert(v.y);
                corners.insert({v.x, v.y, v.z});
                double foot_or_top = v.y < 240 ? 1.5 : 0.7, y = (v.y / 240.0 - 1.0) * 5.0;
                if (std::fabs(std::fabs(y) - 4.0) < 1e-4) {
                    EXPECT_NEAR(v.t, foot_or_top + 0.025 * time, 1e-5) << time << " s, y " << y;
                }
            }
        EXPECT_EQ(heights.size(), column_slices + 1u) << time;
        EXPECT_EQ(corners.size(), 4 * (column_slices + 1u)) << time;
    }
    set_view(screen_width, screen_height);
}

// Camera at (-0.5, 0, 3) looking along -z: the axis stands 0.5 / (3·tan 22.5°) of the half-height
// right of the centre. Whatever its twist, the column covers x within ±0.7 of its axis from the top
// of the window to the bottom and never reaches the left third.
TEST(TwistedColumn, StandsRightOfCentreFromTopToBottom)
{
    save_frame(show_frame_at(185.0), "twisted_column_185");
    for (double t : {175.0, 185.0, 197.0}) {
        Mask column = picture_mask(&TextureSet::lighttex3, t);
        for (int y : {2, 120, 240, 360, 477}) {
            for (int x = 330; x < 500; ++x)
                ASSERT_TRUE(column[y * 640 + x]) << t << " s at " << x << ", " << y;
            for (int x = 0; x < 200; ++x)
                ASSERT_FALSE(column[y * 640 + x]) << t << " s at " << x << ", " << y;
        }
    }
}
