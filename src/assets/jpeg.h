// Decoding a JPEG file into packed 8-bit RGB, rows from the top down, no padding.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

constexpr const char* jpeg_log_path = "jpeg.err";

// No picture of the show comes near these: a header claiming more is damaged, not a picture to
// spend memory and time on.
constexpr unsigned largest_picture_side = 4096;
constexpr long long largest_picture_pixels = static_cast<long long>(largest_picture_side) * largest_picture_side;
constexpr long largest_decoder_memory = 128L << 20;
constexpr int largest_scan_count = 64;

// A picture's file takes at most its pixels uncompressed (3 bytes each) and 64 KiB of headers and
// metadata: the decoding time grows with the bytes, and no JPEG of a picture needs more.
constexpr long long largest_file_bytes(long long pixels) { return 3 * pixels + (64 << 10); }

struct DecodedPicture {
    std::vector<unsigned char> rgb;
    int width = 0, height = 0;
};

// Decodes a picture of at most max_pixels; false with the reason in why when it cannot be used (the
// file cannot be opened or is not a regular file, it is larger than largest_file_bytes(max_pixels),
// the decoder gives up, the picture is too large or has too many scans). Size and pixels are checked
// before anything is decoded. Every decoder message, warnings included, goes to standard error and
// is appended to jpeg.err; a warning alone (a truncated file, say) still yields the picture.
bool decode_jpeg_file(const char* path, DecodedPicture& picture, std::string& why,
                      long long max_pixels = largest_picture_pixels);
bool decode_jpeg_bytes(const unsigned char* bytes, size_t size, DecodedPicture& picture, std::string& why,
                       long long max_pixels = largest_picture_pixels);

// Decodes a picture of the show, or ends the program with status 1 and one line naming the picture
// and the reason.
std::vector<unsigned char> load_jpeg(const char* path, int* width, int* height,
                                     long long max_pixels = largest_picture_pixels);
