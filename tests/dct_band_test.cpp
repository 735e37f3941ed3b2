// The artefact band: its block transforms, the packed loop against the portable one, and the band
// drawn over whole frames of the show.
#include "effects/dct_band.h"
#include "effects/dct_passes.h"
#include "show/show_state.h"
#include "show/director.h"
#include "show_fixture.h"

#include <gtest/gtest.h>
#include <jpeglib.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

using Band = std::vector<uint8_t>;

template <class Pixel>
static Band band_of(Pixel pixel)
{
    Band band(band_bytes);
    for (int i = 0; i < band_bytes; ++i)
        band[i] = static_cast<uint8_t>(pixel(i / 4 % band_width, i / band_row_bytes, i % 4));
    return band;
}

TEST(DctBlocks, FlatBlocksComeBackFlatAtTheNearestMultipleOfTwenty)
{
    // Every block flat, channel c of block b at grey (b + 85c) mod 256: each level in many blocks.
    const Band in = band_of([](int x, int y, int c) { return (y / 8 * band_block_columns + x / 8 + 85 * c) % 256; });
    Band portable(band_bytes, 7), packed(band_bytes, 7);
    requantise_blocks_portable(in.data(), portable.data());
    requantise_blocks(in.data(), packed.data());
    for (int pixel = 0; pixel < band_width * band_height; ++pixel)
        for (int c = 0; c < colour_channels; ++c) {
            int v = in[pixel * 4 + c];
            int want = std::min(255, (v + 9) / 20 * 20);  // halves go down: 10 → 0, 30 → 20
            ASSERT_EQ(portable[pixel * 4 + c], want) << "grey " << v;
            ASSERT_EQ(packed[pixel * 4 + c], want) << "grey " << v;
        }
    int16_t block[block_values];
    std::fill_n(block, block_values, int16_t{100});
    fdct_8x8(block);
    EXPECT_EQ(block[0], 800) << "a flat block of 100 has a DC of 8 × 100";
}

// The quantiser is ten times the standard luminance table, which libjpeg scales by 100 % at quality
// 50. Rows 0 and 4 take ck = 2^14·√2·cos(kπ/16); rows r and 8 − r multiply that by √2·cos(rπ/16).
TEST(DctBlocks, ConstantsFollowTheStandardTableAndTheirRule)
{
    jpeg_compress_struct compressor;
    jpeg_error_mgr errors;
    compressor.err = jpeg_std_error(&errors);
    jpeg_create_compress(&compressor);
    compressor.in_color_space = JCS_RGB;
    jpeg_set_defaults(&compressor);
    jpeg_set_quality(&compressor, 50, TRUE);
    for (int k = 0; k < block_values; ++k) {
        EXPECT_EQ(quant_step[k], compressor.quant_tbl_ptrs[0]->quantval[k] * 10) << k;
        EXPECT_EQ(quant_recip[k], 65536 / quant_step[k]) << k;
    }
    jpeg_destroy_compress(&compressor);

    for (int row = 0; row < 8; ++row) {
        int r = row <= 4 ? row % 4 : 8 - row;
        double row_factor = r == 0 ? 1.0 : std::sqrt(2.0) * std::cos(r * M_PI / 16);
        for (int k = 1; k < 8; ++k)
            EXPECT_EQ(row_weight(row, k), std::lround(16384 * std::sqrt(2.0) * std::cos(k * M_PI / 16) * row_factor))
                << "row " << row << ", c" << k;
    }
}

// Extreme bands (flat black and white, checkerboards of both phases, single bright and dark spikes,
// stripes), random ones, faint noise and smooth waves.
static std::vector<Band> test_bands()
{
    std::mt19937 random(3);
    return {
        band_of([](int, int, int) { return 0; }),
        band_of([](int, int, int) { return 255; }),
        band_of([](int x, int y, int c) { return (x + y + c) % 2 * 255; }),
        band_of([](int x, int y, int c) { return (x % 13 == c && y % 11 == 5) * 255; }),
        band_of([](int x, int y, int c) { return 255 - (x % 13 == c && y % 11 == 5) * 255; }),
        band_of([](int x, int, int c) { return (x / (c + 1)) % 2 * 255; }),
        band_of([&](int, int, int) { return random() % 256; }),
        band_of([&](int, int, int) { return random() % 2 * 255; }),
        band_of([&](int, int, int) { return 120 + random() % 16; }),
        band_of([](int x, int y, int c) { return 128 + 120 * std::sin(x * 0.2 + c) * std::cos(y * 0.15); }),
    };
}

