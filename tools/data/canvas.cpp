// The painting canvas of the data generator: float RGB pixels, shapes, blurs and noise.
#include "canvas.h"

#include <array>
#include <cmath>

namespace {

constexpr int palette_stop_count = 6;
constexpr Colour palette_stops[palette_stop_count] = {ink, night_blue, violet, ember, gold, cream};

// Gradient noise picks its lattice gradients from this many evenly spaced directions.
constexpr int gradient_count = 32;
// Scales 2-D gradient noise, whose extremes lie near ±0.7, to about ±1.
constexpr float noise_gain = 1.4f;
// Three standard deviations hold all but 0.3 % of a Gaussian's weight.
constexpr float blur_reach_sigmas = 3.0f;

struct Gradient {
    float x, y;
};

std::array<Gradient, gradient_count> make_gradients()
{
    std::array<Gradient, gradient_count> gradients{};
    for (int i = 0; i < gradient_count; ++i) {
        const float angle = two_pi * static_cast<float>(i) / gradient_count;
        gradients[i] = {std::cos(angle), std::sin(angle)};
    }
    return gradients;
}

const std::array<Gradient, gradient_count> gradients = make_gradients();

uint32_t hash(uint32_t x)
{
    x ^= x >> 16;
    x *= 0x7feb352du;
    x ^= x >> 15;
    x *= 0x846ca68bu;
    x ^= x >> 16;
    return x;
}

uint32_t lattice_hash(int x, int y, uint32_t seed)
{
    const uint32_t column = static_cast<uint32_t>(x) * 0x9e3779b1u;
    return hash(column ^ hash(static_cast<uint32_t>(y) + seed));
}

// The top 24 bits as a float 0 ≤ result < 1.
float unit_from_bits(uint32_t bits) { return static_cast<float>(bits >> 8) * (1.0f / 16777216.0f); }

int wrap_index(int i, int period)
{
    const int r = i % period;
    return r < 0 ? r + period : r;
}

// Quintic fade: continuous slope and curvature across lattice cells.
float fade(float t) { return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f); }

float corner_dot(int ix, int iy, int period_x, int period_y, uint32_t seed, float dx, float dy)
{
    const uint32_t h = lattice_hash(wrap_index(ix, period_x), wrap_index(iy, period_y), seed);
    const Gradient& g = gradients[h % gradient_count];
    return g.x * dx + g.y * dy;
}

std::vector<float> gaussian_kernel(float sigma)
{
    const int reach = static_cast<int>(std::ceil(sigma * blur_reach_sigmas));
    std::vector<float> kernel(2 * reach + 1);
    float sum = 0.0f;
    for (int i = -reach; i <= reach; ++i) {
        const float w = std::exp(-0.5f * static_cast<float>(i * i) / (sigma * sigma));
        kernel[i + reach] = w;
        sum += w;
    }
    for (float& w : kernel)
        w /= sum;
    return kernel;
}

// One pass of a separable blur: along rows when `horizontal`, else along columns.
Mask blur_pass(const Mask& mask, const std::vector<float>& kernel, bool horizontal, Edges edges)
{
    Mask out = make_mask(mask.width, mask.height);
    const int reach = static_cast<int>(kernel.size() / 2);
    const int length = horizontal ? mask.width : mask.height;
    for (int y = 0; y < mask.height; ++y) {
        for (int x = 0; x < mask.width; ++x) {
            const int along = horizontal ? x : y;
            float sum = 0.0f;
            for (int k = -reach; k <= reach; ++k) {
                int p = along + k;
                if (p < 0 || p >= length) {
                    if (edges == Edges::zero)
                        continue;
                    p = wrap_index(p, length);
                }
                sum += kernel[k + reach] * (horizontal ? value(mask, p, y) : value(mask, x, p));
            }
            value(out, x, y) = sum;
        }
    }
    return out;
}

}  // namespace

float clamp01(float x) { return x < 0.0f ? 0.0f : (x > 1.0f ? 1.0f : x); }

float mix(float a, float b, float k) { return a + (b - a) * k; }

Colour mix(Colour a, Colour b, float k) { return a + (b - a) * k; }

float smoothstep(float edge0, float edge1, float x)
{
    const float t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

Colour palette_ramp(float x)
{
    const float position = clamp01(x) * (palette_stop_count - 1);
    const int stop = position >= palette_stop_count - 1 ? palette_stop_count - 2 : static_cast<int>(position);
    return mix(palette_stops[stop], palette_stops[stop + 1], smoothstep(0.0f, 1.0f, position - stop));
}

Canvas make_canvas(int width, int height)
{
    Canvas canvas;
    canvas.width = width;
    canvas.height = height;
    canvas.pixels.assign(static_cast<size_t>(width) * height, black);
    return canvas;
}

Mask make_mask(int width, int height)
{
    Mask mask;
    mask.width = width;
    mask.height = height;
    mask.values.assign(static_cast<size_t>(width) * height, 0.0f);
    return mask;
}

Colour& pixel(Canvas& canvas, int x, int y) { return canvas.pixels[static_cast<size_t>(y) * canvas.width + x]; }

float& value(Mask& mask, int x, int y) { return mask.values[static_cast<size_t>(y) * mask.width + x]; }

float value(const Mask& mask, int x, int y) { return mask.values[static_cast<size_t>(y) * mask.width + x]; }

Mask blurred(const Mask& mask, float sigma, Edges edges)
{
    const std::vector<float> kernel = gaussian_kernel(sigma);
    return blur_pass(blur_pass(mask, kernel, true, edges), kernel, false, edges);
}

float periodic_noise(float x, float y, int period_x, int period_y, uint32_t seed)
{
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    const float dx = x - fx;
    const float dy = y - fy;
    const float n00 = corner_dot(ix, iy, period_x, period_y, seed, dx, dy);
    const float n10 = corner_dot(ix + 1, iy, period_x, period_y, seed, dx - 1.0f, dy);
    const float n01 = corner_dot(ix, iy + 1, period_x, period_y, seed, dx, dy - 1.0f);
    const float n11 = corner_dot(ix + 1, iy + 1, period_x, period_y, seed, dx - 1.0f, dy - 1.0f);
    const float u = fade(dx);
    const float v = fade(dy);
    return noise_gain * mix(mix(n00, n10, u), mix(n01, n11, u), v);
}

float periodic_fbm(float x, float y, int period_x, int period_y, int octaves, uint32_t seed)
{
    float sum = 0.0f;
    float amplitude = 0.5f;
    float total = 0.0f;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += amplitude * periodic_noise(x, y, period_x, period_y, seed + static_cast<uint32_t>(octave));
        total += amplitude;
        x *= 2.0f;
        y *= 2.0f;
        period_x *= 2;
        period_y *= 2;
        amplitude *= 0.5f;
    }
    return sum / total;
}

float lattice_unit(int x, int y, uint32_t seed)
{
    return unit_from_bits(lattice_hash(x, y, seed));
}

float next_unit(Random& random)
{
    uint32_t x = random.state;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    random.state = x;
    return unit_from_bits(x);
}

void composite(Canvas& canvas, const Mask& mask, Colour colour, float opacity)
{
    for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x)
            pixel(canvas, x, y) = mix(pixel(canvas, x, y), colour, clamp01(value(mask, x, y) * opacity));
}
