// The scrolling backdrops behind the scenes and the letterbox frame over them. Each repeats along
// its scroll direction with the picture's length, so a scroll past the end shows no seam.
#include <cmath>
#include <vector>

#include "pictures.h"

namespace {

// Noise lattice periods used where an axis need not repeat: far longer than any picture.
constexpr int unrepeated_period = 4096;

// ---- stars ----

constexpr int star_reach = 3;  // pixels around a star's centre that its glow touches

// Scatters `count` small soft stars, wrapping round the picture's edges.
void scatter_stars(Canvas& canvas, int count, uint32_t seed, float brightness)
{
    Random random = {seed};
    for (int i = 0; i < count; ++i) {
        const float sx = next_unit(random) * canvas.width;
        const float sy = next_unit(random) * canvas.height;
        const float size = 0.45f + 0.7f * next_unit(random);
        const float warmth = next_unit(random);
        const float strength = brightness * std::pow(next_unit(random), 3.0f);
        const Colour tint = mix(Colour{0.7f, 0.8f, 1.0f}, gold, warmth * warmth);
        const int cx = static_cast<int>(sx);
        const int cy = static_cast<int>(sy);
        for (int dy = -star_reach; dy <= star_reach; ++dy) {
            for (int dx = -star_reach; dx <= star_reach; ++dx) {
                const int x = (cx + dx + canvas.width) % canvas.width;
                const int y = (cy + dy + canvas.height) % canvas.height;
                const float ox = static_cast<float>(cx + dx) + 0.5f - sx;
                const float oy = static_cast<float>(cy + dy) + 0.5f - sy;
                const float glow = std::exp(-(ox * ox + oy * oy) / (size * size));
                pixel(canvas, x, y) = pixel(canvas, x, y) + tint * (strength * glow);
            }
        }
    }
}

// ---- blobitausta: a calm nebula drifting sideways ----

constexpr int blob_backdrop_cells = 8;  // noise cells across the 2000 columns

Colour nebula_band_pixel(float x, float y, float width, float height)
{
    const float u = x / width * blob_backdrop_cells;
    const float v = y / height * 2.0f;
    const float t = y / height;
    // The band winds gently up and down along the picture (whole periods, so it repeats).
    const float along = two_pi * x / width;
    const float centre = 0.5f + 0.10f * std::sin(2.0f * along) + 0.05f * std::sin(5.0f * along);
    const float band = std::exp(-std::pow((t - centre) / 0.24f, 2.0f));
    const float cloud = 0.5f + 0.5f * periodic_fbm(u, v, blob_backdrop_cells, unrepeated_period, 6, 41u);
    const float wisps =
        0.5f + 0.5f * periodic_fbm(2.0f * u + 7.0f, 2.0f * v, 2 * blob_backdrop_cells, unrepeated_period, 5, 42u);
    Colour colour = mix(ink, night_blue, 0.6f + 0.4f * std::sin(pi * t));
    colour = colour + violet * (0.9f * band * smoothstep(0.35f, 0.85f, cloud));
    colour = colour + ember * (0.5f * band * band * smoothstep(0.45f, 0.85f, cloud * wisps + 0.2f));
    return colour;
}

// ---- wobltausta: a warm glow among drifting bokeh, for the rippling backdrop ----

constexpr int glow_cells = 16;            // noise cells across the 2048 columns
constexpr float lattice_pitch = 128.0f;   // pixels between diamond lattice lines
constexpr float glow_height = 0.58f;      // of the picture's height

float diamond_lattice(float x, float y)
{
    const float a = (x + y) / lattice_pitch;
    const float b = (x - y) / lattice_pitch;
    const float distance = std::fmin(std::fabs(a - std::round(a)), std::fabs(b - std::round(b))) * lattice_pitch;
    return smoothstep(1.6f, 0.3f, distance);
}

Colour glow_pixel(float x, float y, float width, float height)
{
    const float t = y / height;
    const float u = x / width * glow_cells;
    Colour colour = mix(ink, night_blue, smoothstep(0.0f, 0.5f, t));
    colour = mix(colour, violet * 0.6f, smoothstep(0.5f, 1.0f, t));
    const float centre = glow_height + 0.04f * std::sin(two_pi * 3.0f * x / width);
    const float band = std::exp(-std::pow((t - centre) / 0.16f, 2.0f));
    const float swirl = 0.5f + 0.5f * periodic_fbm(u, t * 6.0f, glow_cells, unrepeated_period, 4, 51u);
    colour = colour + ember * (0.45f * band * (0.5f + 0.5f * swirl)) + gold * (0.15f * std::pow(band, 6.0f));
    return colour + violet * (0.25f * diamond_lattice(x, y));
}

// Out-of-focus lights: soft discs with a slightly brighter rim, wrapping round the sides.
void scatter_bokeh(Canvas& canvas, int count, uint32_t seed)
{
    Random random = {seed};
    for (int i = 0; i < count; ++i) {
        const float cx = next_unit(random) * canvas.width;
        const float cy = next_unit(random) * canvas.height;
        const float radius = 12.0f + 46.0f * std::pow(next_unit(random), 2.0f);
        const Colour tint = mix(violet * 1.4f, gold, std::pow(next_unit(random), 2.0f));
        const float strength = 0.05f + 0.12f * next_unit(random);
        const int reach = static_cast<int>(radius) + 2;
        for (int dy = -reach; dy <= reach; ++dy) {
            const int y = static_cast<int>(cy) + dy;
            if (y < 0 || y >= canvas.height)
                continue;
            for (int dx = -reach; dx <= reach; ++dx) {
                const int x = ((static_cast<int>(cx) + dx) % canvas.width + canvas.width) % canvas.width;
                const float r = std::hypot(static_cast<float>(static_cast<int>(cx) + dx) + 0.5f - cx,
                                           static_cast<float>(y) + 0.5f - cy);
                const float rim = 0.7f + 0.3f * smoothstep(0.5f * radius, radius, r);
                const float disc = smoothstep(radius + 1.0f, radius - 1.0f, r) * rim;
                pixel(canvas, x, y) = pixel(canvas, x, y) + tint * (strength * disc);
            }
        }
    }
}

// ---- scrolltausta: shafts of light rising past the column ----

constexpr int shaft_cells = 8;  // noise cells along the 2000 rows
constexpr int shaft_count = 6;

struct Shaft {
    float position;  // across the picture, 0 … 1
    float width;
};

constexpr Shaft shafts[shaft_count] = {
    {0.08f, 0.035f}, {0.22f, 0.06f}, {0.41f, 0.025f}, {0.63f, 0.07f}, {0.80f, 0.03f}, {0.93f, 0.05f},
};

// How strongly each shaft shines along the picture: shaft_count values per row.
std::vector<float> shaft_strengths(int height)
{
    std::vector<float> strengths(static_cast<size_t>(height) * shaft_count);
    for (int y = 0; y < height; ++y) {
        const float v = (static_cast<float>(y) + 0.5f) / static_cast<float>(height) * shaft_cells;
        for (int i = 0; i < shaft_count; ++i) {
            const float pulse =
                periodic_fbm(7.3f * static_cast<float>(i), 0.5f * v, unrepeated_period, shaft_cells / 2, 2, 61u);
            strengths[static_cast<size_t>(y) * shaft_count + i] = 0.3f + 0.7f * smoothstep(-0.4f, 0.5f, pulse);
        }
    }
    return strengths;
}

Colour shaft_pixel(float x, float y, float width, float height, const float* strengths)
{
    const float s = x / width;
    const float v = y / height * shaft_cells;
    const float vignette = 1.0f - 0.6f * std::pow(std::fabs(2.0f * s - 1.0f), 2.0f);
    Colour colour = mix(ink, night_blue, 0.75f * vignette);
    for (int i = 0; i < shaft_count; ++i) {
        const float across = (s - shafts[i].position) / shafts[i].width;
        const float light = std::exp(-across * across) * strengths[i];
        const Colour tint = mix(Colour{0.20f, 0.28f, 0.85f}, violet * 1.3f, static_cast<float>(i % 3) * 0.5f);
        colour = colour + tint * (0.32f * light);
    }
    const float haze = 0.5f + 0.5f * periodic_fbm(s * 3.0f, v, unrepeated_period, shaft_cells, 4, 62u);
    return colour + violet * (0.12f * haze * vignette);
}

// ---- pyoritystausta: deep space with a winding nebula ----

constexpr int space_cells = 8;  // noise cells along the 2000 rows

Colour space_pixel(float x, float y, float width, float height)
{
    const float s = x / width;
    const float v = y / height * space_cells;
    const float centre = 0.5f + 0.28f * std::sin(two_pi * y / height) + 0.08f * std::sin(two_pi * 3.0f * y / height);
    const float band = std::exp(-std::pow((s - centre) / 0.25f, 2.0f));
    const float cloud = 0.5f + 0.5f * periodic_fbm(s * 2.6f, v, unrepeated_period, space_cells, 6, 71u);
    const float dust =
        0.5f + 0.5f * periodic_fbm(s * 5.0f + 11.0f, 2.0f * v, unrepeated_period, 2 * space_cells, 4, 72u);
    Colour colour = mix(ink, night_blue * 0.7f, 0.5f + 0.5f * cloud);
    colour = colour + violet * (0.8f * band * smoothstep(0.3f, 0.85f, cloud));
    colour = colour + ember * (0.45f * band * smoothstep(0.6f, 0.95f, 0.6f * cloud + 0.5f * dust));
    return colour * (1.0f - 0.35f * smoothstep(0.55f, 0.75f, dust) * band);
}

// ---- border: letterbox bars with a wavy edge ----

constexpr float bar_rows = 60.0f;       // rows of the bars' mean depth
constexpr float edge_swing = 5.0f;      // rows the edge waves above and below it
constexpr float trim_gap = 7.0f;        // rows between the edge and the trim line
constexpr float trim_opacity = 0.55f;
constexpr int border_samples = 3;       // per pixel, each way, for clean curves

// Depth of a bar at column x: two waves that fit the picture's width a whole number of times.
float bar_depth(float x, float width, float phase)
{
    const float a = two_pi * x / width;
    return bar_rows + edge_swing * std::sin(8.0f * a + phase) + 0.4f * edge_swing * std::sin(24.0f * a + 2.0f * phase);
}

// Opacity of the frame at a point: 1 in the bar, a thin trim line and a row of beads below it.
float frame_opacity(float x, float from_edge, float width, float phase)
{
    const float depth = bar_depth(x, width, phase);
    const float bar = smoothstep(depth + 0.8f, depth - 0.8f, from_edge);
    const float trim = smoothstep(1.2f, 0.4f, std::fabs(from_edge - depth - trim_gap));
    const float bead_pitch = width / 64.0f;
    const float bead_x = std::fmod(x, bead_pitch) - 0.5f * bead_pitch;
    const float bead_y = from_edge - depth - 2.0f * trim_gap;
    const float bead = smoothstep(2.6f, 1.6f, std::hypot(bead_x, bead_y));
    return std::fmax(bar, trim_opacity * std::fmax(trim, bead));
}

}  // namespace

