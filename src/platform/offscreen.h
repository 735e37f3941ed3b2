// An offscreen GL context (EGL pbuffer on Mesa's surfaceless platform, no X server): the capture
// tool, the tests and the benchmarks draw the very frames the show draws.
#pragma once

#include <vector>

// Opens a width × height desktop-GL compatibility context and makes it current. On failure prints
// one line on standard error and returns false.
bool open_offscreen_context(int width, int height);

// Gives the context a new drawing surface of width × height, as a window resized under the show, its
// textures and state kept: for the scaling pass's tests and benchmark. On failure prints one line on
// standard error and returns false, the old surface still current.
bool resize_offscreen_surface(int width, int height);

// Set by push_quit_event in the offscreen build: the show asked to end.
extern bool quit_requested;

// Reads the colour buffer as RGBA bytes, top row first (as an image file stores it).
std::vector<unsigned char> read_frame_rgba(int width, int height);
// Reads the colour buffer into out (width × height × 4 bytes) in its own layout: BGRA, bottom row
// first. On llvmpipe that is a plain copy, some twenty times faster than RGBA, which converts
// every pixel: the read-back for videos.
void read_frame_bgra_bottom_up(int width, int height, unsigned char* out);
