// Finding the data set: the named directory, the working directory's data/, the installed set beside
// the program, the source tree's data/ for a program in its build tree.
#include "assets/data_directory.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <filesystem>

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

static std::string running_program()
{
    std::error_code error;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : program.string();
}

DataPlaces this_program_places()
{
    return {running_program(), NINESCENES_BUILD_TREE, NINESCENES_SOURCE_TREE, NINESCENES_INSTALLED_DATA};
}

static bool is_inside(const std::string& path, const std::string& tree)
{
    return path.size() > tree.size() && path.compare(0, tree.size(), tree) == 0 && path[tree.size()] == '/';
}

std::vector<std::string> data_candidates(const char* given, const DataPlaces& places)
{
    if (given)
        return {given};
    std::vector<std::string> candidates = {data_name};
    if (!places.program.empty()) {
        std::filesystem::path beside = std::filesystem::path(places.program).parent_path() / places.installed_data;
        candidates.push_back(beside.lexically_normal().string());
    }
    if (is_inside(places.program, places.build_tree))
        candidates.push_back(places.source_tree + "/" + data_name);
    return candidates;
}

bool find_data_directory(const char* given, const DataPlaces& places)
{
    std::vector<std::string> candidates = data_candidates(given, places);
    std::string looked_in;
    for (const std::string& place : candidates) {
        if (is_directory(place)) {
            data_directory = place;
            return true;
        }
        looked_in += (looked_in.empty() ? "" : ", ") + (place == data_name ? working_directory() + "/" + place : place);
    }
    std::fprintf(stderr, "ninescenes: no data directory; looked in %s\n", looked_in.c_str());
    return false;
}

std::string data_file(const std::string& name) { return data_directory + "/" + name; }
