// The block loop on processors without a packed implementation: the portable one.
#include "effects/dct_blocks.h"

void requantise_blocks(const uint8_t* in, uint8_t* out) { requantise_blocks_portable(in, out); }
