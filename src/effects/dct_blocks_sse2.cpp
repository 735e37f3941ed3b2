// The block loop packed for x86-64 with SSE2: eight 16-bit lanes at a time, saturating adds,
// high-half multiplies and multiply-adds into 32 bits; the same bytes as the portable loop.
#include "effects/dct_blocks.h"

#include "effects/dct_passes.h"

#include <emmintrin.h>

using V = __m128i;

// Eight 16-bit values as the lanes of the shared column passes.
struct PackedLanes {
    using V = __m128i;
    static V add(V a, V b) { return _mm_adds_epi16(a, b); }
    static V sub(V a, V b) { return _mm_subs_epi16(a, b); }
    static V shl(V a, int n) { return _mm_slli_epi16(a, n); }
    static V mulhi(V a, int16_t k) { return _mm_mulhi_epi16(a, _mm_set1_epi16(k)); }
    static V odd(V a) { return _mm_or_si128(a, _mm_set1_epi16(1)); }
    static V sar(V a, int n) { return _mm_srai_epi16(a, n); }
};

// A block is eight registers. In the column passes register i is row i (lane x = column x); the
// row passes work on the transpose, register j being column j and lane r row r, so they too go
// down the lanes, each lane with its own row's constants.
constexpr int halves = 2;         // a multiply-add covers four rows: rows 0 … 3, then 4 … 7
constexpr int rows_per_half = 4;
constexpr int pairs = 2;          // four weighted inputs make two interleaved pairs

// The weights of one row pass output: for each pair of inputs and each half, the lanes
// (w_a, w_b) of four rows, ready for a multiply-add against the interleaved pair.
struct OutputWeights {
    alignas(16) int16_t lanes[pairs][halves][8];
};

constexpr OutputWeights output_weights(const WeightPattern pattern)
{
    OutputWeights w{};
    for (int pair = 0; pair < pairs; ++pair)
        for (int half = 0; half < halves; ++half)
            for (int r = 0; r < rows_per_half; ++r) {
                int row = half * rows_per_half + r;
                w.lanes[pair][half][2 * r] = row_weight(row, pattern[2 * pair]);
                w.lanes[pair][half][2 * r + 1] = row_weight(row, pattern[2 * pair + 1]);
            }
    return w;
}

struct RowPassWeights {
    OutputWeights forward[8], inverse_even[4], inverse_odd[4];
};

constexpr RowPassWeights make_row_pass_weights()
{
    RowPassWeights w{};
    for (int k = 0; k < 8; ++k)
        w.forward[k] = output_weights(forward_row_patterns[k]);
    for (int i = 0; i < 4; ++i) {
        w.inverse_even[i] = output_weights(inverse_even_patterns[i]);
        w.inverse_odd[i] = output_weights(inverse_odd_patterns[i]);
    }
    return w;
}

static constexpr RowPassWeights row_pass_weights = make_row_pass_weights();

// The quantiser tables transposed to match the coefficients' layout: [v][u].
struct TransposedQuant {
    alignas(16) int16_t step[8][8];
    alignas(16) int16_t recip[8][8];
};

constexpr TransposedQuant make_transposed_quant()
{
    TransposedQuant q{};
    for (int u = 0; u < 8; ++u)
        for (int v = 0; v < 8; ++v) {
            q.step[v][u] = quant_step[u * 8 + v];
            q.recip[v][u] = quant_recip[u * 8 + v];
        }
    return q;
}

static constexpr TransposedQuant transposed_quant = make_transposed_quant();

static V load(const int16_t* lanes) { return _mm_load_si128(reinterpret_cast<const V*>(lanes)); }

