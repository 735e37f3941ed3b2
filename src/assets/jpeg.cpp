// JPEG decoding with libjpeg: messages to standard error and jpeg.err, damaged pictures refused.
#include "assets/jpeg.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

// Every decoder message goes to standard error and is appended to jpeg.err, which is opened
// and closed for each message so that nothing is lost when an error ends the program.
static void log_decoder_message(j_common_ptr decoder)
{
    char line[JMSG_LENGTH_MAX];
    (*decoder->err->format_message)(decoder, line);
    std::fprintf(stderr, "%s\n", line);
    if (std::FILE* log = std::fopen(jpeg_log_path, "a")) {
        std::fprintf(log, "%s\n", line);
        std::fclose(log);
    }
}

// No picture of the show comes near this; a header claiming more is damaged, not a picture to allocate for.
static constexpr JDIMENSION largest_picture_side = 4096;

[[noreturn]] static void refuse(const char* path, const char* why)
{
    std::fprintf(stderr, "ninescenes: cannot use picture %s: %s\n", path, why);
    std::exit(1);
}

std::vector<unsigned char> load_jpeg(const char* path, int* width, int* height)
{
    jpeg_decompress_struct decoder;
    jpeg_error_mgr errors;
    decoder.err = jpeg_std_error(&errors);
    errors.output_message = log_decoder_message;
    jpeg_create_decompress(&decoder);

    std::FILE* file = std::fopen(path, "rb");
    if (!file)
        refuse(path, std::strerror(errno));
    jpeg_stdio_src(&decoder, file);
    jpeg_read_header(&decoder, TRUE);
    // Greyscale pictures are widened to RGB by the decoder; anything it cannot deliver as RGB
    // (CMYK, for one) stops in its error exit with a message.
    decoder.out_color_space = JCS_RGB;
    jpeg_start_decompress(&decoder);
    if (decoder.output_components != 3)
        refuse(path, "not decodable as RGB");
    if (decoder.output_width > largest_picture_side || decoder.output_height > largest_picture_side)
        refuse(path, "picture too large");

    *width = static_cast<int>(decoder.output_width);
    *height = static_cast<int>(decoder.output_height);
    size_t row_bytes = static_cast<size_t>(*width) * 3;
    std::vector<unsigned char> picture(row_bytes * decoder.output_height);
    JSAMPARRAY row = (*decoder.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&decoder), JPOOL_IMAGE,
                                                  static_cast<JDIMENSION>(row_bytes), 1);
    while (decoder.output_scanline < decoder.output_height) {
        size_t y = decoder.output_scanline;
        jpeg_read_scanlines(&decoder, row, 1);
        std::memcpy(&picture[y * row_bytes], row[0], row_bytes);
    }
    jpeg_finish_decompress(&decoder);
    jpeg_destroy_decompress(&decoder);
    std::fclose(file);
    return picture;
}
