// Writes a spoilt copy of a JPEG picture for the bad-data runs of the show: the same picture at
// three quarters of its size, at twice its width and height (the most a picture may grow), one
// column more than that, in greyscale, in CMYK or arithmetic-coded (which the show cannot use).
// usage: spoil_picture resized|doubled|over|greyscale|cmyk|arithmetic IN.jpg OUT.jpg
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "jpeg_encoder.h"

struct Picture {
    std::vector<unsigned char> rgb;
    int width = 0, height = 0;
};

static bool read_picture(const char* path, Picture& picture)
{
    std::FILE* file = std::fopen(path, "rb");
    if (!file)
        return false;
    jpeg_decompress_struct decoder;
    jpeg_error_mgr errors;
    decoder.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&decoder);
    jpeg_stdio_src(&decoder, file);
    jpeg_read_header(&decoder, TRUE);
    decoder.out_color_space = JCS_RGB;
    jpeg_start_decompress(&decoder);
    picture.width = static_cast<int>(decoder.output_width);
    picture.height = static_cast<int>(decoder.output_height);
    picture.rgb.resize(static_cast<size_t>(picture.width) * picture.height * 3);
    while (decoder.output_scanline < decoder.output_height) {
        JSAMPROW row = &picture.rgb[static_cast<size_t>(decoder.output_scanline) * picture.width * 3];
        jpeg_read_scanlines(&decoder, &row, 1);
    }
    jpeg_finish_decompress(&decoder);
    jpeg_destroy_decompress(&decoder);
    std::fclose(file);
    return true;
}

// The picture's pixels in the output's colour space, nearest-sampled to width × height.
static std::vector<unsigned char> samples(const Picture& in, int width, int height, J_COLOR_SPACE space)
{
    int components = components_of(space);
    std::vector<unsigned char> out;
    out.reserve(static_cast<size_t>(width) * height * components);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const unsigned char* p = &in.rgb[(static_cast<size_t>(y * in.height / height) * in.width +
                                              static_cast<size_t>(x * in.width / width)) * 3];
            if (space == JCS_GRAYSCALE) {
                out.push_back(static_cast<unsigned char>((p[0] * 3 + p[1] * 6 + p[2]) / 10));
            } else if (space == JCS_CMYK) {
                for (int c = 0; c < 3; ++c)
                    out.push_back(static_cast<unsigned char>(255 - p[c]));
                out.push_back(0);
            } else {
                out.insert(out.end(), p, p + 3);
            }
        }
    return out;
}

static bool write_picture(const char* path, const std::vector<unsigned char>& pixels, int width, int height,
                          const JpegKind& kind)
{
    const std::string bytes = encode_jpeg(pixels, width, height, kind);
    std::FILE* file = std::fopen(path, "wb");
    bool written = file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return file && std::fclose(file) == 0 && written;
}

// Each way of spoiling a picture: its new size as a fraction of the old (plus extra columns), and
// how it is encoded.
struct Spoil {
    const char* name;
    int numerator, denominator, extra_columns;
    JpegKind kind;
};

static const Spoil spoils[] = {
    {"resized", 3, 4, 0, {}},
    {"doubled", 2, 1, 0, {}},
    {"over", 2, 1, 1, {}},
    {"greyscale", 1, 1, 0, {JCS_GRAYSCALE}},
    {"cmyk", 1, 1, 0, {JCS_CMYK}},
    {"arithmetic", 1, 1, 0, {JCS_RGB, false, true}},
};

int main(int argc, char** argv)
{
    Picture picture;
    const Spoil* spoil = nullptr;
    for (const Spoil& candidate : spoils)
        if (argc == 4 && std::strcmp(argv[1], candidate.name) == 0)
            spoil = &candidate;
    if (!spoil || !read_picture(argv[2], picture)) {
        std::fprintf(stderr, "usage: spoil_picture resized|doubled|over|greyscale|cmyk|arithmetic IN.jpg OUT.jpg\n");
        return 1;
    }
    int width = picture.width * spoil->numerator / spoil->denominator + spoil->extra_columns;
    int height = picture.height * spoil->numerator / spoil->denominator;
    const JpegKind& kind = spoil->kind;
    return write_picture(argv[3], samples(picture, width, height, kind.colour_space), width, height, kind) ? 0 : 1;
}
