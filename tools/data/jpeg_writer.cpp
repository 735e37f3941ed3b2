// Writes a canvas as a baseline JPEG with libjpeg, byte for byte the same on every run.
#include "jpeg_writer.h"

#include "whole_file.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace {

// High enough that the light maps' red channel (their alpha) and the title pictures' blue ground
// come back within a few levels of what was drawn.
constexpr int jpeg_quality = 95;

// The library's error manager, extended by the file being written for the message.
struct WriterErrors {
    jpeg_error_mgr manager;
    const char* path;
};

// The library cannot continue after an error; the tool ends with its one-line report.
void exit_on_error(j_common_ptr info)
{
    const WriterErrors* errors = reinterpret_cast<const WriterErrors*>(info->err);
    char message[JMSG_LENGTH_MAX];
    info->err->format_message(info, message);
    std::fprintf(stderr, "ninescenes-data: cannot write %s: %s\n", errors->path, message);
    std::exit(1);
}

JSAMPLE to_sample(float channel) { return static_cast<JSAMPLE>(std::lround(clamp01(channel) * 255.0f)); }

void set_fixed_parameters(jpeg_compress_struct& info, const Canvas& canvas)
{
    info.image_width = static_cast<JDIMENSION>(canvas.width);
    info.image_height = static_cast<JDIMENSION>(canvas.height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, jpeg_quality, TRUE);
    // Full-resolution chroma: the title pictures keep their alpha in the blue channel.
    for (int c = 0; c < info.num_components; ++c) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
    }
    info.dct_method = JDCT_ISLOW;
    info.optimize_coding = TRUE;
}

}  // namespace

bool write_jpeg(const std::string& path, const Canvas& canvas)
{
    jpeg_compress_struct info;
    WriterErrors errors;
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = exit_on_error;
    errors.path = path.c_str();
    jpeg_create_compress(&info);
    unsigned char* bytes = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &bytes, &size);
    set_fixed_parameters(info, canvas);
    jpeg_start_compress(&info, TRUE);

    std::vector<JSAMPLE> row(static_cast<size_t>(canvas.width) * 3);
    while (info.next_scanline < info.image_height) {
        const Colour* source = &canvas.pixels[static_cast<size_t>(info.next_scanline) * canvas.width];
        for (int x = 0; x < canvas.width; ++x) {
            row[3 * x] = to_sample(source[x].r);
            row[3 * x + 1] = to_sample(source[x].g);
            row[3 * x + 2] = to_sample(source[x].b);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    bool written = write_whole_file(path, bytes, size);
    std::free(bytes);
    return written;
}
