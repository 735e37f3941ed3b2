// The show's pictures: decoded once at start-up and kept as GL textures for the whole run.
#pragma once

#include "assets/jpeg.h"
#include "assets/picture_table.h"

#include <GL/gl.h>

#include <cstdint>

// One GL texture name per picture of the picture table, named after the picture.
struct TextureSet {
#define NINESCENES_TEXTURE_SLOT(name, ...) GLuint name;
    NINESCENES_PICTURES(NINESCENES_TEXTURE_SLOT)
#undef NINESCENES_TEXTURE_SLOT
};
extern TextureSet textures;

// A texel packed as the bytes R, G, B, A in memory order (little-endian: R in the low byte).
uint32_t convert_texel(TexelConversion conversion, uint8_t r, uint8_t g, uint8_t b);
uint32_t convert_backdrop_texel(TexelConversion conversion, uint8_t r, uint8_t g, uint8_t b);
uint8_t texel_channel(uint32_t texel, int channel);

struct PictureSize {
    int width, height;
};
// The picture a backdrop loader expects for its arguments, and the texture it copies it into.
// size is the long side; layout is wide_backdrop or tall_backdrop.
PictureSize backdrop_picture_size(int size, PictureLayout layout);
PictureSize backdrop_texture_size(int size, PictureLayout layout);

// Each ends the program with a one-line message and status 1 when the picture cannot be used; a
// picture at its own size may hold at most max_pixels, a backdrop exactly its layout's.
GLuint load_texture(const char* path, int bytes_per_pixel, TexelConversion conversion, Mipmaps mipmaps,
                    long long max_pixels = largest_picture_pixels);
GLuint load_background_texture(const char* path, int size, PictureLayout layout, TexelConversion conversion,
                               Mipmaps mipmaps);

// Every picture of the table, in its order, into the texture set.
void load_textures();
