// Whole files: written under a temporary name unique to this process, then renamed.
#include "whole_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// "dir/name" → "dir/.name.PID.part": hidden, and a second generator at work on the same folder
// (two builds at once) writes names of its own.
std::string temporary_name(const std::string& path)
{
    size_t slash = path.rfind('/');
    size_t name_start = slash == std::string::npos ? 0 : slash + 1;
    return path.substr(0, name_start) + "." + path.substr(name_start) + "." + std::to_string(getpid()) + ".part";
}

bool write_all(int file, const char* at, size_t left)
{
    while (left > 0) {
        ssize_t written = write(file, at, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return false;
        at += written;
        left -= size_t(written);
    }
    return true;
}

}  // namespace

bool write_whole_file(const std::string& path, const void* bytes, size_t size)
{
    std::string temporary = temporary_name(path);
    int file = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
    bool written = file >= 0 && write_all(file, static_cast<const char*>(bytes), size);
    int error = errno;
    if (file >= 0 && close(file) != 0 && written) {
        written = false;
        error = errno;
    }
    if (written && std::rename(temporary.c_str(), path.c_str()) != 0) {
        written = false;
        error = errno;
    }
    if (!written) {
        if (file >= 0)
            unlink(temporary.c_str());
        std::fprintf(stderr, "ninescenes-data: cannot write %s: %s\n", path.c_str(), std::strerror(error));
    }
    return written;
}
