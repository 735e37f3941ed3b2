// The show's pictures: decoded once at start-up and kept as GL textures for the whole run.
#pragma once

#include <GL/gl.h>

#include <cstdint>

// One GL texture name per picture, named after the picture.
struct TextureSet {
    GLuint lighttex1, lighttex3, wobllighttex, blob1, blob2, wobl, mag, refl1, refl2, tunnel;
    GLuint circletex, circletex2, linetex, scrolltex;
    GLuint scrolltausta, wobltausta, blobitausta, pyoritystausta, border, loppukuva;
    GLuint details, quembly;
};
extern TextureSet textures;

// The accumulated rotation of the tunnel: 16 doubles, GL column-major; identity after start-up.
extern double tunnel_orientation[16];

// Conversion mode: the low three bits pick the pixel conversion, bit 8 asks for mipmaps.
constexpr int conversion_bits = 7;
constexpr int mipmap_bit = 8;

// A texel packed as the bytes R, G, B, A in memory order (little-endian: R in the low byte).
uint32_t convert_texel(int mode, uint8_t r, uint8_t g, uint8_t b);
uint32_t convert_backdrop_texel(int mode, uint8_t r, uint8_t g, uint8_t b);
uint8_t texel_channel(uint32_t texel, int channel);

struct PictureSize {
    int width, height;
};
// The picture a backdrop loader expects for its arguments, and the texture it copies it into.
PictureSize backdrop_picture_size(int size, int tall);
PictureSize backdrop_texture_size(int size, int tall);

// Each ends the program with a one-line message and status 1 when the picture cannot be used.
GLuint load_texture(const char* path, int bytes_per_pixel, int mode);
GLuint load_background_texture(const char* path, int size, int tall, int mode);

// Fixed GL state, every picture, and the tunnel orientation. Always returns true.
bool init_gl_and_textures();
