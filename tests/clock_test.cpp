// The clock and the keys: first frame, fast-forward with the music following, the B/J switches
// with their shared debounce, ESC, and tick wrap-around.
#include "show/audio.h"
#include "show/clock.h"
#include "show/keys.h"
#include "show/show_state.h"

#include <gtest/gtest.h>

#include <cstdint>

static uint8_t no_keys[512];

// A new show, with the music back at its start.
static ShowState new_show()
{
    music_seek_ms(0);
    return ShowState();
}

TEST(Clock, FirstFrameKeepsTimeButTakesTheWholeInterval)
{
    ShowState show = new_show();
    update_clock_and_keys(show, 5000, no_keys);
    EXPECT_EQ(show.demo_time, 0.0);
    EXPECT_DOUBLE_EQ(show.frame_delta, 5.0);
    EXPECT_FALSE(show.first_frame);
    update_clock_and_keys(show, 16, no_keys);
    EXPECT_DOUBLE_EQ(show.frame_delta, 0.016);
    EXPECT_DOUBLE_EQ(show.demo_time, 0.016);
}

TEST(Clock, SpaceFastForwardsAndSeeksTheMusic)
{
    ShowState show = new_show();
    key_went_down(show.keys, PolledKey::space);
    // Held during loading: the first frame's whole interval counts, times 0.1.
    update_clock_and_keys(show, 3000, no_keys);
    EXPECT_DOUBLE_EQ(show.demo_time, 300.0);
    EXPECT_EQ(music_position_ms(), 300000);

    show = new_show();
    update_clock_and_keys(show, 10, no_keys);
    key_went_down(show.keys, PolledKey::space);
    update_clock_and_keys(show, 20, no_keys);
    // 20 ms × 0.1 s of fast-forward, then the frame delta itself.
    EXPECT_DOUBLE_EQ(show.demo_time, 2.0 + 0.02);
    EXPECT_EQ(music_position_ms(), 2000);
    key_went_up(show.keys, PolledKey::space);
    update_clock_and_keys(show, 20, no_keys);
    EXPECT_DOUBLE_EQ(show.demo_time, 2.04);
    EXPECT_EQ(music_position_ms(), 2000) << "no seek once SPACE is released";
}

TEST(Clock, SeekTruncatesTowardZero)
{
    ShowState show = new_show();
    update_clock_and_keys(show, 1, no_keys);
    show.demo_time = 1.2346999;
    key_went_down(show.keys, PolledKey::space);
    update_clock_and_keys(show, 0, no_keys);
    EXPECT_EQ(music_position_ms(), 1234);
}

TEST(Clock, TapBetweenFramesIsSeenOnce)
{
    ShowState show = new_show();
    update_clock_and_keys(show, 10, no_keys);
    key_went_down(show.keys, PolledKey::space);
    key_went_up(show.keys, PolledKey::space);
    update_clock_and_keys(show, 10, no_keys);
    EXPECT_DOUBLE_EQ(show.demo_time, 1.0 + 0.01);
    update_clock_and_keys(show, 10, no_keys);
    EXPECT_DOUBLE_EQ(show.demo_time, 1.02);
}

TEST(Clock, HeldKeyTogglesEveryTenFrames)
{
    ShowState show = new_show();
    key_went_down(show.keys, PolledKey::b);
    int toggles = 0;
    bool last = show.trails_on;
    for (int frame = 0; frame < 30; ++frame) {
        update_clock_and_keys(show, 16, no_keys);
        toggles += show.trails_on != last;
        last = show.trails_on;
        if (frame == 0) {
            EXPECT_EQ(show.key_debounce, 9) << "the counter falls on the toggling frame too";
        }
    }
    EXPECT_EQ(toggles, 3);
    EXPECT_FALSE(show.dct_on);
}

TEST(Clock, BAndJTogetherToggleOnlyB)
{
    ShowState show = new_show();
    key_went_down(show.keys, PolledKey::b);
    key_went_down(show.keys, PolledKey::j);
    key_went_up(show.keys, PolledKey::b);
    key_went_up(show.keys, PolledKey::j);
    update_clock_and_keys(show, 16, no_keys);
    EXPECT_TRUE(show.trails_on);
    EXPECT_FALSE(show.dct_on);
    // A J tap during the shared wait is lost; one after it toggles.
    key_went_down(show.keys, PolledKey::j);
    key_went_up(show.keys, PolledKey::j);
    update_clock_and_keys(show, 16, no_keys);
    EXPECT_FALSE(show.dct_on);
    for (int frame = 0; frame < 8; ++frame)
        update_clock_and_keys(show, 16, no_keys);
    EXPECT_EQ(show.key_debounce, 0);
    key_went_down(show.keys, PolledKey::j);
    update_clock_and_keys(show, 16, no_keys);
    EXPECT_TRUE(show.dct_on);
    EXPECT_TRUE(show.trails_on);
}

TEST(Clock, EscapeEndsTheShowButTheFrameGoesOn)
{
    ShowState show = new_show();
    EXPECT_FALSE(update_clock_and_keys(show, 16, nullptr)) << "no key-state array before the first key-down";
    uint8_t keys[512] = {};
    keys[escape_key_symbol] = 1;
    EXPECT_TRUE(update_clock_and_keys(show, 16, keys));
    EXPECT_DOUBLE_EQ(show.demo_time, 0.016);
}

// The capture tool's --toggle presses as the loop does: the switch flips whatever the counter says.
TEST(Clock, PressingASwitchKeyFlipsItAndArmsTheSharedCounter)
{
    ShowState show = new_show();
    press_switch_key(show, SwitchKey::b);
    press_switch_key(show, SwitchKey::j);
    EXPECT_TRUE(show.trails_on);
    EXPECT_TRUE(show.dct_on);
    EXPECT_EQ(show.key_debounce, key_debounce_frames);
    press_switch_key(show, SwitchKey::b);
    EXPECT_FALSE(show.trails_on);
}

TEST(Clock, TickWrapGivesTheRightInterval)
{
    ShowState show = new_show();
    uint32_t before = 0xFFFFFFF0u;
    uint32_t after = 0x00000010u;
    update_clock_and_keys(show, after - before, no_keys);
    EXPECT_DOUBLE_EQ(show.frame_delta, 0.032);
}
