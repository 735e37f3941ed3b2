// The demo clock and the keys: each drawn frame advances the time and acts on SPACE, B and J.
#include "show/clock.h"

#include "show/audio.h"
#include "show/timeline.h"

#include <cmath>
#include <cstdlib>

static constexpr double seconds_per_ms = 0.001;

void seek_music_to_demo_time(double demo_time) { music_seek_ms(static_cast<int>(demo_time * 1000.0)); }

static void fast_forward(ShowState& state, uint32_t elapsed_ms)
{
    if (poll_key(state.keys, PolledKey::space)) {
        state.demo_time += elapsed_ms * fast_forward_per_ms;
        seek_music_to_demo_time(state.demo_time);
    }
}

void press_switch_key(ShowState& state, SwitchKey key)
{
    bool& on = key == SwitchKey::b ? state.trails_on : state.dct_on;
    on = !on;
    state.key_debounce = key_debounce_frames;
}

// B and J share one counter, so pressed on the same frame only B toggles; the counter falls by one
// on every frame, the toggling frame included.
static void toggle_switches(ShowState& state)
{
    if (poll_key(state.keys, PolledKey::b) && state.key_debounce == 0)
        press_switch_key(state, SwitchKey::b);
    if (poll_key(state.keys, PolledKey::j) && state.key_debounce == 0)
        press_switch_key(state, SwitchKey::j);
    if (state.key_debounce != 0)
        --state.key_debounce;
}

// The first frame's interval spans the whole loading time; it still feeds the frame delta (the
// tunnel turns by it) but not the demo time, which starts with the music at 0.
static void advance_clock(ShowState& state, uint32_t elapsed_ms)
{
    state.frame_delta = elapsed_ms * seconds_per_ms;
    if (state.first_frame)
        state.first_frame = false;
    else
        state.demo_time += state.frame_delta;
}

bool update_clock_and_keys(ShowState& state, uint32_t elapsed_ms, const uint8_t* key_state)
{
    bool escape = key_state && key_state[escape_key_symbol];
    fast_forward(state, elapsed_ms);
    toggle_switches(state);
    advance_clock(state, elapsed_ms);
    return escape;
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
