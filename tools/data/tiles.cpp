// Surface tiles for the tunnel, the blobs and the two cubes. The show repeats them across its
// surfaces, so every pattern is periodic with the picture's size and has no seam.
#include <cmath>

#include "pictures.h"

namespace {

// Distance from p to the nearest edge of its cell of the given size.
float cell_edge_distance(float p, float cell)
{
    const float local = std::fmod(p, cell);
    return std::fmin(local, cell - local);
}

// Shortest distance between two coordinates on a circle of the given length.
float wrapped_difference(float a, float b, float length)
{
    float d = std::fabs(a - b);
    return std::fmin(d, length - d);
}

// Signed distance from a point to a rounded rectangle of half sides (half_x, half_y) centred on the origin.
float rounded_box_distance(float dx, float dy, float half_x, float half_y, float corner)
{
    const float qx = std::fabs(dx) - (half_x - corner);
    const float qy = std::fabs(dy) - (half_y - corner);
    const float outside = std::hypot(std::fmax(qx, 0.0f), std::fmax(qy, 0.0f));
    return outside + std::fmin(std::fmax(qx, qy), 0.0f) - corner;
}

// Samples per pixel, each way: enough to smooth the patterns' thin lines and edges.
constexpr int tile_samples = 2;

// ---- tunnel: riveted plates with glowing seams ----

constexpr int tunnel_plates = 4;           // plates across the tile, each way
constexpr float seam_half_width = 2.5f;    // pixels
constexpr float bevel_width = 6.0f;        // pixels
constexpr float inlay_inset = 14.0f;       // pixels from the seam to the engraved inner frame
constexpr float rivet_inset = 8.0f;        // pixels from the seam to a rivet's centre
constexpr float rivet_radius = 2.6f;       // pixels

// Three glowing vent slots across the plate's middle.
Colour add_vents(Colour base, float dx, float dy)
{
    const float slot_pitch = 10.0f;
    const float row = std::round(dy / slot_pitch);
    if (std::fabs(row) > 1.0f)
        return base;
    const float within = dy - row * slot_pitch;
    const float distance = rounded_box_distance(dx, within, 16.0f, 2.5f, 2.5f);
    const float hole = smoothstep(0.7f, -0.7f, distance);
    const Colour glow = ink + ember * (0.8f * smoothstep(-2.5f, 2.5f, within));
    const float lip = smoothstep(1.5f, 0.0f, std::fabs(distance)) * smoothstep(0.0f, -2.5f, within);
    return mix(base + gold * (0.25f * lip), glow, hole);
}

// A gold ring with a jewel in its middle.
Colour add_emblem(Colour base, float dx, float dy)
{
    const float r = std::hypot(dx, dy);
    const float ring = smoothstep(1.8f, 0.6f, std::fabs(r - 13.0f));
    const float jewel = smoothstep(4.5f, 3.5f, r);
    const Colour lit = mix(gold, cream, smoothstep(4.0f, -4.0f, dx + dy));
    return mix(mix(base, gold * 0.8f, ring), lit, jewel);
}

// An engraved frame set in from the seams.
Colour add_inlay(Colour base, float edge)
{
    const float inlay = smoothstep(1.2f, 0.0f, std::fabs(edge - inlay_inset));
    return mix(base, gold * 0.55f, 0.5f * inlay);
}

Colour tunnel_plate(float x, float y, float plate)
{
    const int cell_x = static_cast<int>(x / plate);
    const int cell_y = static_cast<int>(y / plate);
    const float tone = lattice_unit(cell_x, cell_y, 11u);
    Colour base = mix(night_blue * 1.3f, violet * 0.85f, tone);
    const float grain = periodic_fbm(x / plate, y / plate, tunnel_plates, tunnel_plates, 5, 12u);
    base = base * (0.85f + 0.3f * grain);

    // Light from the upper left catches the top and left bevels.
    const float lx = std::fmod(x, plate);
    const float ly = std::fmod(y, plate);
    const float top_left = std::fmin(lx, ly);
    const float bottom_right = std::fmin(plate - lx, plate - ly);
    base = base * (1.0f + 0.8f * smoothstep(bevel_width + seam_half_width, seam_half_width, top_left) -
                   0.5f * smoothstep(bevel_width + seam_half_width, seam_half_width, bottom_right));

    const float variant = lattice_unit(cell_x, cell_y, 13u);
    const float dx = lx - 0.5f * plate;
    const float dy = ly - 0.5f * plate;
    if (variant < 0.3f)
        base = add_vents(base, dx, dy);
    else if (variant < 0.55f)
        base = add_emblem(base, dx, dy);
    else
        base = add_inlay(base, std::fmin(cell_edge_distance(x, plate), cell_edge_distance(y, plate)));

    const float rivet_x = std::fmin(std::fabs(lx - rivet_inset), std::fabs(plate - rivet_inset - lx));
    const float rivet_y = std::fmin(std::fabs(ly - rivet_inset), std::fabs(plate - rivet_inset - ly));
    const float rivet = smoothstep(rivet_radius + 0.8f, rivet_radius - 0.8f, std::hypot(rivet_x, rivet_y));
    return mix(base, gold, rivet);
}

Colour tunnel_pixel(float x, float y, float plate)
{
    const float edge = std::fmin(cell_edge_distance(x, plate), cell_edge_distance(y, plate));
    const Colour plate_colour = tunnel_plate(x, y, plate);
    const float seam = smoothstep(seam_half_width + 0.8f, seam_half_width - 0.5f, edge);
    const Colour seam_colour = ink + ember * (1.2f * std::exp(-edge * edge / 0.8f));
    return mix(plate_colour, seam_colour, seam);
}

// ---- blob2: a plasma of soft colour bands ----

// Sums of sines whose frequencies are whole numbers of periods across the tile, with a gentle
// warp, read through the palette back and forth so that the bands flow from blue to gold and back.
Colour plasma_pixel(float x, float y, float size)
{
    const float a = two_pi * x / size;
    const float b = two_pi * y / size;
    const float warp = 0.9f * std::sin(2.0f * b + std::sin(a));
    const float p = std::sin(2.0f * a + warp) + std::sin(3.0f * b + 1.3f) + std::sin(a + b + 0.5f) +
                    std::sin(a - 2.0f * b + 2.0f + std::sin(3.0f * a));
    const float phase = 0.5f - 0.5f * std::cos(pi * 0.75f * p);
    return palette_ramp(0.15f + 0.6f * phase);
}

// ---- blob1: cells with gold walls ----

constexpr int cell_seed_count = 14;

struct CellSeed {
    float x, y, tone;
};

struct CellDistances {
    float nearest;
    float second;
    float tone;  // of the nearest seed
};

CellDistances cell_distances(const CellSeed* seeds, float x, float y, float size)
{
    CellDistances d = {1e9f, 1e9f, 0.0f};
    for (int i = 0; i < cell_seed_count; ++i) {
        const float distance =
            std::hypot(wrapped_difference(x, seeds[i].x, size), wrapped_difference(y, seeds[i].y, size));
        if (distance < d.nearest) {
            d.second = d.nearest;
            d.nearest = distance;
            d.tone = seeds[i].tone;
        } else if (distance < d.second) {
            d.second = distance;
        }
    }
    return d;
}

Colour cell_pixel(const CellSeed* seeds, float x, float y, float size)
{
    const CellDistances d = cell_distances(seeds, x, y, size);
    const float wall = d.second - d.nearest;
    // Each cell is a dome: bright near its seed, darker towards its wall.
    const float dome = std::exp(-d.nearest / 38.0f);
    Colour colour = mix(night_blue * 0.7f, violet, d.tone) * (0.45f + 0.9f * dome);
    colour = colour + cream * (0.35f * std::exp(-d.nearest * d.nearest / 60.0f));
    const float glow = std::exp(-wall / 2.2f);
    return mix(colour, ink, smoothstep(6.0f, 1.5f, wall)) + gold * glow + ember * (0.5f * std::exp(-wall / 7.0f));
}

// ---- wobl: a checker of glossy rounded tiles ----

constexpr int checker_tiles = 4;         // tiles across the picture, each way
constexpr float tile_gap = 3.0f;         // pixels of groove on each side of a tile
constexpr float tile_corner = 12.0f;     // corner radius in pixels
// The grooves and the tiles' shaded sides stay a deep violet, never black: under the cube's glint a
// face turned away from the light still shows its tiles.
constexpr Colour groove = violet * 0.55f;

Colour checker_pixel(float x, float y, float tile)
{
    const int cell_x = static_cast<int>(x / tile);
    const int cell_y = static_cast<int>(y / tile);
    const float dx = std::fmod(x, tile) - 0.5f * tile;
    const float dy = std::fmod(y, tile) - 0.5f * tile;
    const float half = 0.5f * tile - tile_gap;
    const float distance = rounded_box_distance(dx, dy, half, half, tile_corner);
    const bool warm = ((cell_x + cell_y) & 1) != 0;
    const Colour face = warm ? mix(ember, gold, 0.25f) : mix(violet, night_blue, 0.1f) * 1.15f;
    // A soft dome shading with a gloss spot towards the upper left.
    const float nx = dx / (0.5f * tile);
    const float ny = dy / (0.5f * tile);
    const float shade = 1.0f - 0.2f * (nx * nx + ny * ny) - 0.1f * (nx + ny);
    const float gloss = std::exp(-((nx + 0.35f) * (nx + 0.35f) + (ny + 0.35f) * (ny + 0.35f)) / 0.06f);
    const float rim = smoothstep(-4.0f, -1.0f, distance) * smoothstep(0.5f, -1.0f, distance);
    Colour colour = face * shade + cream * (0.45f * gloss) + gold * (0.35f * rim);
    return mix(colour, groove, smoothstep(-0.8f, 0.8f, distance));
}

// ---- mag: graph paper under the lenses ----

constexpr float minor_pitch = 16.0f;  // pixels
constexpr float major_pitch = 64.0f;  // pixels
constexpr int mag_nebula_cells = 2;

Colour graph_pixel(float x, float y, float size)
{
    const float u = x / size * mag_nebula_cells;
    const float v = y / size * mag_nebula_cells;
    const float cloud = 0.5f + 0.5f * periodic_fbm(u, v, mag_nebula_cells, mag_nebula_cells, 4, 31u);
    Colour colour = mix(night_blue * 0.8f, violet * 0.9f, smoothstep(0.3f, 0.8f, cloud));
    const float minor = std::fmin(cell_edge_distance(x, minor_pitch), cell_edge_distance(y, minor_pitch));
    const float major = std::fmin(cell_edge_distance(x, major_pitch), cell_edge_distance(y, major_pitch));
    colour = colour + Colour{0.25f, 0.35f, 0.85f} * (0.35f * smoothstep(1.1f, 0.2f, minor));
    colour = mix(colour, gold, smoothstep(1.6f, 0.4f, major));
    const float cross = std::hypot(cell_edge_distance(x, major_pitch), cell_edge_distance(y, major_pitch));
    return colour + cream * (0.9f * std::exp(-cross * cross / 10.0f)) + ember * (0.4f * std::exp(-cross / 6.0f));
}

}  // namespace

