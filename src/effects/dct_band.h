// The block-artefact band: a vertical strip of the finished frame, window columns 416 to 575,
// shown as if coded far too coarsely: flat 8 × 8 tiles and ringing that follow the picture.
#pragma once

#include "effects/dct_blocks.h"

#include <GL/gl.h>

// The band's lower-left corner in window pixels (y = 0 at the bottom).
constexpr int band_left = 416;
constexpr int band_bottom = 0;

// The band as read back from the frame, and as drawn back over it (four bytes a pixel, colour then
// alpha, bottom row first). The effect writes only the colour channels of out: its alpha bytes are
// opaque from the start.
struct DctBand {
    DctBand();
    alignas(16) uint8_t in[band_bytes];
    alignas(16) uint8_t out[band_bytes];
};

// Reads the band back from the frame, requantises it and draws it back in place. Its strength is
// the same at every moment: the demo time t is not used.
void apply_dct_effect(DctBand& band, float t);
// Requantises every block of band.in into band.out.
void requantise_band(DctBand& band);
