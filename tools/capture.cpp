// Renders the show offscreen, frame by frame with a fixed step of demo time, and writes PNG files
// of chosen moments: ninescenes-capture --png DIR --at 12.5,40,237 [--step S] [--trails] [--dct]
#include "assets/textures.h"
#include "png_frames.h"
#include "show/clock.h"
#include "show/demo.h"
#include "show/director.h"
#include "platform/offscreen.h"
#include "show/view.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <vector>

static constexpr double default_step = 1.0 / 60.0;
static constexpr const char* usage =
    "usage: ninescenes-capture --png DIR --at SECONDS[,SECONDS...] [--step SECONDS] [--trails] [--dct]";

struct CaptureRequest {
    std::string directory;
    std::vector<double> moments;
    double step = default_step;
    bool trails = false;
    bool dct = false;
};

[[noreturn]] static void refuse(const std::string& why)
{
    std::fprintf(stderr, "ninescenes-capture: %s\n%s\n", why.c_str(), usage);
    std::exit(1);
}

static double parse_seconds(const std::string& text)
{
    char* end = nullptr;
    double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(value) || value < 0)
        refuse("not a time in seconds: '" + text + "'");
    return value;
}

static std::vector<double> parse_moments(const std::string& list)
{
    std::vector<double> moments;
    size_t start = 0;
    while (start <= list.size()) {
        size_t comma = list.find(',', start);
        if (comma == std::string::npos)
            comma = list.size();
        moments.push_back(parse_seconds(list.substr(start, comma - start)));
        start = comma + 1;
    }
    std::sort(moments.begin(), moments.end());
    return moments;
}

static CaptureRequest parse_arguments(int argc, char** argv)
{
    CaptureRequest request;
    for (int i = 1; i < argc; ++i) {
        std::string flag = argv[i];
        bool has_value = i + 1 < argc;
        if (flag == "--png" && has_value)
            request.directory = argv[++i];
        else if (flag == "--at" && has_value)
            request.moments = parse_moments(argv[++i]);
        else if (flag == "--step" && has_value)
            request.step = parse_seconds(argv[++i]);
        else if (flag == "--trails")
            request.trails = true;
        else if (flag == "--dct")
            request.dct = true;
        else
            refuse("unexpected argument '" + flag + "'");
    }
    if (request.directory.empty() || request.moments.empty())
        refuse("both --png and --at are needed");
    if (request.step <= 0)
        refuse("the step must be above 0");
    return request;
}

static void make_directory(const std::string& directory)
{
    if (mkdir(directory.c_str(), 0777) != 0 && errno != EEXIST)
        refuse("cannot create " + directory + ": " + std::strerror(errno));
}

static std::string frame_name(const std::string& directory, double moment)
{
    char name[32];
    std::snprintf(name, sizeof name, "/%06ld.png", std::lround(moment * 1000.0));
    return directory + name;
}

int main(int argc, char** argv)
{
    CaptureRequest request = parse_arguments(argc, argv);
    make_directory(request.directory);
    if (!open_offscreen_context(screen_width, screen_height))
        return 1;
    set_view(screen_width, screen_height);
    init_gl_and_textures();
    init_demo();
    trails_on = request.trails;
    dct_on = request.dct;

    double t = 0.0;
    long frame = 0;
    draw_frame_at(t, request.step);
    for (double moment : request.moments) {
        while ((frame + 1) * request.step <= moment) {
            double next = ++frame * request.step;
            draw_frame_at(next, next - t);
            t = next;
        }
        if (moment > t) {
            draw_frame_at(moment, moment - t);
            t = moment;
        }
        std::string path = frame_name(request.directory, moment);
        if (!write_png(path, read_frame_rgba(screen_width, screen_height), screen_width, screen_height))
            return 1;
        std::printf("%s\n", path.c_str());
    }
    return 0;
}
