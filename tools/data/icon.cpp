// The icon: a ball wearing the blob scenes' cell tile (blob1), lit from the upper left, inside the
// metaball scene's glowing ring (circletex) tilted like a planet's, on a clear ground. The ring's far
// half passes behind the ball, its near half in front.
#include "icon.h"

#include "assets/picture_table.h"
#include "pictures.h"
#include "whole_file.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int icon_samples = 4;           // samples across a pixel, each way
constexpr float ball_radius = 0.56f;      // of the icon's half size
constexpr float ring_squash = 0.36f;      // the ring's height over its width
constexpr float ring_tilt = -0.42f;       // radians
constexpr float ring_gain = 1.6f;         // the glow made to hold its own on a light panel
constexpr float tile_wraps = 1.5f;        // tile widths around the ball's visible half
constexpr float ambient = 0.3f;
constexpr float gloss_power = 24.0f;
constexpr float light_x = -0.45f, light_y = 0.55f, light_z = 0.70f;  // towards the light, unit length

const PictureEntry& picture_named(const char* name)
{
    return *std::find_if(std::begin(picture_table), std::end(picture_table),
                         [name](const PictureEntry& p) { return std::string(p.name) == name; });
}

Canvas painted(const char* name, void (*paint)(Canvas&))
{
    const PictureEntry& entry = picture_named(name);
    Canvas canvas = make_canvas(entry.width, entry.height);
    paint(canvas);
    return canvas;
}

// The nearest texel at s, t (0 … 1, wrapping).
Colour texel(const Canvas& canvas, float s, float t)
{
    int x = static_cast<int>(std::floor(s * canvas.width)) % canvas.width;
    int y = static_cast<int>(std::floor(t * canvas.height)) % canvas.height;
    return canvas.pixels[static_cast<size_t>((y + canvas.height) % canvas.height) * canvas.width
                         + (x + canvas.width) % canvas.width];
}

// Colour and coverage of one sample, premultiplied; u, v from −1 to 1, v upwards.
struct Sample {
    Colour light;
    float cover;
};

Sample ball_at(const Canvas& tile, float u, float v)
{
    const float r2 = (u * u + v * v) / (ball_radius * ball_radius);
    if (r2 >= 1.0f)
        return {black, 0.0f};
    const float nx = u / ball_radius, ny = v / ball_radius, nz = std::sqrt(1.0f - r2);
    const Colour surface = texel(tile, 0.5f + tile_wraps * std::asin(nx) / pi, 0.5f - tile_wraps * std::asin(ny) / pi);
    const float diffuse = std::max(0.0f, nx * light_x + ny * light_y + nz * light_z);
    // The mirror direction of the view (0, 0, 1) about the normal, against the light.
    const float mirror = 2.0f * nz * (nx * light_x + ny * light_y + nz * light_z) - light_z;
    const float gloss = std::pow(std::max(0.0f, mirror), gloss_power);
    return {surface * (ambient + diffuse) + cream * (0.8f * gloss), 1.0f};
}

// The ring's glow at u, v, and whether that part of it lies beyond the ball.
Colour ring_at(const Canvas& ring, float u, float v, bool* far_side)
{
    const float c = std::cos(ring_tilt), s = std::sin(ring_tilt);
    const float x = c * u - s * v, y = (s * u + c * v) / ring_squash;
    *far_side = y > 0.0f;
    if (std::fabs(x) >= 1.0f || std::fabs(y) >= 1.0f)
        return black;
    return texel(ring, 0.5f + 0.5f * x, 0.5f - 0.5f * y) * ring_gain;
}

Sample icon_sample(const Canvas& tile, const Canvas& ring, float u, float v)
{
    bool far_side = false;
    const Colour glow = ring_at(ring, u, v, &far_side);
    const Sample ball = ball_at(tile, u, v);
    const Colour behind = far_side ? glow * (1.0f - ball.cover) : black;
    const Colour light = ball.light + behind + (far_side ? black : glow);
    const float glow_cover = clamp01(std::max({light.r, light.g, light.b}));
    return {light, std::max(ball.cover, glow_cover)};
}

unsigned char to_byte(float channel) { return static_cast<unsigned char>(std::lround(clamp01(channel) * 255.0f)); }

// The picture as a PNG file with its transparency, written whole.
bool write_png(const std::string& path, const std::vector<unsigned char>& rgba, int size)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = image.height = static_cast<png_uint_32>(size);
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t bytes = 0;
    if (png_image_write_to_memory(&image, nullptr, &bytes, 0, rgba.data(), 0, nullptr)) {
        std::vector<unsigned char> file(bytes);
        if (png_image_write_to_memory(&image, file.data(), &bytes, 0, rgba.data(), 0, nullptr))
            return write_whole_file(path, file.data(), bytes);
    }
    std::fprintf(stderr, "ninescenes-data: cannot encode %s: %s\n", path.c_str(), image.message);
    return false;
}

}  // namespace

bool write_icon(int size, const std::string& path)
{
    const Canvas tile = painted("blob1", paint_blob1);
    const Canvas ring = painted("circletex", paint_circletex);
    std::vector<unsigned char> rgba(static_cast<size_t>(size) * size * 4);
    const float step = 1.0f / icon_samples;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            Sample sum = {black, 0.0f};
            for (int j = 0; j < icon_samples; ++j)
                for (int i = 0; i < icon_samples; ++i) {
                    const float u = 2.0f * (x + (i + 0.5f) * step) / size - 1.0f;
                    const float v = 1.0f - 2.0f * (y + (j + 0.5f) * step) / size;
                    const Sample s = icon_sample(tile, ring, u, v);
                    sum = {sum.light + s.light, sum.cover + s.cover};
                }
            const float cover = sum.cover * step * step;
            // Stored straight, not premultiplied: the colour is the light over the coverage.
            const Colour colour = cover > 0.0f ? sum.light * (step * step / cover) : black;
            unsigned char* p = &rgba[(static_cast<size_t>(y) * size + x) * 4];
            p[0] = to_byte(colour.r);
            p[1] = to_byte(colour.g);
            p[2] = to_byte(colour.b);
            p[3] = to_byte(cover);
        }
    return write_png(path, rgba, size);
}
