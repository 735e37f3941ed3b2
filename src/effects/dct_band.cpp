// The block-artefact band: a strip 160 pixels wide and the window's full height is read back
// from the finished frame, every 8 × 8 block of each colour channel goes through a DCT quantised
// ten times as coarsely as the standard JPEG table, and the result is drawn back over the strip.
#include "effects/dct_band.h"

#include "effects/screen_layers.h"

// The band is placed with identity matrices over the 640 × 480 viewport: its left edge, in
// normalised device coordinates, is window column 416.
static constexpr int window_width = 640;
static constexpr double band_raster_x = band_left * 2.0 / window_width - 1.0;
static constexpr double band_raster_y = -1.0;
static constexpr uint8_t opaque = 255;

alignas(16) uint8_t band_in[band_bytes];
alignas(16) uint8_t band_out[band_bytes];

void init_dct_effect()
{
    for (int i = 3; i < band_bytes; i += 4)
        band_out[i] = opaque;
}

void requantise_band() { requantise_blocks(band_in, band_out); }

void apply_dct_effect(float)
{
    replace_matrices();
    glDisable(GL_TEXTURE_2D);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glDisable(GL_BLEND);
    glRasterPos2d(band_raster_x, band_raster_y);
    glReadPixels(band_left, band_bottom, band_width, band_height, GL_RGBA, GL_UNSIGNED_BYTE, band_in);
    requantise_band();
    glDrawPixels(band_width, band_height, GL_RGBA, GL_UNSIGNED_BYTE, band_out);
    restore_matrices();
}
