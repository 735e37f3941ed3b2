// A tall square column twisting like a ribbon in front of the scrolling backdrop, the scroller text
// climbing its faces, glossed over by a sphere-mapped light map.
#include "effects/twisted_column.h"

#include "assets/textures.h"
#include "effects/gl_base.h"
#include "effects/sphere_map.h"
#include "effects/strips.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdint>

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

// One face's corner: the column's corner k at height y, the picture at (s, t).
static void set_corner(ColumnArrays& column, int vertex, int k, double y, double c, double s, double texture_s,
                       double texture_t)
{
    ColumnCorner p = corner(k, c, s);
    float* position = column.positions[vertex];
    position[0] = static_cast<float>(p.x);
    position[1] = static_cast<float>(y);
    position[2] = static_cast<float>(p.z);
    column.texture_coordinates[vertex][0] = static_cast<float>(texture_s);
    column.texture_coordinates[vertex][1] = static_cast<float>(texture_t);
    float* normal = column.normals[vertex];
    normal[0] = static_cast<float>(p.x);
    normal[1] = 0.0f;
    normal[2] = static_cast<float>(p.z);
}

// The four faces between the squares at heights y0 and y1, whose angles have the cosines and sines
// (c0, s0) and (c1, s1); each face spans the picture's full width, t0 at its lower edge.
static void set_slice(ColumnArrays& column, int slice, double y0, double y1, double t0, double t1, double c0, double s0,
                      double c1, double s1)
{
    for (int k = 0; k < 4; ++k) {
        int first = (4 * slice + k) * 4;
        set_corner(column, first, k, y0, c0, s0, 0.0, t0);
        set_corner(column, first + 1, k, y1, c1, s1, 0.0, t1);
        set_corner(column, first + 2, k + 1, y0, c0, s0, 1.0, t0);
        set_corner(column, first + 3, k + 1, y1, c1, s1, 1.0, t1);
    }
}

// Heights and texture positions are summed slice by slice, so each slice's upper square is exactly
// the next one's lower square and the column has no cracks.
void build_column(ColumnArrays& column, double time)
{
    float tau = static_cast<float>(time);
    double y0 = column_foot;
    double v0 = foot_texture_v - texture_climb_rate * time;
    double a0 = twist_angle(static_cast<float>(y0), tau);
    for (int k = 0; k < column_slices; ++k) {
        double y1 = y0 + slice_height;
        double v1 = v0 + slice_texture_step;
        double a1 = twist_angle(static_cast<float>(y1), tau);
        set_slice(column, k, y0, y1, 1.0 - v0, 1.0 - v1, std::cos(a0), std::sin(a0), std::cos(a1), std::sin(a1));
        y0 = y1;
        v0 = v1;
        a0 = a1;
    }
}

// Each face's four corners are a strip of two triangles.
static constexpr StripTable<column_vertices / 4, 4> faces;

static void draw_faces() { glDrawElements(GL_TRIANGLES, faces.count, GL_UNSIGNED_SHORT, faces.index); }

// The picture first, opaque; then the light map, blended by its alpha over the same faces.
void draw_scene7_effect(ColumnArrays& column, const Matrix4& camera, double time)
{
    build_column(column, time);
    glLoadMatrixf(camera.m);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, column.positions);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, 0, column.texture_coordinates);
    glBindTexture(GL_TEXTURE_2D, textures.scrolltex);
    draw_faces();
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);

    begin_sphere_mapping();
    glEnableClientState(GL_NORMAL_ARRAY);
    glNormalPointer(GL_FLOAT, 0, column.normals);
    glBindTexture(GL_TEXTURE_2D, textures.lighttex3);
    glEnable(GL_BLEND);
    draw_faces();
    end_sphere_mapping();
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    restore_base_blending();
    glBindTexture(GL_TEXTURE_2D, 0);
    glLoadIdentity();
}