void paint_tunnel(Canvas& canvas)
{
    const float plate = static_cast<float>(canvas.width) / tunnel_plates;
    paint_supersampled(canvas, tile_samples, [&](float x, float y) { return tunnel_pixel(x, y, plate); });
}

void paint_blob1(Canvas& canvas)
{
    const float size = static_cast<float>(canvas.width);
    CellSeed seeds[cell_seed_count];
    Random random = {0x5eed0b1bu};
    for (CellSeed& seed : seeds)
        seed = {next_unit(random) * size, next_unit(random) * size, next_unit(random)};
    paint_supersampled(canvas, tile_samples, [&](float x, float y) { return cell_pixel(seeds, x, y, size); });
}

void paint_blob2(Canvas& canvas)
{
    const float size = static_cast<float>(canvas.width);
    paint_each(canvas, [&](float x, float y) { return plasma_pixel(x, y, size); });
}

void paint_wobl(Canvas& canvas)
{
    const float tile = static_cast<float>(canvas.width) / checker_tiles;
    paint_supersampled(canvas, tile_samples, [&](float x, float y) { return checker_pixel(x, y, tile); });
}

void paint_mag(Canvas& canvas)
{
    const float size = static_cast<float>(canvas.width);
    paint_supersampled(canvas, tile_samples, [&](float x, float y) { return graph_pixel(x, y, size); });
}
