// JPEG bytes made in memory from given pixels, in each of the kinds the show's decoder meets: for
// the picture tests, the fuzzers' seeds and the spoilt pictures of the bad-data runs.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include <jpeglib.h>

struct JpegKind {
    J_COLOR_SPACE colour_space = JCS_RGB;  // its components: 1 grey, 3 RGB, 4 CMYK
    bool progressive = false;
    bool arithmetic = false;
    bool restarts = false;            // a restart marker after every MCU
    bool scan_per_component = false;  // three single-component scans, RGB only
};

int components_of(J_COLOR_SPACE space);

// `pixels` holds width × height × components bytes, the top row first.
std::string encode_jpeg(const std::vector<unsigned char>& pixels, int width, int height, const JpegKind& kind = {});
