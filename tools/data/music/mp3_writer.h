// Writing the soundtrack as an MP3 file with fixed settings, so equal samples give equal bytes.
#pragma once

#include <string>
#include <vector>

// Encodes interleaved 16-bit stereo at the show's audio rate; returns false and prints one line on
// standard error if the file cannot be written, which is written whole or not at all.
bool write_mp3(const std::string& path, const std::vector<short>& interleaved);
