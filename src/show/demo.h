// Start-up of the show after the window and the pictures: the music, the effects' tables and the meshes.
#pragma once

// The soundtrack, in the data directory; the data generator writes it there under this name.
constexpr const char* music_file = "dot.mp3";

// Starts the music, builds the effects' tables and loads the meshes; the show carries on silently if
// the music cannot be played. Always returns true: a missing or damaged mesh ends the program itself.
bool init_demo();
