// The soundtrack, the music step of the data set.
#pragma once

#include <string>
#include <vector>

// Composes and plays the music, mixes and masters it and writes OUT_DIR/dot.mp3; false after a
// failure (already reported).
bool write_music(const std::string& out_dir);
// Appends the file name write_music writes.
void list_music(std::vector<std::string>& names);
