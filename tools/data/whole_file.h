// The data set's files are written whole or not at all: each goes under a temporary name in its
// folder and takes its own name only once complete, so a full disk or a kill never leaves a file cut
// short under its name, and a symbolic link in its place is replaced, never written through.
#pragma once

#include <cstddef>
#include <string>

// Writes the bytes as path; false after one line on standard error with the system's reason.
bool write_whole_file(const std::string& path, const void* bytes, size_t size);
