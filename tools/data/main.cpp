// ninescenes-data [--if-stale] OUTDIR: generates the show's data set into OUTDIR. With --if-stale it
// does nothing when every file is there and newer than the generator itself (what the build runs).
// ninescenes-data --icon SIZE FILE.png: paints the program's icon at SIZE × SIZE pixels.
// Every run writes the same bytes: nothing depends on the time, and all randomness has a fixed seed.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "icon.h"
#include "meshes.h"
#include "music.h"
#include "pictures.h"

namespace fs = std::filesystem;

namespace {

// One part of the data set: the files it writes, and the routine that writes them into the output
// directory, which returns false after reporting a failure on standard error.
struct GenerationStep {
    void (*list_outputs)(std::vector<std::string>& names);
    bool (*write)(const std::string& out_dir);
};

const GenerationStep steps[] = {
    {list_pictures, write_pictures},
    {list_meshes, write_meshes},
    {list_music, write_music},
};

bool make_out_dir(const std::string& out_dir)
{
    std::error_code error;
    fs::create_directories(out_dir, error);
    if (error || !fs::is_directory(out_dir, error)) {
        std::fprintf(stderr, "ninescenes-data: cannot create directory %s\n", out_dir.c_str());
        return false;
    }
    return true;
}

// True when a file is missing or older than this program: a changed generator makes new data.
bool data_is_stale(const std::string& out_dir)
{
    std::error_code error;
    fs::file_time_type generator = fs::last_write_time("/proc/self/exe", error);
    if (error)
        return true;
    std::vector<std::string> names;
    for (const GenerationStep& step : steps)
        step.list_outputs(names);
    for (const std::string& name : names) {
        fs::file_time_type written = fs::last_write_time(out_dir + "/" + name, error);
        if (error || written < generator)
            return true;
    }
    return false;
}

}  // namespace

// The largest icon the desktop's themes use.
constexpr int largest_icon = 1024;

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "--icon") {
        int size = std::atoi(argv[2]);
        if (size < 1 || size > largest_icon) {
            std::fprintf(stderr, "ninescenes-data: an icon is 1 to %d pixels on a side, not '%s'\n", largest_icon, argv[2]);
            return 1;
        }
        return write_icon(size, argv[3]) ? 0 : 1;
    }
    bool only_if_stale = argc == 3 && std::string(argv[1]) == "--if-stale";
    if (argc != 2 && !only_if_stale) {
        std::fprintf(stderr, "usage: ninescenes-data [--if-stale] OUTDIR | --icon SIZE FILE.png\n");
        return 1;
    }
    const std::string out_dir = argv[argc - 1];
    if (only_if_stale && !data_is_stale(out_dir))
        return 0;
    if (!make_out_dir(out_dir))
        return 1;
    std::printf("ninescenes-data: generating the show's data set into %s\n", out_dir.c_str());
    // The steps share nothing, so they run side by side.
    constexpr size_t step_count = sizeof steps / sizeof steps[0];
    bool succeeded[step_count] = {};
    std::vector<std::thread> workers;
    for (size_t i = 0; i < step_count; ++i)
        workers.emplace_back([&succeeded, &out_dir, i] { succeeded[i] = steps[i].write(out_dir); });
    for (std::thread& worker : workers)
        worker.join();
    for (bool step_succeeded : succeeded)
        if (!step_succeeded)
            return 1;
    return 0;
}
