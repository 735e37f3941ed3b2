// A textured square in the plane z = 0, centred on the origin: the glowing rings and sprites that
// spin about the 3-D objects are each one of these under their own rotation.
#pragma once

#include "effects/matrix.h"

#include <GL/gl.h>

// One triangle strip with corners (±h, ±h, 0), texture (0, 0) at (−h, −h) and (1, 1) at (h, h).
void draw_glow_square(float half_size);

// Three glowing squares of the texture spinning about the origin under camera, t seconds into their
// scene, each about its own wandering axis at 10 degrees a second: added light, hidden where
// something nearer has been drawn but writing no depth of their own. The axes are worked out in the
// precision of t (the blob scene's float, the closing scene's double).
template <typename Real>
void draw_glowing_rings(GLuint texture, const Matrix4& camera, Real t, float half_size);
