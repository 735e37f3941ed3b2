// Key polling: a key counts as down while held and once more after a tap between two frames.
#include "show/keys.h"

static bool key_held[polled_key_count];
static bool key_pressed_since_query[polled_key_count];

static int slot(PolledKey key) { return static_cast<int>(key); }

void key_went_down(PolledKey key)
{
    key_held[slot(key)] = true;
    key_pressed_since_query[slot(key)] = true;
}

void key_went_up(PolledKey key) { key_held[slot(key)] = false; }

bool poll_key(PolledKey key)
{
    bool answer = key_held[slot(key)] || key_pressed_since_query[slot(key)];
    key_pressed_since_query[slot(key)] = false;
    return answer;
}

void reset_keys()
{
    for (int i = 0; i < polled_key_count; ++i) {
        key_held[i] = false;
        key_pressed_since_query[i] = false;
    }
}
