// Float pictures and the drawing helpers shared by every picture of the data set:
// colours and the show's palette, masks, periodic noise, blurring and a fixed-seed random source.
#pragma once

#include <cstdint>
#include <vector>

constexpr float pi = 3.14159265358979f;
constexpr float two_pi = 2.0f * pi;

// RGB as stored in the picture, each channel nominally 0 … 1 (clamped only when written).
struct Colour {
    float r, g, b;
};

constexpr Colour operator+(Colour a, Colour b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
constexpr Colour operator-(Colour a, Colour b) { return {a.r - b.r, a.g - b.g, a.b - b.b}; }
constexpr Colour operator*(Colour a, float k) { return {a.r * k, a.g * k, a.b * k}; }

// The show's palette: night blues and violets lit by ember orange and gold.
constexpr Colour ink = {0.010f, 0.012f, 0.045f};
constexpr Colour night_blue = {0.035f, 0.060f, 0.230f};
constexpr Colour violet = {0.330f, 0.120f, 0.520f};
constexpr Colour ember = {0.980f, 0.420f, 0.110f};
constexpr Colour gold = {1.000f, 0.760f, 0.330f};
constexpr Colour cream = {1.000f, 0.960f, 0.860f};
constexpr Colour white = {1.0f, 1.0f, 1.0f};
constexpr Colour black = {0.0f, 0.0f, 0.0f};

float clamp01(float x);
float mix(float a, float b, float k);
Colour mix(Colour a, Colour b, float k);
float smoothstep(float edge0, float edge1, float x);
// 0 … 1 through ink, night blue, violet, ember, gold and cream.
Colour palette_ramp(float x);

// A picture: width × height colours, row 0 at the top.
struct Canvas {
    int width = 0;
    int height = 0;
    std::vector<Colour> pixels;
};

// One float per pixel, for text coverage, glows and outlines.
struct Mask {
    int width = 0;
    int height = 0;
    std::vector<float> values;
};

Canvas make_canvas(int width, int height);
Mask make_mask(int width, int height);
Colour& pixel(Canvas& canvas, int x, int y);
float& value(Mask& mask, int x, int y);
float value(const Mask& mask, int x, int y);

// Whether a blur continues across the picture's edges (for tiles) or treats outside as zero.
enum class Edges { zero, wrap };

// Gaussian blur with the given standard deviation in pixels.
Mask blurred(const Mask& mask, float sigma, Edges edges);

// Smooth gradient noise in −1 … 1 on a lattice that repeats every `period_x` × `period_y` cells,
// so that a picture spanning whole periods tiles without a seam.
float periodic_noise(float x, float y, int period_x, int period_y, uint32_t seed);
// Octaves of periodic_noise, each doubling the frequency (and so keeping the period); about −1 … 1.
float periodic_fbm(float x, float y, int period_x, int period_y, int octaves, uint32_t seed);

// A fixed pseudo-random value 0 … 1 for a lattice cell, e.g. to vary the tiles of a pattern.
float lattice_unit(int x, int y, uint32_t seed);

// xorshift32 with a fixed seed: the same numbers on every run.
struct Random {
    uint32_t state;
};
float next_unit(Random& random);  // 0 ≤ result < 1

// Sets every pixel to the average of paint(x, y) over samples × samples evenly spread points in it
// (more than one for fine detail that would otherwise alias).
template <typename Paint>
void paint_supersampled(Canvas& canvas, int samples, Paint paint)
{
    const float step = 1.0f / static_cast<float>(samples);
    const float weight = step * step;
    for (int y = 0; y < canvas.height; ++y) {
        for (int x = 0; x < canvas.width; ++x) {
            Colour sum = black;
            for (int j = 0; j < samples; ++j)
                for (int i = 0; i < samples; ++i)
                    sum = sum + paint(static_cast<float>(x) + (static_cast<float>(i) + 0.5f) * step,
                                      static_cast<float>(y) + (static_cast<float>(j) + 0.5f) * step);
            pixel(canvas, x, y) = sum * weight;
        }
    }
}

// Sets every pixel to paint(x, y), evaluated at the pixel's centre.
template <typename Paint>
void paint_each(Canvas& canvas, Paint paint)
{
    paint_supersampled(canvas, 1, paint);
}

// Lays `colour` over the canvas with the mask as its opacity (times `opacity`).
void composite(Canvas& canvas, const Mask& mask, Colour colour, float opacity);
