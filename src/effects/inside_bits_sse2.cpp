// The inside bits with SSE2: four samples compared at once, their sign masks gathered into bits.
#include "effects/inside_bits.h"

#include <emmintrin.h>

namespace {
constexpr int lanes = 4;
}

uint64_t inside_bits(const float* samples, int length, float threshold)
{
    const __m128 level = _mm_set1_ps(threshold);
    uint64_t bits = 0;
    int k = 0;
    for (; k + lanes <= length; k += lanes) {
        // An ordered comparison: a sample that is not a number is outside.
        const __m128 inside = _mm_cmpgt_ps(_mm_loadu_ps(samples + k), level);
        bits |= static_cast<uint64_t>(_mm_movemask_ps(inside)) << k;
    }
    return bits | inside_bits_one_by_one(samples, k, length, threshold);
}
