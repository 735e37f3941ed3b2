#include "jpeg_encoder.h"

#include <cstdlib>

int components_of(J_COLOR_SPACE space) { return space == JCS_GRAYSCALE ? 1 : space == JCS_CMYK ? 4 : 3; }

static void set_kind(jpeg_compress_struct& encoder, const JpegKind& kind)
{
    static jpeg_scan_info one_scan_each[3] = {{1, {0}, 0, 63, 0, 0}, {1, {1}, 0, 63, 0, 0}, {1, {2}, 0, 63, 0, 0}};
    if (kind.progressive)
        jpeg_simple_progression(&encoder);
    encoder.arith_code = kind.arithmetic;
    if (kind.restarts)
        encoder.restart_interval = 1;
    if (kind.scan_per_component) {
        encoder.scan_info = one_scan_each;
        encoder.num_scans = 3;
    }
}

std::string encode_jpeg(const std::vector<unsigned char>& pixels, int width, int height, const JpegKind& kind)
{
    jpeg_compress_struct encoder;
    jpeg_error_mgr errors;
    encoder.err = jpeg_std_error(&errors);
    jpeg_create_compress(&encoder);
    unsigned char* bytes = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&encoder, &bytes, &size);
    encoder.image_width = width;
    encoder.image_height = height;
    encoder.input_components = components_of(kind.colour_space);
    encoder.in_color_space = kind.colour_space;
    jpeg_set_defaults(&encoder);
    set_kind(encoder, kind);
    jpeg_start_compress(&encoder, TRUE);
    const size_t row_bytes = static_cast<size_t>(width) * encoder.input_components;
    for (int y = 0; y < height; ++y) {
        JSAMPROW row = const_cast<unsigned char*>(&pixels[y * row_bytes]);
        jpeg_write_scanlines(&encoder, &row, 1);
    }
    jpeg_finish_compress(&encoder);
    std::string encoded(reinterpret_cast<char*>(bytes), size);
    std::free(bytes);
    jpeg_destroy_compress(&encoder);
    return encoded;
}
