// A tall square column twisting like a ribbon in front of the scrolling backdrop, the scroller text
// climbing its faces, glossed over by a sphere-mapped light map.
#include "effects/twisted_column.h"

#include "assets/sphere_map.h"
#include "assets/textures.h"

#include <GL/gl.h>

#include <cmath>

// The column stands from y = -4 to 4 in slices of 1/60.
static constexpr double column_foot = -4.0;
static constexpr double slice_height = 1.0 / 60.0;

// The picture's t at the foot is 1.5 at first and climbs at 0.025 a second; each slice spans 1/600
// of it, as a float.
static constexpr double foot_texture_v = -0.5;
static constexpr double texture_climb_rate = 0.025;
static constexpr double slice_texture_step = static_cast<double>(1.0f / 600.0f);

// The whole column turns steadily at 0.4 radians a second, with a swing of 0.28.
static constexpr double turn_rate = 0.4;
static constexpr double turn_swing = 0.28;

using SliceDrawer = void (*)(double, double, double, double, double, double, double, double);

struct ColumnCorner {
    double x, z;
};

double twist_angle(float y, float tau)
{
    double along = std::sin(2.8 * (0.46 * std::cos(0.73 * tau - 0.1 * y) + 0.2 * tau + 0.9 * y));
    double across = std::cos(3.2 * (0.385 * std::cos(0.527 * tau - 0.1 * y) + 0.13 * tau + 0.475 * y));
    return along * across + turn_swing * std::sin(tau) + turn_rate * tau;
}

// Corner k of the square turned by the angle with cosine c and sine s; each is the one before turned
// by a quarter, and its horizontal position is also its outward normal.
static ColumnCorner corner(int k, double c, double s)
{
    switch (k % 4) {
    case 0: return {-c, s};
    case 1: return {s, c};
    case 2: return {c, -s};
    default: return {-s, -c};
    }
}

enum class SliceLook { textured, lit };

static void send_corner(int k, double y, double c, double s, double texture_s, double texture_t, SliceLook look)
{
    ColumnCorner p = corner(k, c, s);
    if (look == SliceLook::lit)
        glNormal3d(p.x, 0.0, p.z);
    else
        glTexCoord2d(texture_s, texture_t);
    glVertex3d(p.x, y, p.z);
}

static void draw_slice(double y0, double y1, double t0, double t1, double c0, double s0, double c1, double s1,
                       SliceLook look)
{
    for (int k = 0; k < 4; ++k) {
        glBegin(GL_TRIANGLE_STRIP);
        send_corner(k, y0, c0, s0, 0.0, t0, look);
        send_corner(k, y1, c1, s1, 0.0, t1, look);
        send_corner(k + 1, y0, c0, s0, 1.0, t0, look);
        send_corner(k + 1, y1, c1, s1, 1.0, t1, look);
        glEnd();
    }
}

void draw_column_slice(double y0, double y1, double t0, double t1, double c0, double s0, double c1, double s1)
{
    draw_slice(y0, y1, t0, t1, c0, s0, c1, s1, SliceLook::textured);
}

void draw_column_slice_lit(double y0, double y1, double t0, double t1, double c0, double s0, double c1, double s1)
{
    draw_slice(y0, y1, t0, t1, c0, s0, c1, s1, SliceLook::lit);
}

// Heights and texture positions are summed slice by slice, so each slice's upper square is exactly
// the next one's lower square and the column has no cracks.
static void draw_slices(double time, SliceDrawer draw)
{
    float tau = static_cast<float>(time);
    double y0 = column_foot;
    double v0 = foot_texture_v - texture_climb_rate * time;
    for (int k = 0; k < column_slices; ++k) {
        double y1 = y0 + slice_height;
        double v1 = v0 + slice_texture_step;
        double a0 = twist_angle(static_cast<float>(y0), tau);
        double a1 = twist_angle(static_cast<float>(y1), tau);
        draw(y0, y1, 1.0 - v0, 1.0 - v1, std::cos(a0), std::sin(a0), std::cos(a1), std::sin(a1));
        y0 = y1;
        v0 = v1;
    }
}

// The picture first, under the caller's state (blending off, white); then the light map, blended by
// its alpha over the same slices.
void draw_scene7_effect(double time)
{
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, textures.scrolltex);
    draw_slices(time, draw_column_slice);

    begin_sphere_mapping();
    glBindTexture(GL_TEXTURE_2D, textures.lighttex3);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    draw_slices(time, draw_column_slice_lit);
    end_sphere_mapping();
    glDisable(GL_BLEND);
}
