// A cube whose faces ripple like jelly over the wavy backdrop of scenes 2 and 3, swinging back and
// forth and stepping one radian on every beat, glinting through a light map. The ripple swells over
// the scene's first seconds and dies away before its end.
#include "effects/wobbling_cube.h"

#include "assets/textures.h"

#include <cmath>

// The ripple's strength ramp (s) and its plateau; the rates are 1/15 and 2/35 as floats.
static constexpr float ripple_rise_start = 3.0f;
static constexpr float ripple_hold_start = 9.0f;
static constexpr float ripple_hold_end = 28.0f;
static constexpr float ripple_fall_end = 35.0f;
static constexpr float ripple_rise_rate = 0.06666667f;
static constexpr float ripple_fall_rate = 0.057142857f;
static constexpr float ripple_plateau = 0.4f;

float ripple_strength(float t)
{
    if (t <= ripple_rise_start)
        return 0.0f;
    if (t < ripple_hold_start)
        return (t - ripple_rise_start) * ripple_rise_rate;
    if (t <= ripple_hold_end)
        return ripple_plateau;
    if (t < ripple_fall_end)
        return (ripple_fall_end - t) * ripple_fall_rate;
    return 0.0f;
}

// The ripple is applied after the turn, so it stays fixed in the world while the cube turns in it.
CubePoint wobble_point(CubePoint p, const Rotation& turn, float T, float amplitude)
{
    rotate_point(turn, p);
    return {static_cast<float>(p.x + amplitude * std::sin(0.05 * T + 4 * p.z) * std::sin(0.03 * T + 1)),
            static_cast<float>(p.y + amplitude * std::sin(3 * p.x + 1 + 0.04 * T) * std::cos(0.02 * T)),
            static_cast<float>(p.z + amplitude * std::sin(0.06 * T + 3.4 * p.y + 0.6) * std::sin(0.025 * T + 0.3))};
}

void build_wobble_grid(CubeGrid& grid, float t, float beat_step)
{
    float amplitude = ripple_strength(t);
    float T = cube_time_scale * t;
    Rotation turn = swinging_rotation(T, beat_step);
    reset_cube_grid(grid);
    for (auto& face : grid.vertex)
        for (auto& row : face)
            for (CubeVertex& v : row)
                v.position = wobble_point(v.position, turn, T, amplitude);
}

void draw_wobbling_object(CubeGrid& grid, const Matrix4& camera, float t, float beat_step)
{
    build_wobble_grid(grid, t, beat_step);
    shade_cube_grid(grid);
    draw_cube_grid(grid, camera, textures.wobl, textures.wobllighttex);
}
