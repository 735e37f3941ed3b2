// The portable block transforms and requantisation: plain 16- and 32-bit integer arithmetic
// that gives, bit for bit, what the packed 16-bit implementation gives.
#include "effects/dct_blocks.h"

#include "effects/dct_passes.h"

#include <algorithm>

static int16_t idct_scratch[block_values];

static int16_t saturate16(int32_t value)
{
    return static_cast<int16_t>(std::clamp<int32_t>(value, INT16_MIN, INT16_MAX));
}

// One 16-bit value as a lane of the shared column passes.
struct ScalarLanes {
    using V = int16_t;
    static V add(V a, V b) { return saturate16(int32_t{a} + b); }
    static V sub(V a, V b) { return saturate16(int32_t{a} - b); }
    static V shl(V a, int n) { return static_cast<V>(static_cast<uint16_t>(static_cast<uint16_t>(a) << n)); }
    static V mulhi(V a, int16_t k) { return static_cast<V>((int32_t{a} * k) >> 16); }
    static V odd(V a) { return static_cast<V>(a | 1); }
    static V sar(V a, int n) { return static_cast<V>(a >> n); }
};

// The weighted sum of four inputs, wrapping around in 32 bits as packed multiply-adds do.
static int32_t weighted_sum(int row, const WeightPattern pattern, const int16_t in[4])
{
    uint32_t sum = 0;
    for (int j = 0; j < 4; ++j)
        sum += static_cast<uint32_t>(int32_t{row_weight(row, pattern[j])} * in[j]);
    return static_cast<int32_t>(sum);
}

static int32_t wrapping_add(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

static int32_t wrapping_sub(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

template <void pass(int16_t*)>
static void each_column(int16_t* block)
{
    for (int column = 0; column < block_size; ++column) {
        int16_t x[block_size];
        for (int row = 0; row < block_size; ++row)
            x[row] = block[row * block_size + column];
        pass(x);
        for (int row = 0; row < block_size; ++row)
            block[row * block_size + column] = x[row];
    }
}

static void forward_row(int row, int16_t* x)
{
    using L = ScalarLanes;
    const int16_t sums[4] = {L::add(x[0], x[7]), L::add(x[1], x[6]), L::add(x[2], x[5]), L::add(x[3], x[4])};
    const int16_t differences[4] = {L::sub(x[0], x[7]), L::sub(x[1], x[6]), L::sub(x[2], x[5]),
                                    L::sub(x[3], x[4])};
    for (int k = 0; k < block_size; ++k) {
        int32_t sum = weighted_sum(row, forward_row_patterns[k], k % 2 == 0 ? sums : differences);
        x[k] = static_cast<int16_t>(saturate16(wrapping_add(sum, forward_row_rounder) >> forward_row_shift) >>
                                    forward_final_shift);
    }
}

static void inverse_row(int row, const int16_t* x, int16_t* y)
{
    const int16_t even[4] = {x[0], x[2], x[4], x[6]};
    const int16_t odd[4] = {x[1], x[3], x[5], x[7]};
    for (int i = 0; i < 4; ++i) {
        int32_t a = wrapping_add(weighted_sum(row, inverse_even_patterns[i], even), inverse_row_rounders[row]);
        int32_t b = weighted_sum(row, inverse_odd_patterns[i], odd);
        y[i] = saturate16(wrapping_add(a, b) >> inverse_row_shift);
        y[7 - i] = saturate16(wrapping_sub(a, b) >> inverse_row_shift);
    }
}

void fdct_8x8(int16_t block[block_values])
{
    each_column<forward_columns<ScalarLanes>>(block);
    for (int row = 0; row < block_size; ++row)
        forward_row(row, block + row * block_size);
}

void idct_8x8(int16_t block[block_values])
{
    for (int row = 0; row < block_size; ++row)
        inverse_row(row, block + row * block_size, idct_scratch + row * block_size);
    std::copy_n(idct_scratch, block_values, block);
    each_column<inverse_columns<ScalarLanes>>(block);
}

// Rounds each coefficient to its nearest multiple of the step (the level in Q16 arithmetic),
// keeping the low 16 bits of the product. A zero coefficient stays zero.
static void requantise(int16_t block[block_values])
{
    for (int k = 0; k < block_values; ++k) {
        int32_t level = (int32_t{quant_recip[k]} * block[k] + quant_one / 2) >> 16;
        block[k] = static_cast<int16_t>(static_cast<uint16_t>(level * quant_step[k]));
    }
}

static void requantise_block(const uint8_t* in, uint8_t* out, int channel)
{
    int16_t block[block_values];
    for (int y = 0; y < block_size; ++y)
        for (int x = 0; x < block_size; ++x)
            block[y * block_size + x] = in[y * band_row_bytes + x * 4 + channel];
    fdct_8x8(block);
    requantise(block);
    idct_8x8(block);
    for (int y = 0; y < block_size; ++y)
        for (int x = 0; x < block_size; ++x)
            out[y * band_row_bytes + x * 4 + channel] =
                static_cast<uint8_t>(std::clamp<int16_t>(block[y * block_size + x], 0, 255));
}

void requantise_blocks_portable(const uint8_t* in, uint8_t* out)
{
    for (int channel = 0; channel < colour_channels; ++channel)
        for (int block_row = 0; block_row < band_block_rows; ++block_row)
            for (int block_column = 0; block_column < band_block_columns; ++block_column) {
                int offset = block_offset(block_row, block_column);
                requantise_block(in + offset, out + offset, channel);
            }
}
