// The show's window size and its 45-degree perspective view.
#pragma once

#include "assets/screen.h"

// Viewport and 45-degree perspective for a window of w × h pixels; modelview reset to identity.
void set_view(int width, int height);
