// The closing scene's cube, swelling under three wandering magnifying lenses into a lumpy, rounded
// shape that never settles, swinging like the wobbling cube and glinting through a light map.
#include "effects/bulging_cube.h"

#include "assets/textures.h"

#include <cmath>

// A lens reaches 1 / 0.8 = 1.25 from its centre; inside, distances grow as distance^0.4.
static constexpr double lens_reach_rate = 0.8;
static constexpr double lens_power = 0.6;

// Lens k wanders within m = 0.4 + 0.3·k of the origin.
static constexpr double lens_base_reach = 0.4;
static constexpr double lens_reach_step = 0.3;

CubePoint lens_centre(int k, float T)
{
    double m = lens_base_reach + lens_reach_step * k;
    return {static_cast<float>(m * std::sin(5 * k + 0.1 * T + 2.654)),
            static_cast<float>(m * std::sin(6 * k + 0.0864565 * T + 5.343)),
            static_cast<float>(m * std::sin(7 * k + 0.1123786 * T + 0.1))};
}

// On the centre itself the factor 1 / s^0.6 has no value: the point stays on the centre, the limit
// of the map, rather than becoming NaN.
CubePoint bulge_point(CubePoint p, const CubePoint& c, const Rotation& turn)
{
    CubePoint d = {p.x - c.x, p.y - c.y, p.z - c.z};
    float s = static_cast<float>(lens_reach_rate * std::sqrt(static_cast<double>(d.x * d.x + d.y * d.y + d.z * d.z)));
    if (s > 1.0f)
        s = 1.0f;
    CubePoint moved = c;
    if (s > 0.0f) {
        double k = 1.0 / std::pow(static_cast<double>(s), lens_power);
        moved = {static_cast<float>(c.x + k * d.x), static_cast<float>(c.y + k * d.y), static_cast<float>(c.z + k * d.z)};
    }
    rotate_point(turn, moved);
    return moved;
}

// Each lens ends with the turn, so the second and third act on the already turned surface.
void build_bulge_grid(CubeGrid& grid, float t)
{
    float T = cube_time_scale * t;
    Rotation turn = swinging_rotation(T, 0.0f);
    reset_cube_grid(grid);
    CubePoint centres[lens_count];
    for (int k = 0; k < lens_count; ++k)
        centres[k] = lens_centre(k, T);
    for (auto& face : grid.vertex)
        for (auto& row : face)
            for (CubeVertex& v : row)
                for (const CubePoint& c : centres)
                    v.position = bulge_point(v.position, c, turn);
}

void draw_last_object(CubeGrid& grid, const Matrix4& camera, float t)
{
    build_bulge_grid(grid, t);
    shade_cube_grid(grid);
    draw_cube_grid(grid, camera, textures.mag, textures.lighttex1);
}
