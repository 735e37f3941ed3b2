// The clock and the keys: first frame, fast-forward with the music following, the B/J switches
// with their shared debounce, ESC, and tick wrap-around.
#include "show/audio.h"
#include "show/clock.h"
#include "show/keys.h"
#include "platform/offscreen.h"

#include <gtest/gtest.h>

#include <cstdint>

static uint8_t no_keys[512];

static void reset_clock()
{
    demo_time = 0.0;
    frame_delta = 0.0;
    first_frame = true;
    key_debounce = 0;
    trails_on = false;
    dct_on = false;
    quit_requested = false;
    reset_keys();
    music_seek_ms(0);
}

TEST(Clock, FirstFrameKeepsTimeButTakesTheWholeInterval)
{
    reset_clock();
    update_clock_and_keys(5000, no_keys);
    EXPECT_EQ(demo_time, 0.0);
    EXPECT_DOUBLE_EQ(frame_delta, 5.0);
    EXPECT_FALSE(first_frame);
    update_clock_and_keys(16, no_keys);
    EXPECT_DOUBLE_EQ(frame_delta, 0.016);
    EXPECT_DOUBLE_EQ(demo_time, 0.016);
}

TEST(Clock, SpaceFastForwardsAndSeeksTheMusic)
{
    reset_clock();
    key_went_down(PolledKey::space);
    // Held during loading: the first frame's whole interval counts, times 0.1.
    update_clock_and_keys(3000, no_keys);
    EXPECT_DOUBLE_EQ(demo_time, 300.0);
    EXPECT_EQ(music_position_ms(), 300000);

    reset_clock();
    update_clock_and_keys(10, no_keys);
    key_went_down(PolledKey::space);
    update_clock_and_keys(20, no_keys);
    // 20 ms × 0.1 s of fast-forward, then the frame delta itself.
    EXPECT_DOUBLE_EQ(demo_time, 2.0 + 0.02);
    EXPECT_EQ(music_position_ms(), 2000);
    key_went_up(PolledKey::space);
    update_clock_and_keys(20, no_keys);
    EXPECT_DOUBLE_EQ(demo_time, 2.04);
    EXPECT_EQ(music_position_ms(), 2000) << "no seek once SPACE is released";
}

TEST(Clock, SeekTruncatesTowardZero)
{
    reset_clock();
    update_clock_and_keys(1, no_keys);
    demo_time = 1.2346999;
    key_went_down(PolledKey::space);
    update_clock_and_keys(0, no_keys);
    EXPECT_EQ(music_position_ms(), 1234);
}

TEST(Clock, TapBetweenFramesIsSeenOnce)
{
    reset_clock();
    update_clock_and_keys(10, no_keys);
    key_went_down(PolledKey::space);
    key_went_up(PolledKey::space);
    update_clock_and_keys(10, no_keys);
    EXPECT_DOUBLE_EQ(demo_time, 1.0 + 0.01);
    update_clock_and_keys(10, no_keys);
    EXPECT_DOUBLE_EQ(demo_time, 1.02);
}

TEST(Clock, HeldKeyTogglesEveryTenFrames)
{
    reset_clock();
    key_went_down(PolledKey::b);
    int toggles = 0;
    bool last = trails_on;
    for (int frame = 0; frame < 30; ++frame) {
        update_clock_and_keys(16, no_keys);
        toggles += trails_on != last;
        last = trails_on;
        if (frame == 0) {
            EXPECT_EQ(key_debounce, 9) << "the counter falls on the toggling frame too";
        }
    }
    EXPECT_EQ(toggles, 3);
    EXPECT_FALSE(dct_on);
}

TEST(Clock, BAndJTogetherToggleOnlyB)
{
    reset_clock();
    key_went_down(PolledKey::b);
    key_went_down(PolledKey::j);
    key_went_up(PolledKey::b);
    key_went_up(PolledKey::j);
    update_clock_and_keys(16, no_keys);
    EXPECT_TRUE(trails_on);
    EXPECT_FALSE(dct_on);
    // A J tap during the shared wait is lost; one after it toggles.
    key_went_down(PolledKey::j);
    key_went_up(PolledKey::j);
    update_clock_and_keys(16, no_keys);
    EXPECT_FALSE(dct_on);
    for (int frame = 0; frame < 8; ++frame)
        update_clock_and_keys(16, no_keys);
    EXPECT_EQ(key_debounce, 0);
    key_went_down(PolledKey::j);
    update_clock_and_keys(16, no_keys);
    EXPECT_TRUE(dct_on);
    EXPECT_TRUE(trails_on);
}

TEST(Clock, EscapeEndsTheShowButTheFrameGoesOn)
{
    reset_clock();
    update_clock_and_keys(16, nullptr);
    EXPECT_FALSE(quit_requested) << "no key-state array before the first key-down";
    uint8_t keys[512] = {};
    keys[escape_key_symbol] = 1;
    update_clock_and_keys(16, keys);
    EXPECT_TRUE(quit_requested);
    EXPECT_DOUBLE_EQ(demo_time, 0.016);
}

TEST(Clock, TickWrapGivesTheRightInterval)
{
    reset_clock();
    uint32_t before = 0xFFFFFFF0u;
    uint32_t after = 0x00000010u;
    update_clock_and_keys(after - before, no_keys);
    EXPECT_DOUBLE_EQ(frame_delta, 0.032);
}
