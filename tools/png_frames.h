// Writing a captured RGBA frame (top row first) as an 8-bit RGB PNG file.
#pragma once

#include <string>
#include <vector>

// Returns false and prints one line on standard error if the file cannot be written.
bool write_png(const std::string& path, const std::vector<unsigned char>& rgba, int width, int height);