TEST(DctBlocks, TransformsWithoutQuantisationReturnEveryBlockWithinOne)
{
    for (const Band& band : test_bands())
        for (int row = 0; row < band_block_rows; ++row)
            for (int column = 0; column < band_block_columns; ++column)
                for (int c = 0; c < colour_channels; ++c) {
                    const uint8_t* origin = &band[block_offset(row, column) + c];
                    int16_t original[block_values], block[block_values];
                    for (int k = 0; k < block_values; ++k)
                        block[k] = original[k] = origin[k / block_size * band_row_bytes + k % block_size * 4];
                    fdct_8x8(block);
                    idct_8x8(block);
                    for (int k = 0; k < block_values; ++k)
                        ASSERT_LE(std::abs(block[k] - original[k]), 1) << "value " << k;
                }
}

TEST(DctBlocks, PackedLoopGivesThePortableBytes)
{
    std::mt19937 random(5);
    const std::vector<Band> bands = test_bands();
    for (size_t n = 0; n < bands.size(); ++n) {
        Band alpha = band_of([&](int, int, int) { return random() % 256; });
        Band portable = alpha, packed = alpha;
        requantise_blocks_portable(bands[n].data(), portable.data());
        requantise_blocks(bands[n].data(), packed.data());
        ASSERT_EQ(portable, packed) << "band " << n;
        for (int i = 3; i < band_bytes; i += 4)
            ASSERT_EQ(portable[i], alpha[i]) << "alpha written in band " << n;
    }
}

// The band as the frame shows it: rows from the bottom, columns from the band's left edge.
static Band band_of_frame(const Frame& frame)
{
    Band band(band_bytes);
    for (int y = 0; y < band_height; ++y)
        for (int x = 0; x < band_width; ++x)
            for (int c = 0; c < 4; ++c)
                band[(y * band_width + x) * 4 + c] = frame[((479 - y) * 640 + 416 + x) * 4 + c];
    return band;
}

TEST(DctBand, ReplacesOnlyColumns416To575WithTheirRequantisedBlocks)
{
    for (double t : {45.0, 220.0}) {
        shown().dct_on = false;
        draw_frame_at(shown(), t, 0.0);
        Frame plain = grab_frame();
        shown().dct_on = true;
        draw_frame_at(shown(), t, 0.0);
        Frame banded = grab_frame();
        shown().dct_on = false;
        draw_frame_at(shown(), t, 0.0);
        EXPECT_EQ(grab_frame(), plain) << "switched off, the frame is untouched";
        save_frame(banded, ("dct_band_" + std::to_string(static_cast<int>(t))).c_str());

        int changed_outside = 0, changed_inside = 0;
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x)
                for (int c = 0; c < 3; ++c) {
                    bool changed = banded[(y * 640 + x) * 4 + c] != plain[(y * 640 + x) * 4 + c];
                    (x >= 416 && x < 576 ? changed_inside : changed_outside) += changed;
                }
        EXPECT_EQ(changed_outside, 0) << "at " << t;
        EXPECT_GT(changed_inside, band_width * band_height) << "at " << t;

        Band want(band_bytes, 255);
        requantise_blocks_portable(band_of_frame(plain).data(), want.data());
        Band drawn = band_of_frame(banded);
        int differing = 0;
        for (int i = 0; i < band_bytes; ++i)
            differing += i % 4 != 3 && drawn[i] != want[i];
        EXPECT_EQ(differing, 0) << "at " << t;
    }
}
