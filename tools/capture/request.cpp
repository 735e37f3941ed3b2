// The capture tool's command line: outputs, the range and its rate, moments and key toggles.
#include "request.h"

#include "show/clock.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <numeric>

static constexpr const char* usage =
    "usage: ninescenes-capture [--out FILE.mp4] [--png DIR] [--wav FILE.wav] [--contact-sheet FILE.png]"
    " [--from SECONDS] [--to SECONDS] [--fps RATE] [--toggle B@SECONDS|J@SECONDS] [--at SECONDS,...]"
    " [--step SECONDS] [--trails] [--dct] [--overwrite] [--help]";
static constexpr const char* help_text =
    "Renders the show offscreen, frame-exact: the demo time advances one frame step per frame.\n"
    "  --out FILE.mp4          an H.264 video of the range with its soundtrack (through ffmpeg)\n"
    "  --png DIR               a PNG file per frame of the range: DIR/000000.png, 000001.png, ...\n"
    "  --wav FILE.wav          the soundtrack of the range, 16-bit stereo at 44100 Hz\n"
    "  --contact-sheet FILE    one PNG picture of a frame from the middle of each scene\n"
    "  --from, --to SECONDS    the range (default the whole show, 0 to 240), rounded to whole frames\n"
    "  --fps RATE              frames per second: 60 (default), 30, 29.97, 60000/1001, ...\n"
    "  --toggle B@SECONDS      presses B (feedback trails) at that moment; J@SECONDS presses J\n"
    "  --at SECONDS,...        with --png: only these moments, named by the millisecond\n"
    "  --step SECONDS          with --at: the frame step instead of 1/60 s\n"
    "  --trails, --dct         the same as --toggle B@0, --toggle J@0\n"
    "  --overwrite             with --png: replace the frames an earlier capture left in DIR\n"
    "Frames before the range are drawn but not kept, so what carries from frame to frame is as in\n"
    "a whole-show capture. Outputs appear under their names only when the capture has succeeded.\n";

static constexpr int longest_number = 9;  // digits on either side of a rate or a step
static constexpr long long highest_rate = 1000;  // frames per second
static const std::string value_options[] = {"--out", "--png",  "--wav", "--contact-sheet", "--at",
                                            "--toggle", "--from", "--to",  "--fps", "--step"};

[[noreturn]] static void refuse(const std::string& why)
{
    std::fprintf(stderr, "ninescenes-capture: %s (see --help)\n", why.c_str());
    std::exit(1);
}

double frame_time(const FrameRate& rate, long long n)
{
    return static_cast<double>(n) * static_cast<double>(rate.seconds) / static_cast<double>(rate.frames);
}

long long nearest_frame(const FrameRate& rate, double t)
{
    return std::llround(t * static_cast<double>(rate.frames) / static_cast<double>(rate.seconds));
}

long long moment_number(double moment) { return std::llround(moment * 1000.0); }

// A positive decimal ("29.97", "0.5") as numerator / denominator; false for anything else.
static bool parse_decimal(const std::string& text, long long* numerator, long long* denominator)
{
    size_t point = text.find('.');
    std::string whole = text.substr(0, point);
    std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
    std::string digits = whole + fraction;
    if (digits.empty() || digits.size() > longest_number || (point != std::string::npos && fraction.empty())
        || digits.find_first_not_of("0123456789") != std::string::npos)
        return false;
    *numerator = std::atoll(digits.c_str());
    *denominator = 1;
    for (size_t i = 0; i < fraction.size(); ++i)
        *denominator *= 10;
    return *numerator > 0;
}

// "60", "29.97" or "60000/1001", in lowest terms. Each side has at most nine digits, so neither
// product can overflow.
static bool parse_ratio(const std::string& text, long long* numerator, long long* denominator)
{
    size_t slash = text.find('/');
    long long a, b, c = 1, d = 1;
    if (!parse_decimal(text.substr(0, slash), &a, &b)
        || (slash != std::string::npos && !parse_decimal(text.substr(slash + 1), &c, &d)))
        return false;
    long long common = std::gcd(a * d, b * c);
    *numerator = a * d / common;
    *denominator = b * c / common;
    return true;
}

static double demo_time_of(const std::string& option, const std::string& text)
{
    double t = 0.0;
    if (!parse_demo_time(text.c_str(), &t))
        refuse(option + " takes a time in seconds from 0 to " + std::to_string(int(show_end)) + ", not '" + text + "'");
    return t;
}

