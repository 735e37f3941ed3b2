// The inside of three round tunnels crossing at right angles, flown through by a tumbling camera:
// a flat sheet filling the window, textured and shaded from one ray per point of an 81 × 61 grid,
// fading in from black over the first 20 seconds while its texture slowly drifts.
#include "effects/tunnel.h"

#include "effects/gl_base.h"

#include <cmath>

// The three cylinders share a radius of 4.
static constexpr double radius_squared = 16.0;

// Ray directions: u across, v up, and half of the forward axis.
static constexpr double focal_weight = 0.5;
static constexpr double ray_u_start = -1.333;
static constexpr double ray_u_step = 1.0 / 30.0;
static constexpr double ray_v_start = -1.0;
static constexpr double ray_v_step = 0.033325;  // a little short of 1/30: v ends at 0.9995

// The sheet at z = 0: just covers the window seen from (0, 0, -2.4) under the 45-degree view.
static constexpr double sheet_x_start = -1.3333;
static constexpr double sheet_y_start = -1.0;
static constexpr double sheet_step = 1.0 / 30.0;

// Texture coordinates per world unit of the hit point, and the distance at which the shade is 1.
static constexpr double texture_scale = 0.1;
static constexpr double unit_shade_distance = 7.0;

// The texture wanders on an ellipse, once around every 2π / 0.02 ≈ 314 seconds.
static constexpr double drift_rate = 0.02;
static constexpr double drift_s_reach = 7.0;
static constexpr double drift_t_reach = 4.0;

// The show opens with a fade-in from black.
static constexpr double fade_in_seconds = 20.0;
static constexpr double fade_in_rate = 1.0 / fade_in_seconds;

static constexpr TunnelPoint unlit_point = {0.0f, 0.0f, 0.0f};

// The two coordinates each cylinder spans, in tie-breaking order.
struct CylinderSpan {
    TunnelWall wall;
    int p, q;
};
static constexpr CylinderSpan cylinder_spans[] = {
    {TunnelWall::z_axis, 0, 1}, {TunnelWall::y_axis, 0, 2}, {TunnelWall::x_axis, 1, 2}};

struct TextureDrift {
    float s, t;
};

// The smaller root of the line meeting one cylinder; false when the line misses the cylinder or
// runs exactly parallel to its axis, so that no NaN or infinity can come of it.
static bool cylinder_root(float dp, float dq, double op, double oq, double& lambda)
{
    double a = static_cast<double>(dp) * dp + static_cast<double>(dq) * dq;
    double b = 2.0 * (dp * op + dq * oq);
    double c = op * op + oq * oq - radius_squared;
    double discriminant = b * b - 4.0 * a * c;
    if (a == 0.0 || discriminant < 0.0)
        return false;
    lambda = (-b - std::sqrt(discriminant)) / (2.0 * a);
    return true;
}

TunnelHit tunnel_hit(const float direction[3], const double origin[3])
{
    TunnelHit hit = {0.0, TunnelWall::none};
    for (const CylinderSpan& span : cylinder_spans) {
        double lambda;
        if (!cylinder_root(direction[span.p], direction[span.q], origin[span.p], origin[span.q], lambda))
            continue;
        if (hit.wall == TunnelWall::none || lambda < hit.lambda)
            hit = {lambda, span.wall};
    }
    return hit;
}

static bool is_finite(const TunnelPoint& point)
{
    return std::isfinite(point.s) && std::isfinite(point.t) && std::isfinite(point.shade);
}

// A hit at lambda = 0 (the origin on a wall) or beyond the float range would give an infinite
// value; such a point is drawn black like a ray that meets no wall.
TunnelPoint tunnel_point(const float direction[3], const double origin[3])
{
    TunnelHit hit = tunnel_hit(direction, origin);
    if (hit.wall == TunnelWall::none)
        return unlit_point;
    double hit_x = origin[0] + hit.lambda * direction[0];
    double hit_y = origin[1] + hit.lambda * direction[1];
    double hit_z = origin[2] + hit.lambda * direction[2];
    TunnelPoint point = {static_cast<float>(texture_scale * hit_x), static_cast<float>(texture_scale * (hit_y + hit_z)),
                         static_cast<float>(-unit_shade_distance / hit.lambda)};
    return is_finite(point) ? point : unlit_point;
}