void paint_blobitausta(Canvas& canvas)
{
    const float width = static_cast<float>(canvas.width);
    const float height = static_cast<float>(canvas.height);
    paint_each(canvas, [&](float x, float y) { return nebula_band_pixel(x, y, width, height); });
    scatter_stars(canvas, 900, 0xb10b5u, 0.9f);
}

void paint_wobltausta(Canvas& canvas)
{
    const float width = static_cast<float>(canvas.width);
    const float height = static_cast<float>(canvas.height);
    paint_each(canvas, [&](float x, float y) { return glow_pixel(x, y, width, height); });
    scatter_bokeh(canvas, 90, 0xb0ce4u);
}

void paint_scrolltausta(Canvas& canvas)
{
    const float width = static_cast<float>(canvas.width);
    const float height = static_cast<float>(canvas.height);
    const std::vector<float> strengths = shaft_strengths(canvas.height);
    paint_each(canvas, [&](float x, float y) {
        return shaft_pixel(x, y, width, height, &strengths[static_cast<size_t>(y) * shaft_count]);
    });
    scatter_stars(canvas, 700, 0x5c2011u, 0.7f);
}

void paint_pyoritystausta(Canvas& canvas)
{
    const float width = static_cast<float>(canvas.width);
    const float height = static_cast<float>(canvas.height);
    paint_each(canvas, [&](float x, float y) { return space_pixel(x, y, width, height); });
    scatter_stars(canvas, 1400, 0x5d4ceu, 1.0f);
}

// The show takes the frame's opacity from green (bright green or white is clear), so the picture
// is drawn in greys: black bars, a white opening.
void paint_border(Canvas& canvas)
{
    const float width = static_cast<float>(canvas.width);
    const float height = static_cast<float>(canvas.height);
    paint_supersampled(canvas, border_samples, [&](float x, float y) {
        const float top = frame_opacity(x, y, width, 0.0f);
        const float bottom = frame_opacity(x, height - y, width, pi);
        return white * (1.0f - std::fmax(top, bottom));
    });
}
