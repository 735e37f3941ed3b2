// Finding the data set: the working directory first, then the repository the program was built from.
#include "assets/data_directory.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>

const char* const built_repository_root = NINESCENES_REPOSITORY_ROOT;
std::string data_directory = "data";

static constexpr const char* data_name = "data";

static bool is_directory(const std::string& path)
{
    struct stat status;
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

static std::string working_directory()
{
    char path[PATH_MAX];
    return getcwd(path, sizeof path) ? path : ".";
}

bool find_data_directory(const char* repository_root)
{
    std::string built = std::string(repository_root) + "/" + data_name;
    for (const std::string& place : {std::string(data_name), built})
        if (is_directory(place)) {
            data_directory = place;
            return true;
        }
    std::fprintf(stderr, "ninescenes: no data directory, neither %s/%s nor %s\n", working_directory().c_str(),
                 data_name, built.c_str());
    return false;
}

std::string data_file(const std::string& name) { return data_directory + "/" + name; }
