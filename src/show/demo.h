// Start-up of the show: the base GL state and the pictures, then the music, the effects' tables and
// the meshes.
#pragma once

// The soundtrack, in the data directory; the data generator writes it there under this name.
constexpr const char* music_file = "dot.mp3";

// The base GL state (effects/gl_base.h) and every picture of the picture table. Always returns true:
// a picture that cannot be used ends the program itself.
bool init_gl_and_textures();

// Starts the music at demo time start_time, builds the effects' tables and loads the meshes; the
// show carries on silently if the music cannot be played. Always returns true: a missing or damaged
// mesh ends the program itself.
bool init_demo(double start_time);
