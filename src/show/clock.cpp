// The demo clock and the keys: each drawn frame advances the time and acts on ESC, SPACE, B and J.
#include "show/clock.h"

#include "platform/audio.h"
#include "show/keys.h"
#include "platform/platform.h"
#include "show/timeline.h"

#include <cmath>
#include <cstdlib>

double demo_time = 0.0;
double frame_delta = 0.0;
bool first_frame = true;
int key_debounce = 0;
bool trails_on = false;
bool dct_on = false;
bool app_active = false;

static constexpr double seconds_per_ms = 0.001;

void seek_music_to_demo_time() { music_seek_ms(static_cast<int>(demo_time * 1000.0)); }

static void end_show_on_escape(const uint8_t* key_state)
{
    if (key_state && key_state[escape_key_symbol]) {
        music_stop();
        audio_close();
        push_quit_event();
    }
}

static void fast_forward(uint32_t elapsed_ms)
{
    if (poll_key(PolledKey::space)) {
        demo_time += elapsed_ms * fast_forward_per_ms;
        seek_music_to_demo_time();
    }
}

// B and J share one counter, so pressed on the same frame only B toggles; the counter falls by one
// on every frame, the toggling frame included.
static void toggle_switches()
{
    if (poll_key(PolledKey::b) && key_debounce == 0) {
        key_debounce = key_debounce_frames;
        trails_on = !trails_on;
    }
    if (poll_key(PolledKey::j) && key_debounce == 0) {
        dct_on = !dct_on;
        key_debounce = key_debounce_frames;
    }
    if (key_debounce != 0)
        --key_debounce;
}

// The first frame's interval spans the whole loading time; it still feeds the frame delta (the
// tunnel turns by it) but not the demo time, which starts with the music at 0.
static void advance_clock(uint32_t elapsed_ms)
{
    frame_delta = elapsed_ms * seconds_per_ms;
    if (first_frame)
        first_frame = false;
    else
        demo_time += frame_delta;
}

void update_clock_and_keys(uint32_t elapsed_ms, const uint8_t* key_state)
{
    end_show_on_escape(key_state);
    fast_forward(elapsed_ms);
    toggle_switches();
    advance_clock(elapsed_ms);
}

bool parse_demo_time(const char* text, double* t)
{
    char* end = nullptr;
    double value = std::strtod(text, &end);
    if (end == text || *end != '\0' || !std::isfinite(value) || value < 0.0 || value > show_end)
        return false;
    *t = value;
    return true;
}
