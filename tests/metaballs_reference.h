// A plain, slow metaball field pass and polygonizer, point by point and cell by cell, that the
// volume's own must match exactly: same samples, same vertices in the same order, same triangles.
#pragma once

#include "effects/metaballs.h"

// add_balls, summing every grid point of every box that is not yet marked.
void reference_add_balls(MetaballVolume& v);

// polygonize, with the gradient at every grid point and every inner cell looked at.
void reference_polygonize(MetaballVolume& v);
