// Writing a picture as a baseline JPEG file with fixed settings, so equal pictures give equal bytes.
#pragma once

#include <string>

#include "canvas.h"

// Returns false and prints one line on standard error if the file cannot be written; writes it
// whole or not at all.
bool write_jpeg(const std::string& path, const Canvas& canvas);
