// The inside bits on processors without a packed implementation: one sample at a time.
#include "effects/inside_bits.h"

uint64_t inside_bits(const float* samples, int length, float threshold)
{
    return inside_bits_one_by_one(samples, 0, length, threshold);
}
