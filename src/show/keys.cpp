// Key polling: a key counts as down while held and once more after a tap between two frames.
#include "show/keys.h"

static int slot(PolledKey key) { return static_cast<int>(key); }

void key_went_down(KeyPolls& keys, PolledKey key)
{
    keys.held[slot(key)] = true;
    keys.pressed_since_query[slot(key)] = true;
}

void key_went_up(KeyPolls& keys, PolledKey key) { keys.held[slot(key)] = false; }

bool poll_key(KeyPolls& keys, PolledKey key)
{
    bool answer = keys.held[slot(key)] || keys.pressed_since_query[slot(key)];
    keys.pressed_since_query[slot(key)] = false;
    return answer;
}
