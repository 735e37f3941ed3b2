// The block work of the artefact band: a fixed-point 8 × 8 DCT and its inverse, and the coarse
// requantisation of every block of each colour channel of a band of RGBA pixels.
#pragma once

#include "assets/screen.h"

#include <array>
#include <cstdint>

// The band: 160 pixels wide and the frame's height (480), RGBA, one byte a channel, 640 bytes a row,
// bottom row first (as GL reads it back), cut into 20 × 60 blocks of 8 × 8 pixels.
constexpr int band_width = 160;
constexpr int band_height = screen_height;
constexpr int band_row_bytes = band_width * 4;
constexpr int band_bytes = band_row_bytes * band_height;
constexpr int block_size = 8;
constexpr int block_values = block_size * block_size;
constexpr int band_block_columns = band_width / block_size;
constexpr int band_block_rows = band_height / block_size;
constexpr int colour_channels = 3;

// Where a block's bottom-left pixel lies in the band, in bytes.
constexpr int block_offset(int block_row, int block_column)
{
    return block_row * block_size * band_row_bytes + block_column * block_size * 4;
}

// The standard JPEG luminance quantisation table, row-major.
constexpr int32_t jpeg_luminance_table[block_values] = {
    16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
    14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
    18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
    49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99,
};
// Far coarser than any ordinary picture coder would quantise.
constexpr int quant_scale = 10;
constexpr int32_t quant_one = 65536;  // 1.0 in the reciprocals' Q16

using QuantTable = std::array<int16_t, block_values>;

constexpr QuantTable make_quant_step()
{
    QuantTable step{};
    for (int k = 0; k < block_values; ++k)
        step[k] = static_cast<int16_t>(jpeg_luminance_table[k] * quant_scale);
    return step;
}

constexpr QuantTable make_quant_recip()
{
    QuantTable recip{};
    for (int k = 0; k < block_values; ++k)
        recip[k] = static_cast<int16_t>(quant_one / (jpeg_luminance_table[k] * quant_scale));
    return recip;
}

// Quantiser steps, row-major (100 … 1210), and their Q16 reciprocals, truncated (409 for the
// first step, 160; 655 for 100).
inline constexpr QuantTable quant_step = make_quant_step();
inline constexpr QuantTable quant_recip = make_quant_recip();

// Both transforms work in place on 64 signed 16-bit values, row-major. Holding pixels, [y][x] is
// row y counted upwards and column x; holding coefficients, [u][v] is vertical frequency u and
// horizontal frequency v, scaled as in JPEG (a flat block of v gives [0][0] = 8v, to about ±0.6).
void fdct_8x8(int16_t block[block_values]);
void idct_8x8(int16_t block[block_values]);

// Every block of the red, green and blue channels of in, transformed, requantised, transformed
// back and clamped to 0 … 255, into the same place of out. The alpha bytes of out are not written.
// The portable implementation is the reference; requantise_blocks is the fastest on this processor
// and gives the same bytes.
void requantise_blocks_portable(const uint8_t* in, uint8_t* out);
void requantise_blocks(const uint8_t* in, uint8_t* out);