[[gnu::always_inline]] inline static void transpose(V x[8])
{
    V a0 = _mm_unpacklo_epi16(x[0], x[1]), a1 = _mm_unpackhi_epi16(x[0], x[1]);
    V a2 = _mm_unpacklo_epi16(x[2], x[3]), a3 = _mm_unpackhi_epi16(x[2], x[3]);
    V a4 = _mm_unpacklo_epi16(x[4], x[5]), a5 = _mm_unpackhi_epi16(x[4], x[5]);
    V a6 = _mm_unpacklo_epi16(x[6], x[7]), a7 = _mm_unpackhi_epi16(x[6], x[7]);
    V b0 = _mm_unpacklo_epi32(a0, a2), b1 = _mm_unpackhi_epi32(a0, a2);
    V b2 = _mm_unpacklo_epi32(a1, a3), b3 = _mm_unpackhi_epi32(a1, a3);
    V b4 = _mm_unpacklo_epi32(a4, a6), b5 = _mm_unpackhi_epi32(a4, a6);
    V b6 = _mm_unpacklo_epi32(a5, a7), b7 = _mm_unpackhi_epi32(a5, a7);
    x[0] = _mm_unpacklo_epi64(b0, b4), x[1] = _mm_unpackhi_epi64(b0, b4);
    x[2] = _mm_unpacklo_epi64(b1, b5), x[3] = _mm_unpackhi_epi64(b1, b5);
    x[4] = _mm_unpacklo_epi64(b2, b6), x[5] = _mm_unpackhi_epi64(b2, b6);
    x[6] = _mm_unpacklo_epi64(b3, b7), x[7] = _mm_unpackhi_epi64(b3, b7);
}

// Four inputs interleaved in pairs (a, b) and (c, d), for rows 0 … 3 and 4 … 7.
struct Pairs {
    V v[halves][pairs];
};

static Pairs interleave(V a, V b, V c, V d)
{
    return {{{_mm_unpacklo_epi16(a, b), _mm_unpacklo_epi16(c, d)},
             {_mm_unpackhi_epi16(a, b), _mm_unpackhi_epi16(c, d)}}};
}

// Four rows' weighted sums, wrapping in 32 bits.
static V weighted_sum(const Pairs& in, int half, const OutputWeights& w)
{
    return _mm_add_epi32(_mm_madd_epi16(in.v[half][0], load(w.lanes[0][half])),
                         _mm_madd_epi16(in.v[half][1], load(w.lanes[1][half])));
}

// The row's rounding, shift by 16, clamp and shift by 4 in one: the 32-bit sum shifted by 16 always
// fits in 16 bits, so the clamp never acts and the two shifts make one of 20.
static void forward_rows(V x[8])
{
    const Pairs sums = interleave(_mm_adds_epi16(x[0], x[7]), _mm_adds_epi16(x[1], x[6]),
                                  _mm_adds_epi16(x[2], x[5]), _mm_adds_epi16(x[3], x[4]));
    const Pairs differences = interleave(_mm_subs_epi16(x[0], x[7]), _mm_subs_epi16(x[1], x[6]),
                                         _mm_subs_epi16(x[2], x[5]), _mm_subs_epi16(x[3], x[4]));
    const V rounder = _mm_set1_epi32(forward_row_rounder);
    for (int k = 0; k < 8; ++k) {
        const Pairs& in = k % 2 == 0 ? sums : differences;
        V half_sums[halves];
        for (int half = 0; half < halves; ++half)
            half_sums[half] = _mm_srai_epi32(_mm_add_epi32(weighted_sum(in, half, row_pass_weights.forward[k]), rounder),
                                             forward_row_shift + forward_final_shift);
        x[k] = _mm_packs_epi32(half_sums[0], half_sums[1]);
    }
}

static V inverse_row_rounder(int half)
{
    return _mm_loadu_si128(reinterpret_cast<const V*>(inverse_row_rounders + half * rows_per_half));
}

