// Feedback trails: every finished frame gets three enlarged, semi-transparent copies of the last
// one blended over it, so that moving objects leave trails streaming out from the screen centre.
#pragma once

#include <GL/gl.h>

// The kept frame: a 1024 × 512 texture whose lower-left 640 × 480 texels hold the frame the
// effect last finished. It starts black; frames without the effect leave it as it was.
extern GLuint trail_texture;

void init_trail_texture();
// Blends the kept frame's copies over the frame in the back buffer, then keeps the result.
void apply_feedback_trails();
