// ninescenes-data OUTDIR: generates the show's data set (its pictures) into OUTDIR.
// Every run writes the same bytes: nothing depends on the time, and all randomness has a fixed seed.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "pictures.h"

namespace {

// One part of the data set, written into the output directory; returns false after reporting
// a failure on standard error.
using GenerationStep = bool (*)(const std::string& out_dir);

const GenerationStep steps[] = {
    write_pictures,
};

bool make_out_dir(const std::string& out_dir)
{
    std::error_code error;
    std::filesystem::create_directories(out_dir, error);
    if (error || !std::filesystem::is_directory(out_dir, error)) {
        std::fprintf(stderr, "ninescenes-data: cannot create directory %s\n", out_dir.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: ninescenes-data OUTDIR\n");
        return 1;
    }
    const std::string out_dir = argv[1];
    if (!make_out_dir(out_dir))
        return 1;
    for (const GenerationStep& step : steps)
        if (!step(out_dir))
            return 1;
    return 0;
}
