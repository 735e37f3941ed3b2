// Start-up of the show after the window and the pictures: the music and the effects' tables.
#pragma once

// The music, read from data/ relative to the working directory; the data generator writes it there
// under this name.
#define NINESCENES_MUSIC_FILE "dot.mp3"
constexpr const char* music_file_name = NINESCENES_MUSIC_FILE;
constexpr const char* music_path = "data/" NINESCENES_MUSIC_FILE;

// Starts the music and builds the effects' tables; the show carries on silently if the music
// cannot be played. Always returns true.
bool init_demo();