static std::vector<double> parse_moments(const std::string& list)
{
    std::vector<double> moments;
    size_t start = 0;
    while (start <= list.size()) {
        size_t comma = std::min(list.find(',', start), list.size());
        moments.push_back(demo_time_of("--at", list.substr(start, comma - start)));
        start = comma + 1;
    }
    std::sort(moments.begin(), moments.end());
    for (size_t i = 1; i < moments.size(); ++i)
        if (moment_number(moments[i]) == moment_number(moments[i - 1])) {
            char name[32];
            std::snprintf(name, sizeof name, "%06lld.png", moment_number(moments[i]));
            refuse("--at " + list + ": two moments would both be " + name + " (moments are named by the millisecond)");
        }
    return moments;
}

static Toggle parse_toggle(const std::string& text)
{
    char key = text.empty() ? '\0' : static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    if (text.size() < 3 || text[1] != '@' || (key != 'B' && key != 'J'))
        refuse("--toggle takes B@SECONDS or J@SECONDS, not '" + text + "'");
    return {demo_time_of("--toggle", text.substr(2)), key};
}

bool wants_range_frames(const CaptureRequest& request)
{
    return !request.video.empty() || (!request.png_directory.empty() && request.moments.empty());
}

// The soundtrack is cut to the range too.
static bool uses_range(const CaptureRequest& request) { return wants_range_frames(request) || !request.wav.empty(); }

// The options as given, before they are checked against each other.
struct GivenOptions {
    CaptureRequest request;
    double from = 0.0;
    double to = show_end;
    bool range_given = false;
    bool rate_given = false;
    bool step_given = false;
};

static void read_option(GivenOptions& given, const std::string& option, const std::string& value)
{
    CaptureRequest& request = given.request;
    if (option == "--out")
        request.video = value;
    else if (option == "--png")
        request.png_directory = value;
    else if (option == "--wav")
        request.wav = value;
    else if (option == "--contact-sheet")
        request.contact_sheet = value;
    else if (option == "--at")
        request.moments = parse_moments(value);
    else if (option == "--toggle")
        request.toggles.push_back(parse_toggle(value));
    else if (option == "--from" || option == "--to") {
        (option == "--from" ? given.from : given.to) = demo_time_of(option, value);
        given.range_given = true;
    } else {
        long long a, b;
        if (!parse_ratio(value, &a, &b))
            refuse(option + " takes a positive number or ratio, not '" + value + "'");
        // A rate is frames per seconds; a step is seconds per frame.
        request.rate = option == "--fps" ? FrameRate{a, b} : FrameRate{b, a};
        (option == "--fps" ? given.rate_given : given.step_given) = true;
    }
}

static void check_combination(GivenOptions& given)
{
    CaptureRequest& request = given.request;
    if (request.video.empty() && request.png_directory.empty() && request.wav.empty() && request.contact_sheet.empty())
        refuse("nothing to capture: give --out, --png, --wav or --contact-sheet");
    if (!request.moments.empty()) {
        if (request.png_directory.empty() || !request.video.empty() || !request.wav.empty() || given.range_given
            || given.rate_given)
            refuse("--at goes with --png only, not with --out, --wav, --from, --to or --fps");
    } else if (given.step_given) {
        refuse("--step goes with --at; a range takes --fps");
    }
    if (request.overwrite && request.png_directory.empty())
        refuse("--overwrite goes with --png");
    // In floating point: a rate of nine digits over nine digits times a thousand overflows a long long.
    if (double(request.rate.frames) > double(highest_rate) * double(request.rate.seconds))
        refuse("at most " + std::to_string(highest_rate) + " frames per second");
    request.first_frame = nearest_frame(request.rate, given.from);
    request.end_frame = nearest_frame(request.rate, given.to);
    if (uses_range(request) && request.end_frame <= request.first_frame) {
        char range[160];
        std::snprintf(range, sizeof range, "no frame lies between %g and %g s at %lld/%lld frames per second",
                      given.from, given.to, request.rate.frames, request.rate.seconds);
        refuse(range);
    }
    std::stable_sort(request.toggles.begin(), request.toggles.end(),
                     [](const Toggle& a, const Toggle& b) { return a.moment < b.moment; });
}

CaptureRequest parse_capture_request(int argc, char** argv)
{
    GivenOptions given;
    for (int i = 1; i < argc; ++i) {
        std::string option = argv[i];
        if (option == "--help") {
            std::printf("%s\n%s", usage, help_text);
            std::exit(0);
        } else if (option == "--overwrite") {
            given.request.overwrite = true;
        } else if (option == "--trails" || option == "--dct") {
            given.request.toggles.push_back({0.0, option == "--trails" ? 'B' : 'J'});
        } else if (std::find(std::begin(value_options), std::end(value_options), option) == std::end(value_options)) {
            refuse("unknown option '" + option + "'");
        } else if (i + 1 == argc) {
            refuse(option + " needs a value");
        } else {
            read_option(given, option, argv[++i]);
        }
    }
    check_combination(given);
    return given.request;
}
