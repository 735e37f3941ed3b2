// The arithmetic of the portable and the packed block transforms: their constants, the row passes'
// weights, and the column passes written once for any lane type (one 16-bit value, or eight).
#pragma once

#include <cstdint>

// Column pass constants, signed 16-bit: tan(π/16)·2^16, tan(2π/16)·2^16, (tan(3π/16) − 1)·2^16, and
// cos(π/4)·2^15.
constexpr int16_t tan1 = 13036;
constexpr int16_t tan2 = 27146;
constexpr int16_t tan3_minus_1 = -21746;
constexpr int16_t cos4 = 23170;

// The row passes' constants c1 … c7, indexed by k (c[0] is unused): rows 0 and 4 take
// ck = 2^14·√2·cos(kπ/16); rows r and 8 − r further multiply each by √2·cos(rπ/16); all rounded.
struct RowConstants {
    int16_t c[8];
};
constexpr RowConstants row_constant_groups[4] = {
    {{0, 22725, 21407, 19266, 16384, 12873, 8867, 4520}},
    {{0, 31521, 29692, 26722, 22725, 17855, 12299, 6270}},
    {{0, 29692, 27969, 25172, 21407, 16819, 11585, 5906}},
    {{0, 26722, 25172, 22654, 19266, 15137, 10426, 5315}},
};
constexpr int row_group[8] = {0, 1, 2, 3, 0, 3, 2, 1};

// A row pass output is a weighted sum of four inputs; each weight is ±ck, written as ±k.
using WeightPattern = int8_t[4];

// ±ck for every row, looked up as signed_row_constants[row][7 ± k].
struct SignedRowConstants {
    int16_t c[8][15];
};

constexpr SignedRowConstants make_signed_row_constants()
{
    SignedRowConstants table{};
    for (int row = 0; row < 8; ++row)
        for (int k = 0; k < 8; ++k) {
            int16_t c = row_constant_groups[row_group[row]].c[k];
            table.c[row][7 + k] = c;
            table.c[row][7 - k] = static_cast<int16_t>(-c);
        }
    return table;
}

inline constexpr SignedRowConstants signed_row_constants = make_signed_row_constants();

constexpr int16_t row_weight(int row, int signed_k) { return signed_row_constants.c[row][7 + signed_k]; }

// Forward rows: output k weighs the sums (s07, s16, s25, s34) when k is even and the differences
// (d07, d16, d25, d34) when k is odd. The sum is rounded by 2^19, shifted by 16, clamped to 16
// bits, then shifted by 4 more.
constexpr WeightPattern forward_row_patterns[8] = {
    {4, 4, 4, 4},  {1, 3, 5, 7},    {2, 6, -6, -2}, {3, -7, -1, -5},
    {4, -4, -4, 4}, {5, -1, 7, 3}, {6, -2, 2, -6}, {7, -5, 3, -1},
};
constexpr int32_t forward_row_rounder = 1 << 19;
constexpr int forward_row_shift = 16;
constexpr int forward_final_shift = 4;

// Inverse rows: a0 … a3 weigh (x0, x2, x4, x6) and add the row's rounder; b0 … b3 weigh
// (x1, x3, x5, x7). Then y_i = a_i + b_i and y_(7−i) = a_i − b_i, each shifted by 11 and clamped.
constexpr WeightPattern inverse_even_patterns[4] = {
    {4, 2, 4, 6}, {4, 6, -4, -2}, {4, -6, -4, 2}, {4, -2, 4, -6}};
constexpr WeightPattern inverse_odd_patterns[4] = {
    {1, 3, 5, 7}, {3, -7, -1, -5}, {5, -1, 7, 3}, {7, -5, 3, -1}};
constexpr int32_t inverse_row_rounders[8] = {65536, 3597, 2260, 1203, 0, 120, 512, 512};
constexpr int inverse_row_shift = 11;
constexpr int inverse_column_shift = 6;

