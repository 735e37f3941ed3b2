// What a capture is asked to make, read from its command line.
#pragma once

#include "show/timeline.h"

#include <string>
#include <vector>

// Frames per second as a ratio, so that rates such as 60000/1001 are exact.
struct FrameRate {
    long long frames;
    long long seconds;
};
// The demo time of frame n: frames are numbered from the start of the show.
double frame_time(const FrameRate& rate, long long n);
// The frame nearest to demo time t.
long long nearest_frame(const FrameRate& rate, double t);
// A moment of --at is named by its millisecond: 2.5 s is 002500.png.
long long moment_number(double moment);

// Key B (trails) or J (block band) switched at a moment of the show.
struct Toggle {
    double moment;
    char key;
};

struct CaptureRequest {
    FrameRate rate = {60, 1};
    // The range, rounded to whole frames: frames first_frame … end_frame − 1.
    long long first_frame = 0;
    long long end_frame = 0;
    std::string video;          // H.264 video with the soundtrack
    std::string png_directory;  // a PNG file per frame of the range, or per moment of --at
    std::string wav;            // the soundtrack of the range
    std::string contact_sheet;  // a frame from the middle of each scene
    std::vector<double> moments;  // --at: single moments instead of a range, in ascending order
    std::vector<Toggle> toggles;  // in ascending order of their moments
    bool overwrite = false;       // earlier frames in png_directory are replaced
};

// Refuses a bad command line with one line on standard error and status 1; --help ends with 0.
CaptureRequest parse_capture_request(int argc, char** argv);

// True when the range's frames are written somewhere (a video or PNG frames of the range).
bool wants_range_frames(const CaptureRequest& request);