// The inverse rows pair their inputs low columns with low: (x0, x2) and (x1, x3), then (x4, x6) and
// (x5, x7). Coarse quantisation leaves columns 4 … 7 zero in nearly every block; there their
// multiply-adds would only add zeros, and are left out.
template <bool high_columns>
static void inverse_rows(V x[8])
{
    const Pairs even = interleave(x[0], x[2], x[4], x[6]);
    const Pairs odd = interleave(x[1], x[3], x[5], x[7]);
    for (int i = 0; i < 4; ++i) {
        const OutputWeights& even_weights = row_pass_weights.inverse_even[i];
        const OutputWeights& odd_weights = row_pass_weights.inverse_odd[i];
        V plus[halves], minus[halves];
        for (int half = 0; half < halves; ++half) {
            V a = _mm_add_epi32(_mm_madd_epi16(even.v[half][0], load(even_weights.lanes[0][half])),
                                inverse_row_rounder(half));
            V b = _mm_madd_epi16(odd.v[half][0], load(odd_weights.lanes[0][half]));
            if (high_columns) {
                a = _mm_add_epi32(a, _mm_madd_epi16(even.v[half][1], load(even_weights.lanes[1][half])));
                b = _mm_add_epi32(b, _mm_madd_epi16(odd.v[half][1], load(odd_weights.lanes[1][half])));
            }
            plus[half] = _mm_srai_epi32(_mm_add_epi32(a, b), inverse_row_shift);
            minus[half] = _mm_srai_epi32(_mm_sub_epi32(a, b), inverse_row_shift);
        }
        x[i] = _mm_packs_epi32(plus[0], plus[1]);
        x[7 - i] = _mm_packs_epi32(minus[0], minus[1]);
    }
}

// With only the DC coefficient left, as in most blocks, every row of the inverse row pass is flat at
// its first output, c4·x0 + the row's rounder, shifted and clamped: one value per row, broadcast
// along it, already in the column pass's layout.
static void inverse_flat_rows(V x[8])
{
    const V zero = _mm_setzero_si128();
    const OutputWeights& weights = row_pass_weights.inverse_even[0];
    V row_values[halves];
    for (int half = 0; half < halves; ++half) {
        V dc = half == 0 ? _mm_unpacklo_epi16(x[0], zero) : _mm_unpackhi_epi16(x[0], zero);
        row_values[half] = _mm_srai_epi32(
            _mm_add_epi32(_mm_madd_epi16(dc, load(weights.lanes[0][half])), inverse_row_rounder(half)),
            inverse_row_shift);
    }
    V rows = _mm_packs_epi32(row_values[0], row_values[1]);
    V low = _mm_unpacklo_epi16(rows, rows), high = _mm_unpackhi_epi16(rows, rows);
    x[0] = _mm_shuffle_epi32(low, 0x00), x[1] = _mm_shuffle_epi32(low, 0x55);
    x[2] = _mm_shuffle_epi32(low, 0xAA), x[3] = _mm_shuffle_epi32(low, 0xFF);
    x[4] = _mm_shuffle_epi32(high, 0x00), x[5] = _mm_shuffle_epi32(high, 0x55);
    x[6] = _mm_shuffle_epi32(high, 0xAA), x[7] = _mm_shuffle_epi32(high, 0xFF);
}

static bool all_zero(V v) { return _mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_setzero_si128())) == 0xFFFF; }

static bool only_dc(const V x[8])
{
    const V all_but_first = _mm_set_epi16(-1, -1, -1, -1, -1, -1, -1, 0);
    V ac = _mm_and_si128(x[0], all_but_first);
    for (int v = 1; v < 8; ++v)
        ac = _mm_or_si128(ac, x[v]);
    return all_zero(ac);
}

static bool any_high_columns(const V x[8])
{
    return !all_zero(_mm_or_si128(_mm_or_si128(x[4], x[5]), _mm_or_si128(x[6], x[7])));
}

