// The polygonizer's first look at the field: which samples of a row lie inside the surface, packed
// one bit each, worked out several at a time where the processor can.
#pragma once

#include <cstdint>

// Bit k set when samples[k] > threshold (so never for a sample that is not a number), k < length;
// length is at most 64.
uint64_t inside_bits(const float* samples, int length, float threshold);

// The same, one sample at a time, for samples first … length − 1.
inline uint64_t inside_bits_one_by_one(const float* samples, int first, int length, float threshold)
{
    uint64_t bits = 0;
    for (int k = first; k < length; ++k)
        bits |= static_cast<uint64_t>(samples[k] > threshold) << k;
    return bits;
}
