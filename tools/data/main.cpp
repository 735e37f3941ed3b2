// ninescenes-data [--if-stale] OUTDIR: generates the show's data set into OUTDIR. With --if-stale it
// does nothing when the set is whole: its manifest is there, newer than the generator itself, and
// agrees with every file (what the build runs). Every run writes the same bytes: nothing depends on
// the time, and all randomness has a fixed seed.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <vector>

#include "meshes.h"
#include "music.h"
#include "pictures.h"
#include "whole_file.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* usage = "usage: ninescenes-data [--if-stale] OUTDIR";

// Written last, removed first: the names, sizes and checksums of a set written whole. Each line is
// "NAME SIZE CHECKSUM", the checksum 64-bit FNV-1a in hexadecimal.
constexpr const char* manifest_name = "manifest";

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

struct Options {
    bool only_if_stale = false;
    std::string out_dir;
};

bool parse_options(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "--if-stale")
            options.only_if_stale = true;
        else if (argument.empty() || argument[0] == '-' || !options.out_dir.empty())
            return false;
        else
            options.out_dir = argument;
    }
    return !options.out_dir.empty();
}

bool make_out_dir(const std::string& out_dir)
{
    std::error_code error;
    fs::create_directories(out_dir, error);
    if (!error && !fs::is_directory(out_dir, error))
        error = std::make_error_code(std::errc::not_a_directory);
    if (error) {
        std::fprintf(stderr, "ninescenes-data: cannot create directory %s: %s\n", out_dir.c_str(),
                     error.message().c_str());
        return false;
    }
    return true;
}

uint64_t checksum(const std::string& bytes)
{
    uint64_t hash = 0xcbf29ce484222325u;
    for (unsigned char byte : bytes)
        hash = (hash ^ byte) * 0x100000001b3u;
    return hash;
}

// Only a regular file is read, so that a FIFO in place of one cannot block the build.
bool read_file(const std::string& path, std::string& bytes)
{
    std::error_code error;
    if (!fs::is_regular_file(path, error))
        return false;
    std::ifstream file(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return file.is_open() && !file.bad();
}

// The manifest of the files as they are now; false when one cannot be read.
bool describe_files(const std::string& out_dir, std::string& manifest)
{
    std::vector<std::string> names;
    for (const GenerationStep& step : steps)
        step.list_outputs(names);
    for (const std::string& name : names) {
        std::string bytes;
        if (!read_file(out_dir + "/" + name, bytes))
            return false;
        char line[64];
        std::snprintf(line, sizeof line, " %zu %016llx\n", bytes.size(),
                      static_cast<unsigned long long>(checksum(bytes)));
        manifest += name + line;
    }
    return true;
}

// True when the manifest is missing, older than this program (a changed generator makes new data)
// or disagrees with a file: one cut short, left by a failed run, or put in place by hand.
bool data_is_stale(const std::string& out_dir)
{
    std::error_code error;
    std::string manifest_path = out_dir + "/" + manifest_name;
    fs::file_time_type generator = fs::last_write_time("/proc/self/exe", error);
    if (error)
        return true;
    fs::file_time_type written_at = fs::last_write_time(manifest_path, error);
    std::string written, found;
    return error || written_at < generator || !read_file(manifest_path, written) || !describe_files(out_dir, found)
        || found != written;
}

// The steps share nothing, so they run side by side.
bool write_files(const std::string& out_dir)
{
    constexpr size_t step_count = sizeof steps / sizeof steps[0];
    bool succeeded[step_count] = {};
    std::vector<std::thread> workers;
    for (size_t i = 0; i < step_count; ++i)
        workers.emplace_back([&succeeded, &out_dir, i] { succeeded[i] = steps[i].write(out_dir); });
    for (std::thread& worker : workers)
        worker.join();
    for (bool step_succeeded : succeeded)
        if (!step_succeeded)
            return false;
    return true;
}

bool write_manifest(const std::string& out_dir)
{
    std::string manifest;
    if (!describe_files(out_dir, manifest)) {
        std::fprintf(stderr, "ninescenes-data: cannot read back the data set in %s\n", out_dir.c_str());
        return false;
    }
    return write_whole_file(out_dir + "/" + manifest_name, manifest.data(), manifest.size());
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!parse_options(argc, argv, options)) {
        std::fprintf(stderr, "%s\n", usage);
        return 1;
    }
    const std::string& out_dir = options.out_dir;
    if (options.only_if_stale && !data_is_stale(out_dir))
        return 0;
    if (!make_out_dir(out_dir))
        return 1;
    std::string manifest_path = out_dir + "/" + manifest_name;
    if (unlink(manifest_path.c_str()) != 0 && errno != ENOENT) {
        std::fprintf(stderr, "ninescenes-data: cannot remove %s: %s\n", manifest_path.c_str(), std::strerror(errno));
        return 1;
    }
    std::printf("ninescenes-data: generating the show's data set into %s\n", out_dir.c_str());
    return write_files(out_dir) && write_manifest(out_dir) ? 0 : 1;
}