// The column passes, on the values x[0] … x[7] of rows 0 … 7 of a column, in place. Lanes gives
// the 16-bit operations: add and sub saturate, shl keeps the low 16 bits, mulhi is the product's
// high half (rounded towards minus infinity), odd sets the lowest bit, sar shifts arithmetically.
template <class Lanes>
void forward_columns(typename Lanes::V x[8])
{
    using L = Lanes;
    using V = typename Lanes::V;
    V t07 = L::shl(L::add(x[0], x[7]), 3), t16 = L::shl(L::add(x[1], x[6]), 3);
    V t25 = L::shl(L::add(x[2], x[5]), 3), t34 = L::shl(L::add(x[3], x[4]), 3);
    V tp03 = L::add(t07, t34), tm03 = L::sub(t07, t34);
    V tp12 = L::add(t16, t25), tm12 = L::sub(t16, t25);
    // The middle differences are shifted one bit further: cos(π/4) is a Q15 constant.
    V d07 = L::shl(L::sub(x[0], x[7]), 3), d16 = L::shl(L::sub(x[1], x[6]), 4);
    V d25 = L::shl(L::sub(x[2], x[5]), 4), d34 = L::shl(L::sub(x[3], x[4]), 3);
    V p = L::odd(L::mulhi(L::add(d16, d25), cos4));
    V m = L::mulhi(L::sub(d16, d25), cos4);
    V a = L::add(d07, p), b = L::sub(d07, p), g = L::add(d34, m), h = L::sub(d34, m);

    x[0] = L::add(tp03, tp12);
    x[4] = L::sub(tp03, tp12);
    x[2] = L::odd(L::add(tm03, L::mulhi(tm12, tan2)));
    x[6] = L::odd(L::sub(L::mulhi(tm03, tan2), tm12));
    x[1] = L::odd(L::add(L::mulhi(g, tan1), a));
    x[7] = L::sub(L::mulhi(a, tan1), g);
    x[3] = L::sub(b, L::add(L::mulhi(h, tan3_minus_1), h));
    x[5] = L::add(L::add(L::mulhi(b, tan3_minus_1), b), h);
}

template <class Lanes>
void inverse_columns(typename Lanes::V x[8])
{
    using L = Lanes;
    using V = typename Lanes::V;
    V tp17 = L::add(x[1], L::mulhi(x[7], tan1));
    V tm17 = L::sub(L::mulhi(x[1], tan1), x[7]);
    V tp35 = L::add(L::add(L::mulhi(x[5], tan3_minus_1), x[3]), x[5]);
    V tm35 = L::sub(L::add(L::mulhi(x[3], tan3_minus_1), x[3]), x[5]);
    V b0 = L::add(tp17, tp35), b3 = L::sub(tm17, tm35);
    V e = L::sub(tp17, tp35), f = L::add(tm17, tm35);
    V q1 = L::mulhi(L::add(e, f), cos4), q2 = L::mulhi(L::sub(e, f), cos4);
    V b1 = L::add(q1, q1), b2 = L::add(q2, q2);
    V tp26 = L::add(L::mulhi(x[6], tan2), x[2]);
    V tm26 = L::sub(L::mulhi(x[2], tan2), x[6]);
    V tp04 = L::add(x[0], x[4]), tm04 = L::sub(x[0], x[4]);
    V a0 = L::add(tp04, tp26), a3 = L::sub(tp04, tp26);
    V a1 = L::add(tm04, tm26), a2 = L::sub(tm04, tm26);

    const int s = inverse_column_shift;
    x[0] = L::sar(L::add(a0, b0), s);
    x[1] = L::sar(L::add(a1, b1), s);
    x[2] = L::sar(L::add(a2, b2), s);
    x[3] = L::sar(L::add(a3, b3), s);
    x[4] = L::sar(L::sub(a3, b3), s);
    x[5] = L::sar(L::sub(a2, b2), s);
    x[6] = L::sar(L::sub(a1, b1), s);
    x[7] = L::sar(L::sub(a0, b0), s);
}
