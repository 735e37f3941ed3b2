// Opening the show's data files, regular files only.
#include "assets/data_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int open_regular_file(const char* path, int flags)
{
    int fd = open(path, flags | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0)
        return -1;
    struct stat status;
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        close(fd);
        errno = EINVAL;
        return -1;
    }
    return fd;
}

std::string open_failure(int error) { return error == EINVAL ? "not a regular file" : std::strerror(error); }

bool read_data_file(const char* path, size_t max_bytes, std::vector<unsigned char>& bytes, std::string& why)
{
    int fd = open_regular_file(path, O_RDONLY);
    if (fd < 0) {
        why = open_failure(errno);
        return false;
    }
    bytes.resize(max_bytes);
    size_t got = 0;
    while (got < max_bytes) {
        ssize_t n = read(fd, bytes.data() + got, max_bytes - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            why = std::strerror(errno);
            close(fd);
            return false;
        }
        if (n == 0)
            break;
        got += static_cast<size_t>(n);
    }
    close(fd);
    bytes.resize(got);
    return true;
}
