// The program's icon, drawn from the show's own pictures.
#pragma once

#include <string>

// Paints the icon at size × size pixels and writes it as a PNG file with transparency; false after a
// failure, reported on standard error.
bool write_icon(int size, const std::string& path);
