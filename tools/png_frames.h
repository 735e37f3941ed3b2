// Writing RGBA pictures (top row first) as 8-bit PNG files: captured frames opaque, icons with their
// transparency.
#pragma once

#include <string>
#include <vector>

// Returns false if the file cannot be written, with the reason in why, or else printed as one line
// on standard error.
bool write_png(const std::string& path, const std::vector<unsigned char>& rgba, int width, int height,
               std::string* why = nullptr);

// The same, keeping the picture's alpha as its transparency.
bool write_png_with_alpha(const std::string& path, const std::vector<unsigned char>& rgba, int width, int height,
                          std::string* why = nullptr);
