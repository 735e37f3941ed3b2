// Opening the show's data files: only regular files, so that a FIFO or a device put in place of one
// can neither block start-up nor feed it without end.
#pragma once

#include <string>
#include <vector>

// An open file descriptor for path (flags as for open(2)), or -1 with errno set; EINVAL when the
// path names something other than a regular file.
int open_regular_file(const char* path, int flags);

// Why open_regular_file failed, for a one-line message: "not a regular file" or the system's text.
std::string open_failure(int error);

// Reads at most max_bytes from the start of a regular file into bytes; false with why on failure.
bool read_data_file(const char* path, size_t max_bytes, std::vector<unsigned char>& bytes, std::string& why);
