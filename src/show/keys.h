// The three keys the show polls every frame (SPACE, B, J). A query answers true when the key is
// down now or was pressed since the previous query of that key, so a tap between two frames is
// never lost. The event loop feeds the key-down and key-up events it drains.
#pragma once

enum class PolledKey { space, b, j };
constexpr int polled_key_count = 3;

struct KeyPolls {
    bool held[polled_key_count] = {};
    bool pressed_since_query[polled_key_count] = {};
};

void key_went_down(KeyPolls& keys, PolledKey key);
void key_went_up(KeyPolls& keys, PolledKey key);
bool poll_key(KeyPolls& keys, PolledKey key);