// Coordinate `axis` of u·R + v·U + 0.5·F, where R, U and F are the rows of the matrix's rotation.
static float ray_component(const double* matrix, int axis, double u, double v)
{
    return static_cast<float>(u * matrix[4 * axis] + v * matrix[4 * axis + 1] + focal_weight * matrix[4 * axis + 2]);
}

void cast_tunnel_grid(TunnelSheet& sheet, const double* matrix)
{
    const double origin[3] = {matrix[12], matrix[13], matrix[14]};
    double v = ray_v_start;
    for (int i = 0; i < tunnel_rows; ++i) {
        double u = ray_u_start;
        for (int j = 0; j < tunnel_columns; ++j) {
            const float direction[3] = {ray_component(matrix, 0, u, v), ray_component(matrix, 1, u, v),
                                        ray_component(matrix, 2, u, v)};
            sheet.grid[i][j] = tunnel_point(direction, origin);
            u += ray_u_step;
        }
        v += ray_v_step;
    }
}

static TextureDrift texture_drift(double time)
{
    double angle = drift_rate * time;
    return {static_cast<float>(drift_s_reach * std::sin(angle)), static_cast<float>(drift_t_reach * std::cos(angle))};
}

static float fade_in_brightness(double time)
{
    return time < fade_in_seconds ? static_cast<float>(fade_in_rate * time) : 1.0f;
}

// Strip i joins grid rows i and i + 1, lower vertex first in every column; each strip has its own
// pair of heights, as each was always computed.
TunnelSheet::TunnelSheet() : grid(), colours(), texture_coordinates()
{
    for (int i = 0; i < tunnel_strips; ++i) {
        float lower_y = static_cast<float>(sheet_y_start + i * sheet_step);
        float upper_y = static_cast<float>(sheet_y_start + i * sheet_step + sheet_step);
        for (int j = 0; j < tunnel_columns; ++j) {
            float x = static_cast<float>(sheet_x_start + j * sheet_step);
            float* lower = positions[i * tunnel_strip_vertices + 2 * j];
            float* upper = positions[i * tunnel_strip_vertices + 2 * j + 1];
            lower[0] = upper[0] = x;
            lower[1] = lower_y;
            upper[1] = upper_y;
            lower[2] = upper[2] = 0.0f;
        }
    }
}

static void set_vertex(TunnelSheet& sheet, int vertex, const TunnelPoint& point, TextureDrift drift, float brightness)
{
    float grey = brightness * point.shade;
    float* colour = sheet.colours[vertex];
    colour[0] = colour[1] = colour[2] = grey;
    sheet.texture_coordinates[vertex][0] = point.s + drift.s;
    sheet.texture_coordinates[vertex][1] = point.t + drift.t;
}

static void fill_strips(TunnelSheet& sheet, TextureDrift drift, float brightness)
{
    for (int i = 0; i < tunnel_strips; ++i)
        for (int j = 0; j < tunnel_columns; ++j) {
            int lower = i * tunnel_strip_vertices + 2 * j;
            set_vertex(sheet, lower, sheet.grid[i][j], drift, brightness);
            set_vertex(sheet, lower + 1, sheet.grid[i + 1][j], drift, brightness);
        }
}

void draw_tunnel(TunnelSheet& sheet, const Matrix4& view, GLuint texture, const double* matrix, double time)
{
    cast_tunnel_grid(sheet, matrix);
    fill_strips(sheet, texture_drift(time), fade_in_brightness(time));
    glBindTexture(GL_TEXTURE_2D, texture);
    glLoadMatrixf(view.m);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, sheet.positions);
    glColorPointer(3, GL_FLOAT, 0, sheet.colours);
    glTexCoordPointer(2, GL_FLOAT, 0, sheet.texture_coordinates);
    for (int i = 0; i < tunnel_strips; ++i)
        glDrawArrays(GL_TRIANGLE_STRIP, i * tunnel_strip_vertices, tunnel_strip_vertices);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glBindTexture(GL_TEXTURE_2D, 0);
    restore_base_colour();
    glLoadIdentity();
}
