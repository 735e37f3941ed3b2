// The block-artefact band: a strip 160 pixels wide and the window's full height is read back
// from the finished frame, every 8 × 8 block of each colour channel goes through a DCT quantised
// ten times as coarsely as the standard JPEG table, and the result is drawn back over the strip.
#include "effects/dct_band.h"

#include "effects/screen_layers.h"

// The band is placed with identity matrices over the frame's viewport: its left edge, in
// normalised device coordinates, is window column 416.
static constexpr double band_raster_x = band_left * 2.0 / screen_width - 1.0;
static constexpr double band_raster_y = -1.0;
static constexpr uint8_t opaque = 255;

DctBand::DctBand() : in(), out()
{
    for (int i = 3; i < band_bytes; i += 4)
        out[i] = opaque;
}

void requantise_band(DctBand& band) { requantise_blocks(band.in, band.out); }

// The pixels go back untextured, in the base colour, unblended. They travel in the colour buffer's
// own byte order, BGRA, which the driver copies as they are rather than converting every pixel; the
// three colour channels are requantised alike, so their order changes nothing.
void apply_dct_effect(DctBand& band, float)
{
    replace_projection();
    glDisable(GL_TEXTURE_2D);
    glRasterPos2d(band_raster_x, band_raster_y);
    glReadPixels(band_left, band_bottom, band_width, band_height, GL_BGRA, GL_UNSIGNED_BYTE, band.in);
    requantise_band(band);
    glDrawPixels(band_width, band_height, GL_BGRA, GL_UNSIGNED_BYTE, band.out);
    glEnable(GL_TEXTURE_2D);
    restore_projection();
}
