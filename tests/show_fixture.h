// Shared by the drawing tests: an offscreen 640 × 480 context with the show's pictures, tables and
// meshes loaded exactly as start-up loads them, once for the whole test program before its first
// test, and helpers to read the frame back.
#pragma once

#include <array>
#include <functional>
#include <vector>

struct TextureSet;
struct ShowState;
struct EffectWorkspace;

using Frame = std::vector<unsigned char>;
// One picture's texture name in the show's texture set.
using Slot = unsigned int TextureSet::*;

struct Rgb {
    int r, g, b;
};

// The test program's own show state, carried from frame to frame as the program's is, and its
// effects' working storage.
ShowState& shown();
EffectWorkspace& work();

// The current frame as RGBA bytes, top row first.
std::vector<unsigned char> grab_frame();

// Pixel (x, y) of a grabbed frame, y counted from the top of the screen.
Rgb pixel_at(const std::vector<unsigned char>& frame, int x, int y);

// True when every colour channel of every pixel equals value.
bool every_pixel_is(const Frame& frame, int value);

// Mean brightness (0..255) of the pixels in the rectangle [x0, x1) × [y0, y1), y from the top.
double mean_brightness(const std::vector<unsigned char>& frame, int x0, int y0, int x1, int y1);

// Writes the frame to build/test-frames/<name>.png, for a person to look at.
void save_frame(const std::vector<unsigned char>& frame, const char* name);

// One corner of a polygon as GL received it in feedback mode: window position, colour and texture.
struct FedVertex {
    float x, y, z;
    float red, green, blue, alpha;
    float s, t, r, q;
};
using FedPolygon = std::vector<FedVertex>;

// Runs draw in GL feedback mode under an orthographic view of ±half_size across and ±depth deep (the
// modelview selected, left as it is), and returns the polygons GL received, in order. The caller
// sets its view again afterwards.
std::vector<FedPolygon> feed_polygons(double half_size, double depth, const std::function<void()>& draw);

// A point through the current modelview, projection and viewport to window coordinates; with back set,
// from window coordinates back to object coordinates.
std::array<double, 3> project_point(const std::array<double, 3>& p, bool back);

// A new 2 × 2 opaque texture of one grey, to stand in for a picture.
unsigned int solid_texture(unsigned char grey);
// The black one: drawn additively it adds nothing.
unsigned int black_texture();

// Where a picture is on screen in the frame the show draws at t: the pixels (640 × 480, top row
// first) that change when the picture is swapped for opaque black and then for opaque white.
using Mask = std::vector<bool>;
Mask picture_mask(Slot slot, double t);
// How strongly the frame at t shows a picture, 0 to 1: the mean change of every channel of every
// pixel between the picture swapped for opaque black and for opaque white, over 255.
double picture_weight(Slot slot, double t);

// Draws the frame the show draws at t, a sixtieth of a second after the one before, and reads it.
Frame show_frame_at(double t);
// Draws that frame without reading it; true when the show is over.
bool draw_show_at(double t);
