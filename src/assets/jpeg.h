// Decoding a JPEG file into packed 8-bit RGB, rows from the top down, no padding.
#pragma once

#include <vector>

constexpr const char* jpeg_log_path = "jpeg.err";

// Ends the program with status 1 if the file cannot be opened (with a one-line message) or the
// decoder fails (its message goes to standard error and is appended to jpeg.err).
std::vector<unsigned char> load_jpeg(const char* path, int* width, int* height);
