// The effects' working storage, sized once: the blob volume and its mesh, the cube grid, the tunnel
// sheet, the column's and the wavy backdrop's vertex arrays and the artefact band's pixels. Each
// frame rewrites what it uses; nothing in it carries from one frame to the next.
#pragma once

#include "effects/cube_grid.h"
#include "effects/dct_band.h"
#include "effects/metaballs.h"
#include "effects/screen_layers.h"
#include "effects/tunnel.h"
#include "effects/twisted_column.h"

struct EffectWorkspace {
    MetaballVolume blobs{cavity_size};
    CubeGrid cube;
    TunnelSheet tunnel;
    ColumnArrays column;
    WaveGrid wave;
    DctBand band;
};
