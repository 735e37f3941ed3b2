// Writing a captured RGBA frame (top row first) as an 8-bit RGB PNG file.
#pragma once

#include <string>
#include <vector>

// Returns false if the file cannot be written, with the reason in why, or else printed as one line
// on standard error.
bool write_png(const std::string& path, const std::vector<unsigned char>& rgba, int width, int height,
               std::string* why = nullptr);
