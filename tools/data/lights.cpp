// Light maps (alpha from the red channel), additive glows on black, and chrome reflection maps.
//
// The show looks these pictures up by directions in eye space, with texture t growing upwards;
// t = 0 is the picture's top row, so what lies above the viewer is painted at the bottom.
#include <cmath>

#include "pictures.h"

namespace {

// ---- light maps ----
//
// The show takes a light map's opacity from |2·red − 1|: red near 1 is an opaque glint, red near 0
// an opaque dark rim, and mid red leaves the surface below clear. A light field h in −1 … 1 sets red
// to 0.5 + 0.5·h, and green and blue give the glint its warm and the rim its cold colour.

struct LightStop {
    float h;
    float green;
    float blue;
};

constexpr int light_stop_count = 6;
constexpr LightStop light_stops[light_stop_count] = {
    {-1.0f, 0.03f, 0.16f},  // navy rim
    {-0.5f, 0.07f, 0.42f},  // violet
    {0.0f, 0.15f, 0.25f},   // (clear)
    {0.5f, 0.40f, 0.10f},   // ember halo
    {0.8f, 0.74f, 0.40f},   // gold
    {1.0f, 0.97f, 0.90f},   // near-white core
};

Colour light_colour(float h)
{
    h = std::fmax(-1.0f, std::fmin(1.0f, h));
    int stop = 0;
    while (stop < light_stop_count - 2 && h > light_stops[stop + 1].h)
        ++stop;
    const LightStop& a = light_stops[stop];
    const LightStop& b = light_stops[stop + 1];
    const float k = (h - a.h) / (b.h - a.h);
    return {0.5f + 0.5f * h, mix(a.green, b.green, k), mix(a.blue, b.blue, k)};
}

// Eye-space coordinates −1 … 1 of a pixel centre; y grows downwards in the picture, upwards in the eye.
float disc_coordinate(float p, int size) { return 2.0f * p / static_cast<float>(size) - 1.0f; }

float gaussian(float d, float radius) { return std::exp(-(d * d) / (radius * radius)); }

float spot(float x, float y, float centre_x, float centre_y, float radius)
{
    return gaussian(std::hypot(x - centre_x, y - centre_y), radius);
}

// Light seen from the upper left with a faint bounce from the lower right, and a dark rim; the
// bulging cube reads only the inner half of the disc, so the glint sits well inside it. Only the very
// middle of the glint is opaque: a wide one turns whole faces of the cube, and the blob under the
// rings that are added over it, into flat white.
float blob_light(float x, float y)
{
    const float r = std::hypot(x, y);
    const float glint = 0.35f * spot(x, y, -0.25f, 0.30f, 0.42f) + 0.5f * spot(x, y, -0.25f, 0.30f, 0.18f) +
                        0.2f * spot(x, y, -0.25f, 0.30f, 0.06f);
    const float bounce = 0.45f * spot(x, y, 0.42f, -0.40f, 0.10f);
    const float rim = smoothstep(0.55f, 0.98f, r);
    return glint + bounce - rim;
}

// Two tall soft-box strips: as the column's faces turn, their gloss slides across them.
float column_light(float x, float y)
{
    const float r = std::hypot(x, y);
    const float height_fade = smoothstep(0.95f, 0.35f, std::fabs(y));
    const float strips = gaussian(x + 0.32f, 0.10f) + 0.6f * gaussian(x - 0.45f, 0.06f);
    const float rim = smoothstep(0.70f, 1.0f, r);
    return strips * height_fade - rim;
}

// The cube reads only the disc of radius 0.5: a warm hot spot just off centre and a thin sheen ring,
// neither quite opaque, and towards the edge a faint violet veil, so a face glints as its mirror
// direction swings past the viewer and otherwise shows its tiles, a little dimmed, whichever way it
// turns. A flat face looks at only a small patch of the disc, so no patch may cover it.
float cube_light(float x, float y)
{
    const float r = std::hypot(x, y);
    const float glint = 0.55f * spot(x, y, -0.12f, 0.15f, 0.12f) + 0.25f * spot(x, y, -0.12f, 0.15f, 0.05f);
    const float sheen = 0.25f * gaussian(r - 0.26f, 0.03f);
    const float veil = 0.3f * smoothstep(0.30f, 0.50f, r);
    return glint + sheen - veil;
}

void paint_light_map(Canvas& canvas, float (*light)(float x, float y))
{
    paint_each(canvas, [&](float px, float py) {
        return light_colour(light(disc_coordinate(px, canvas.width), disc_coordinate(py, canvas.height)));
    });
}

// ---- glows, drawn additively: black adds nothing ----

// Fades a glow out before the picture's edge, so the drawn square never shows.
float edge_window(float r) { return smoothstep(0.99f, 0.86f, r); }

// ---- reflection maps ----
//
// A sphere map shows, at the point of a mirror ball with normal n = (x, y, √(1 − x² − y²)), the
// environment in the direction the viewer's line of sight reflects to.

struct Direction {
    float x, y, z;
};

Direction normalised(Direction d)
{
    const float length = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
    return {d.x / length, d.y / length, d.z / length};
}

float dot(Direction a, Direction b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// The mirrored line of sight for disc coordinates; points off the disc take its rim.
Direction reflected_view(float x, float y)
{
    const float r = std::hypot(x, y);
    if (r > 1.0f) {
        x /= r;
        y /= r;
    }
    const float z = std::sqrt(std::fmax(0.0f, 1.0f - x * x - y * y));
    return {2.0f * x * z, 2.0f * y * z, 2.0f * z * z - 1.0f};
}

struct Mood {
    Colour zenith;
    Colour horizon;
    Colour sun_colour;
    Direction sun;
    float sun_radius;  // cosine distance of the disc's edge
    Colour ground_near;
    Colour ground_far;
    Colour grid_colour;
    bool checker;  // a checked floor instead of glowing grid lines
};

// Distance to the nearest whole number, for grid lines.
float line_distance(float v) { return std::fabs(v - std::round(v)); }

Colour sky(const Mood& mood, Direction d)
{
    const float elevation = std::fmax(0.0f, d.y);
    Colour colour = mix(mood.horizon, mood.zenith, std::pow(elevation, 0.45f));
    const float facing = dot(d, mood.sun);
    const float disc = smoothstep(1.0f - mood.sun_radius * 1.15f, 1.0f - mood.sun_radius, facing);
    const float halo = std::pow(std::fmax(0.0f, facing), 24.0f);
    const float haze = std::pow(std::fmax(0.0f, facing), 4.0f) * (1.0f - elevation);
    colour = colour + mood.sun_colour * (0.45f * halo + 0.25f * haze);
    return mix(colour, mood.sun_colour, disc);
}

Colour ground(const Mood& mood, Direction d)
{
    // The floor is the plane one unit below the eye.
    const float depth = 1.0f / std::fmax(-d.y, 1e-3f);
    const float u = d.x * depth;
    const float v = d.z * depth;
    const float distance_fade = std::exp(-0.12f * depth);
    Colour colour = mix(mood.ground_far, mood.ground_near, distance_fade);
    float pattern;
    if (mood.checker) {
        const bool odd = (static_cast<int>(std::floor(u)) + static_cast<int>(std::floor(v))) & 1;
        pattern = odd ? 1.0f : 0.0f;
    } else {
        const float width = 0.04f;
        pattern = std::fmax(smoothstep(width, 0.0f, line_distance(u)), smoothstep(width, 0.0f, line_distance(v)));
    }
    colour = mix(colour, mood.grid_colour, pattern * distance_fade);
    // The horizon melts into the sky's haze.
    return mix(colour, mood.horizon, smoothstep(0.25f, 0.0f, -d.y));
}

Colour environment(const Mood& mood, Direction d) { return d.y >= 0.0f ? sky(mood, d) : ground(mood, d); }

// Eight by eight samples per pixel keep the far floor pattern from flickering into noise.
constexpr int reflection_samples = 8;

void paint_reflection(Canvas& canvas, const Mood& mood)
{
    paint_supersampled(canvas, reflection_samples, [&](float px, float py) {
        return environment(mood, reflected_view(disc_coordinate(px, canvas.width), disc_coordinate(py, canvas.height)));
    });
}

}  // namespace

void paint_lighttex1(Canvas& canvas) { paint_light_map(canvas, blob_light); }

void paint_lighttex3(Canvas& canvas) { paint_light_map(canvas, column_light); }

void paint_wobllighttex(Canvas& canvas) { paint_light_map(canvas, cube_light); }

// A glowing ring: a gold band inside an ember glow with a faint violet haze. The scenes add three of
// them over a lit object, so one ring alone stays well short of white, and even where they cross,
// blue, which the band hardly has, keeps the light coloured.
void paint_circletex(Canvas& canvas)
{
    paint_each(canvas, [&](float px, float py) {
        const float r = std::hypot(disc_coordinate(px, canvas.width), disc_coordinate(py, canvas.height));
        const float band = r - 0.70f;
        const Colour glow = gold * (0.4f * gaussian(band, 0.03f)) + ember * (0.45f * gaussian(band, 0.08f)) +
                            violet * (0.25f * gaussian(band, 0.2f));
        return glow * edge_window(r);
    });
}

// A small round sprite: a white spark in a tight gold halo. The ring scenes fly ten of them through
// the camera, stacked along one line of sight and growing to fill the window as they pass the eye, so
// the glow stays small and faint enough that the ring behind it still shows through.
void paint_circletex2(Canvas& canvas)
{
    paint_each(canvas, [&](float px, float py) {
        const float r = std::hypot(disc_coordinate(px, canvas.width), disc_coordinate(py, canvas.height));
        const Colour glow =
            white * (0.6f * gaussian(r, 0.03f)) + gold * (0.22f * gaussian(r, 0.08f)) + violet * (0.05f * gaussian(r, 0.25f));
        return glow * edge_window(r);
    });
}

// A sheet of light running down the picture (along the light plane, t = 0 at its far end): a soft
// blue-violet core and a few fine streaks, fading softly to black well before the sides. The ring
// scenes' cameras stand at t = 0.6 and 0.67 of their planes, where a plane passing close to the eye
// fills the frame with one magnified patch of the picture, cut hard by the near clipping plane; so
// the light is brightest beyond the ring (t = 0.5) and fades out before it reaches the viewer.
void paint_linetex(Canvas& canvas)
{
    const Colour beam_blue = {0.30f, 0.30f, 1.0f};
    const float streak_offsets[] = {-0.5f, -0.27f, 0.22f, 0.45f};
    paint_each(canvas, [&](float px, float py) {
        const float across = disc_coordinate(px, canvas.width);
        const float along = py / static_cast<float>(canvas.height);
        const float ends = smoothstep(0.0f, 0.2f, along) * smoothstep(0.6f, 0.45f, along);
        float streaks = 0.0f;
        for (float offset : streak_offsets)
            streaks += gaussian(across - offset, 0.015f);
        const Colour glow = beam_blue * (0.25f * gaussian(across, 0.15f)) + violet * (0.15f * gaussian(across, 0.35f)) +
                            cream * (0.2f * streaks);
        return glow * (ends * smoothstep(0.75f, 0.55f, std::fabs(across)));
    });
}

// Dusk: a violet sky burning down to ember at the horizon, a low pale sun, a floor of glowing lines.
void paint_refl1(Canvas& canvas)
{
    const Mood dusk = {
        violet * 0.9f, ember, cream, normalised({-0.45f, 0.20f, 0.85f}), 0.012f,
        night_blue, violet, ember, false,
    };
    paint_reflection(canvas, dusk);
}

// Gilded: a pale gold sky burning to ember at the horizon, a high white sun, a dark floor checked in
// gold. Warm, bright and hard-edged, it lights the stars against the violet cavity they turn in.
void paint_refl2(Canvas& canvas)
{
    const Mood gilded = {
        mix(gold, cream, 0.6f), ember, white, normalised({0.5f, 0.6f, 0.62f}), 0.02f,
        ink, night_blue, gold * 0.8f, true,
    };
    paint_reflection(canvas, gilded);
}
