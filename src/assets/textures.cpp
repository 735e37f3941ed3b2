// The texture set: every picture of the picture table decoded, converted texel by texel and uploaded.
#include "assets/textures.h"

#include "assets/data_directory.h"
#include "assets/jpeg.h"
#include "assets/screen.h"

#include <GL/glu.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

TextureSet textures;

#define NINESCENES_TEXTURE_SLOT(name, ...) &TextureSet::name,
static GLuint TextureSet::*const texture_slots[picture_count] = {NINESCENES_PICTURES(NINESCENES_TEXTURE_SLOT)};
#undef NINESCENES_TEXTURE_SLOT

static constexpr int gl_four_components = 4;
static constexpr int backdrop_rows = screen_height;          // a wide backdrop is one screen high
static constexpr int tall_backdrop_columns = screen_width;   // a tall one is one screen wide
static constexpr int wide_texture_height = screen_texture_height;
static constexpr int narrow_texture_width = screen_texture_width;
static constexpr int broad_texture_width = 2048;
static constexpr int tall_texture_height = 2048;

static uint32_t pack_texel(uint32_t r, uint32_t g, uint32_t b, uint32_t a)
{
    return r | g << 8 | b << 16 | a << 24;
}

uint8_t texel_channel(uint32_t texel, int channel) { return static_cast<uint8_t>(texel >> (8 * channel)); }

uint32_t convert_texel(TexelConversion conversion, uint8_t r, uint8_t g, uint8_t b)
{
    switch (conversion) {
    case TexelConversion::alpha_from_red:
        return pack_texel(r, g, b, static_cast<uint32_t>(std::abs(2 * r - 255)));
    case TexelConversion::swapped_rgb:
        return pack_texel(b, g, r, 255);
    case TexelConversion::grey_from_green:
        return pack_texel(g, g, g, 255u - b);
    default:
        return pack_texel(r, g, b, 255);
    }
}

uint32_t convert_backdrop_texel(TexelConversion conversion, uint8_t r, uint8_t g, uint8_t b)
{
    switch (conversion) {
    case TexelConversion::swapped_rgb:
        return pack_texel(b, g, r, 255);
    case TexelConversion::black_mask:
        return pack_texel(0, 0, 0, 255u - g);
    default:
        return pack_texel(r, g, b, 255);
    }
}

PictureSize backdrop_picture_size(int size, PictureLayout layout)
{
    return layout == PictureLayout::tall_backdrop ? PictureSize{tall_backdrop_columns, size} : PictureSize{size, backdrop_rows};
}

PictureSize backdrop_texture_size(int size, PictureLayout layout)
{
    if (layout == PictureLayout::tall_backdrop)
        return {narrow_texture_width, tall_texture_height};
    return {size <= narrow_texture_width ? narrow_texture_width : broad_texture_width, wide_texture_height};
}

static GLuint upload_texture(const std::vector<uint32_t>& texels, int width, int height, Mipmaps mipmaps)
{
    GLuint name;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    if (mipmaps == Mipmaps::mipmapped) {
        gluBuild2DMipmaps(GL_TEXTURE_2D, gl_four_components, width, height, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    } else {
        glTexImage2D(GL_TEXTURE_2D, 0, gl_four_components, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     texels.data());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    }
    return name;
}

// The decoded picture is released before the upload, so that at most the texels and the driver's
// copy of them are held at once.
GLuint load_texture(const char* path, int bytes_per_pixel, TexelConversion conversion, Mipmaps mipmaps,
                    long long max_pixels)
{
    int width, height;
    std::vector<uint32_t> texels;
    {
        std::vector<unsigned char> picture = load_jpeg(path, &width, &height, max_pixels);
        texels.resize(static_cast<size_t>(width) * height);
        for (size_t i = 0; i < texels.size(); ++i) {
            const unsigned char* p = &picture[i * bytes_per_pixel];
            texels[i] = convert_texel(conversion, p[0], p[1], p[2]);
        }
    }
    return upload_texture(texels, width, height, mipmaps);
}

GLuint load_background_texture(const char* path, int size, PictureLayout layout, TexelConversion conversion,
                               Mipmaps mipmaps)
{
    PictureSize expected = backdrop_picture_size(size, layout);
    PictureSize texture = backdrop_texture_size(size, layout);
    std::vector<uint32_t> texels(static_cast<size_t>(texture.width) * texture.height, 0);
    {
        int decoded_width, decoded_height;
        std::vector<unsigned char> picture = load_jpeg(path, &decoded_width, &decoded_height,
                                                       static_cast<long long>(expected.width) * expected.height);
        if (decoded_width != expected.width || decoded_height != expected.height) {
            std::fprintf(stderr, "ninescenes: picture %s is %d x %d, expected %d x %d\n", path, decoded_width,
                         decoded_height, expected.width, expected.height);
            std::exit(1);
        }
        for (int r = 0; r < expected.height; ++r)
            for (int c = 0; c < expected.width; ++c) {
                const unsigned char* p = &picture[(static_cast<size_t>(r) * expected.width + c) * 3];
                texels[static_cast<size_t>(r) * texture.width + c] =
                    convert_backdrop_texel(conversion, p[0], p[1], p[2]);
            }
    }
    return upload_texture(texels, texture.width, texture.height, mipmaps);
}

static constexpr int rgb_bytes = 3;

static GLuint load_picture(const PictureEntry& picture)
{
    std::string file = data_file(std::string(picture.name) + picture_extension);
    const char* path = file.c_str();
    if (picture.layout == PictureLayout::own_size)
        return load_texture(path, rgb_bytes, picture.conversion, picture.mipmaps, picture.accepted_pixels());
    return load_background_texture(path, picture.backdrop_size(), picture.layout, picture.conversion, picture.mipmaps);
}

void load_textures()
{
    for (int i = 0; i < picture_count; ++i)
        textures.*texture_slots[i] = load_picture(picture_table[i]);
}
