// A textured square in the plane z = 0, centred on the origin: the glowing rings and sprites that
// spin about the 3-D objects are each one of these under their own rotation.
#pragma once

// One triangle strip with corners (±h, ±h, 0), texture (0, 0) at (−h, −h) and (1, 1) at (h, h).
void draw_glow_square(float half_size);
