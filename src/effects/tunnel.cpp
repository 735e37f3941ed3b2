// The inside of three round tunnels crossing at right angles, flown through by a tumbling camera:
// a flat sheet filling the window, textured and shaded from one ray per point of an 81 × 61 grid,
// fading in from black over the first 20 seconds while its texture slowly drifts.
#include "effects/tunnel.h"

#include <GL/gl.h>

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

TunnelPoint tunnel_grid[tunnel_rows][tunnel_columns];

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

void cast_tunnel_grid(const double* matrix)
{
    const double origin[3] = {matrix[12], matrix[13], matrix[14]};
    double v = ray_v_start;
    for (int i = 0; i < tunnel_rows; ++i) {
        double u = ray_u_start;
        for (int j = 0; j < tunnel_columns; ++j) {
            const float direction[3] = {ray_component(matrix, 0, u, v), ray_component(matrix, 1, u, v),
                                        ray_component(matrix, 2, u, v)};
            tunnel_grid[i][j] = tunnel_point(direction, origin);
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

static void set_shade(const TunnelPoint& point, float brightness)
{
    float grey = brightness * point.shade;
    glColor3f(grey, grey, grey);
}

static void set_texture(const TunnelPoint& point, TextureDrift drift)
{
    glTexCoord2f(point.s + drift.s, point.t + drift.t);
}

// Strip i joins grid rows i and i + 1, lower vertex first in every column.
static void draw_strip(int i, TextureDrift drift, float brightness)
{
    float lower_y = static_cast<float>(sheet_y_start + i * sheet_step);
    float upper_y = static_cast<float>(sheet_y_start + i * sheet_step + sheet_step);
    glBegin(GL_TRIANGLE_STRIP);
    for (int j = 0; j < tunnel_columns; ++j) {
        float x = static_cast<float>(sheet_x_start + j * sheet_step);
        set_shade(tunnel_grid[i][j], brightness);
        set_texture(tunnel_grid[i][j], drift);
        glVertex3f(x, lower_y, 0.0f);
        set_texture(tunnel_grid[i + 1][j], drift);
        set_shade(tunnel_grid[i + 1][j], brightness);
        glVertex3f(x, upper_y, 0.0f);
    }
    glEnd();
}

void draw_tunnel(const double* matrix, double time)
{
    cast_tunnel_grid(matrix);
    TextureDrift drift = texture_drift(time);
    float brightness = fade_in_brightness(time);
    for (int i = 0; i + 1 < tunnel_rows; ++i)
        draw_strip(i, drift, brightness);
}
