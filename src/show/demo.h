// Start-up of the show after the window and the pictures: the music and the effects' tables.
#pragma once

// The soundtrack, in the data directory.
constexpr const char* music_file = "dot.mp3";

// Starts the music and builds the effects' tables; the show carries on silently if the music
// cannot be played. Always returns true.
bool init_demo();
