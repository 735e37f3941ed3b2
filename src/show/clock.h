// The show's clock and the switches of its keys.
#pragma once

#include "show/show_state.h"

#include <cstdint>

// SDL's key symbol for ESC: index 27 of the key-state array.
constexpr int escape_key_symbol = 27;
// Frames a B or J toggle blocks both keys for.
constexpr int key_debounce_frames = 10;
// SPACE held: 100 seconds of show per second, i.e. 0.1 s per elapsed millisecond.
constexpr double fast_forward_per_ms = 0.1;

// The two keys that switch a post effect.
enum class SwitchKey { b, j };

// A press of B or J taking effect: its switch flips and both keys wait out the shared counter. The
// SDL loop presses through it when it polls the keys; the capture tool for each --toggle.
void press_switch_key(ShowState& state, SwitchKey key);

// Advances the clock by elapsed_ms and acts on SPACE, B and J. key_state is SDL's key-state array
// (null until the first key-down event). Returns true when ESC is down: the caller ends the show.
bool update_clock_and_keys(ShowState& state, uint32_t elapsed_ms, const uint8_t* key_state);

// Seeks the music to the demo time, in whole milliseconds truncated toward zero.
void seek_music_to_demo_time(double demo_time);

// A demo time given as text, as the programs' options take it: seconds from 0 to the end of the
// show. False for anything else.
bool parse_demo_time(const char* text, double* t);
