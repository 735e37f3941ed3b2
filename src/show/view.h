// The show's window size and its 45-degree perspective view.
#pragma once

constexpr int screen_width = 640;
constexpr int screen_height = 480;

// Viewport and 45-degree perspective for a window of w × h pixels; modelview reset to identity.
void set_view(int width, int height);