// level = (R·F + 2^15) >> 16 is the product's high half plus the top bit of its low half; the
// level times the step keeps its low 16 bits. A zero coefficient stays zero.
static void requantise(V x[8])
{
    for (int v = 0; v < 8; ++v) {
        V recip = load(transposed_quant.recip[v]);
        V level = _mm_add_epi16(_mm_mulhi_epi16(x[v], recip), _mm_srli_epi16(_mm_mullo_epi16(x[v], recip), 15));
        x[v] = _mm_mullo_epi16(level, load(transposed_quant.step[v]));
    }
}

// The inverse transform takes the shortest of three exact ways: most blocks keep only their DC
// coefficient, and nearly all the rest nothing in columns 4 … 7.
static void requantise_channel(V x[8])
{
    forward_columns<PackedLanes>(x);
    transpose(x);
    forward_rows(x);
    requantise(x);
    if (only_dc(x)) {
        inverse_flat_rows(x);
    } else {
        if (any_high_columns(x))
            inverse_rows<true>(x);
        else
            inverse_rows<false>(x);
        transpose(x);
    }
    inverse_columns<PackedLanes>(x);
}

// The three colour channels of one block's rows, widened from the RGBA bytes to 16-bit lanes: three
// rounds of byte interleaving sort a row's eight pixels into eight reds, greens, blues and alphas.
static void gather(const uint8_t* from, V channels[colour_channels][8])
{
    const V zero = _mm_setzero_si128();
    for (int y = 0; y < block_size; ++y) {
        V left = _mm_loadu_si128(reinterpret_cast<const V*>(from + y * band_row_bytes));
        V right = _mm_loadu_si128(reinterpret_cast<const V*>(from + y * band_row_bytes + 16));
        V a = _mm_unpacklo_epi8(left, right), b = _mm_unpackhi_epi8(left, right);
        V c = _mm_unpacklo_epi8(a, b), d = _mm_unpackhi_epi8(a, b);
        V red_green = _mm_unpacklo_epi8(c, d), blue_alpha = _mm_unpackhi_epi8(c, d);
        channels[0][y] = _mm_unpacklo_epi8(red_green, zero);
        channels[1][y] = _mm_unpackhi_epi8(red_green, zero);
        channels[2][y] = _mm_unpacklo_epi8(blue_alpha, zero);
    }
}

// Back to RGBA bytes: the unsigned saturating pack is the clamp to 0 … 255; alpha is kept.
static void scatter(const V channels[colour_channels][8], uint8_t* to)
{
    const V alpha = _mm_set1_epi32(static_cast<int>(0xFF000000u));  // the fourth byte of each pixel
    const V zero = _mm_setzero_si128();
    for (int y = 0; y < block_size; ++y) {
        V red = _mm_packus_epi16(channels[0][y], zero);
        V green = _mm_packus_epi16(channels[1][y], zero);
        V blue = _mm_packus_epi16(channels[2][y], zero);
        V red_green = _mm_unpacklo_epi8(red, green);
        V blue_none = _mm_unpacklo_epi8(blue, zero);
        V* row = reinterpret_cast<V*>(to + y * band_row_bytes);
        V left = _mm_unpacklo_epi16(red_green, blue_none), right = _mm_unpackhi_epi16(red_green, blue_none);
        _mm_storeu_si128(row, _mm_or_si128(left, _mm_and_si128(_mm_loadu_si128(row), alpha)));
        _mm_storeu_si128(row + 1, _mm_or_si128(right, _mm_and_si128(_mm_loadu_si128(row + 1), alpha)));
    }
}

void requantise_blocks(const uint8_t* in, uint8_t* out)
{
    for (int block_row = 0; block_row < band_block_rows; ++block_row)
        for (int block_column = 0; block_column < band_block_columns; ++block_column) {
            int offset = block_offset(block_row, block_column);
            V channels[colour_channels][8];
            gather(in + offset, channels);
            for (V* channel : channels)
                requantise_channel(channel);
            scatter(channels, out + offset);
        }
}
