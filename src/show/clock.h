// The show's clock and the switches of its keys.
#pragma once

#include <cstdint>

// SDL's key symbol for ESC: index 27 of the key-state array.
constexpr int escape_key_symbol = 27;
// Frames a B or J toggle blocks both keys for.
constexpr int key_debounce_frames = 10;
// SPACE held: 100 seconds of show per second, i.e. 0.1 s per elapsed millisecond.
constexpr double fast_forward_per_ms = 0.1;

extern double demo_time;    // seconds since the music started
extern double frame_delta;  // seconds of the last frame interval
extern bool first_frame;
extern int key_debounce;
extern bool trails_on;
extern bool dct_on;
extern bool app_active;

// Advances the clock by elapsed_ms and acts on ESC, SPACE, B and J. key_state is SDL's key-state
// array (null until the first key-down event).
void update_clock_and_keys(uint32_t elapsed_ms, const uint8_t* key_state);

// Seeks the music to the demo time, in whole milliseconds truncated toward zero.
void seek_music_to_demo_time();

// A demo time given as text, as the programs' options take it: seconds from 0 to the end of the
// show. False for anything else.
bool parse_demo_time(const char* text, double* t);
