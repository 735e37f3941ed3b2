// Decoding a JPEG file into packed 8-bit RGB, rows from the top down, no padding.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

constexpr const char* jpeg_log_path = "jpeg.err";

// No picture of the show comes near these: a header claiming more is damaged, not a picture to
// spend memory and time on.
constexpr unsigned largest_picture_side = 4096;
constexpr long largest_decoder_memory = 128L << 20;
constexpr int largest_scan_count = 64;

struct DecodedPicture {
    std::vector<unsigned char> rgb;
    int width = 0, height = 0;
};

// Decodes a picture; false with the reason in why when it cannot be used (the file cannot be
// opened or is not a regular file, the decoder gives up, the picture is too large or has too many
// scans). Every decoder message, warnings included, goes to standard error and is appended to
// jpeg.err; a warning alone (a truncated file, say) still yields the picture.
bool decode_jpeg_file(const char* path, DecodedPicture& picture, std::string& why);
bool decode_jpeg_bytes(const unsigned char* bytes, size_t size, DecodedPicture& picture, std::string& why);

// Decodes a picture of the show, or ends the program with status 1 and one line naming the picture
// and the reason.
std::vector<unsigned char> load_jpeg(const char* path, int* width, int* height);
