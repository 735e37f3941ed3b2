// The cube of the wobbling and the bulging cube: a fine grid on each face, so that a deformation
// bends the faces smoothly, drawn with a fixed picture and then a glint that follows the surface's
// mirror directions towards a fixed eye.
#include "effects/cube_grid.h"

#include "effects/gl_base.h"
#include "effects/strips.h"

#include <cmath>
#include <cstdint>

// The flat cube's coordinates run from -1 to 1 in steps of the float 0.1, summed in double.
static constexpr double flat_start = -1.0;
static constexpr float flat_step = 0.1f;
static constexpr double texture_scale = 0.5;

// Both cubes swing about each axis by up to 3 radians, at their own rates.
static constexpr double swing_reach = 3.0;
static constexpr double swing_x_rate = 0.01;
static constexpr double swing_y_rate = 0.015;
static constexpr double swing_z_rate = 0.02;

// The mirror directions look towards this point, whatever the camera.
static constexpr CubePoint eye_point = {0.0f, 0.0f, 6.0f};
// A degenerate cell (its corners piled together or in a line) has no direction of its own.
static constexpr CubePoint fallback_direction = {0.0f, 0.0f, 1.0f};

// The light texture spans mirror directions -2 … 2, so a unit direction stays in its middle half.
static constexpr float light_scale = 0.25f;
static constexpr float light_centre = 0.5f;

using CubeFace = CubeVertex[cube_side][cube_side];

static CubePoint sum(const CubePoint& a, const CubePoint& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
static CubePoint difference(const CubePoint& a, const CubePoint& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
static float dot(const CubePoint& a, const CubePoint& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// Scaled by 1 / its length; a zero (or non-finite) length gives the fallback rather than NaN.
static CubePoint unit(const CubePoint& n)
{
    float length_squared = dot(n, n);
    if (!(length_squared > 0.0f) || !std::isfinite(length_squared))
        return fallback_direction;
    float scale = 1.0f / std::sqrt(length_squared);
    return {n.x * scale, n.y * scale, n.z * scale};
}

Rotation rotation(float alpha, float beta, float gamma)
{
    double sa = std::sin(alpha), ca = std::cos(alpha);
    double sb = std::sin(beta), cb = std::cos(beta);
    double sg = std::sin(gamma), cg = std::cos(gamma);
    const double m[9] = {cb * cg, sa * sb * cg - ca * sg, ca * sb * cg + sa * sg,
                         cb * sg, sa * sb * sg + ca * cg, ca * sb * sg - sa * cg,
                         -sb,     sa * cb,                ca * cb};
    Rotation r;
    for (int k = 0; k < 9; ++k)
        r.m[k] = static_cast<float>(m[k]);
    return r;
}

Rotation swinging_rotation(float T, float x_turn)
{
    return rotation(static_cast<float>(swing_reach * std::sin(swing_x_rate * T) + x_turn),
                 static_cast<float>(swing_reach * std::sin(swing_y_rate * T)),
                 static_cast<float>(swing_reach * std::sin(swing_z_rate * T)));
}

void rotate_point(const Rotation& r, CubePoint& p)
{
    const float* m = r.m;
    CubePoint q = p;
    p.x = m[0] * q.x + m[1] * q.y + m[2] * q.z;
    p.y = m[3] * q.x + m[4] * q.y + m[5] * q.z;
    p.z = m[6] * q.x + m[7] * q.y + m[8] * q.z;
}

CubePoint face_normal(const CubePoint& a, const CubePoint& b, const CubePoint& c)
{
    CubePoint u = difference(b, a);
    CubePoint w = difference(c, a);
    return unit({u.y * w.z - u.z * w.y, u.z * w.x - u.x * w.z, u.x * w.y - u.y * w.x});
}

// With this layout every face's strips wind counter-clockwise seen from outside the cube.
static CubePoint flat_position(int face, float p, float q)
{
    switch (face) {
    case 0: return {p, -q, 1.0f};
    case 1: return {p, q, -1.0f};
    case 2: return {1.0f, q, p};
    case 3: return {-1.0f, q, -p};
    case 4: return {p, -1.0f, -q};
    default: return {p, 1.0f, q};
    }
}

void reset_cube_grid(CubeGrid& grid)
{
    for (int f = 0; f < cube_faces; ++f) {
        double q = flat_start;
        for (int j = 0; j < cube_side; ++j, q += flat_step) {
            double p = flat_start;
            for (int i = 0; i < cube_side; ++i, p += flat_step) {
                CubeVertex& v = grid.vertex[f][j][i];
                v.position = flat_position(f, static_cast<float>(p), static_cast<float>(q));
                v.u = static_cast<float>((p + 1.0) * texture_scale);
                v.v = static_cast<float>(q * texture_scale);
            }
        }
    }
}

// Each vertex from row 1 and column 1 on gets the normal of the cell above and left of it.
static void set_face_normals(CubeFace& face)
{
    for (int j = 1; j < cube_side; ++j)
        for (int i = 1; i < cube_side; ++i)
            face[j][i].normal =
                face_normal(face[j - 1][i - 1].position, face[j - 1][i].position, face[j][i - 1].position);
}

// The border's light lookup is a face normal from just inside; the right column and the bottom-right
// corner reach one cell further in than the rest.
static void copy_border_normals(CubeFace& face)
{
    const int last = cube_cells;
    for (int i = 0; i <= last; ++i)
        face[0][i].mirror = face[1][i > 0 ? i : 1].normal;
    for (int j = 1; j < last; ++j) {
        face[j][0].mirror = face[j][1].normal;
        face[j][last].mirror = face[j][last - 1].normal;
    }
    for (int i = 0; i < last; ++i)
        face[last][i].mirror = face[last][i > 0 ? i : 1].normal;
    face[last][last].mirror = face[last - 1][last].normal;
}

// The eye direction reflected about the mean normal of the four cells meeting at each inner vertex.
static void set_mirror_directions(CubeFace& face)
{
    for (int j = 1; j < cube_cells; ++j)
        for (int i = 1; i < cube_cells; ++i) {
            CubeVertex& v = face[j][i];
            CubePoint n = unit(sum(sum(sum(v.normal, face[j][i + 1].normal), face[j + 1][i].normal),
                                   face[j + 1][i + 1].normal));
            CubePoint e = unit(difference(eye_point, v.position));
            float twice_cosine = 2.0f * dot(e, n);
            v.mirror = unit({twice_cosine * n.x - e.x, twice_cosine * n.y - e.y, twice_cosine * n.z - e.z});
        }
}

static void set_light_coordinates(CubeGrid& grid)
{
    for (int f = 0; f < cube_faces; ++f)
        for (int j = 0; j < cube_side; ++j)
            for (int i = 0; i < cube_side; ++i) {
                const CubePoint& mirror = grid.vertex[f][j][i].mirror;
                grid.light[f][j][i][0] = light_scale * mirror.x + light_centre;
                grid.light[f][j][i][1] = light_scale * mirror.y + light_centre;
            }
}

void shade_cube_grid(CubeGrid& grid)
{
    for (CubeFace& face : grid.vertex) {
        set_face_normals(face);
        copy_border_normals(face);
        set_mirror_directions(face);
    }
    set_light_coordinates(grid);
}

// The 120 strips, rows outermost: row j of every face, then row j + 1; each strip's 42 vertices (by
// their number in the grid) alternate between its two rows.
static constexpr int strip_vertices = 2 * cube_side;
static constexpr int strip_count = cube_cells * cube_faces;

struct CubeStrips {
    uint16_t index[strip_count * strip_indices(strip_vertices)];
};

static constexpr CubeStrips cube_strips()
{
    CubeStrips strips = {};
    uint16_t* out = strips.index;
    for (int j = 0; j < cube_cells; ++j)
        for (int f = 0; f < cube_faces; ++f)
            out = add_strip(out, strip_vertices, [f, j](int k) { return (f * cube_side + j + k % 2) * cube_side + k / 2; });
    return strips;
}
static constexpr CubeStrips strips = cube_strips();

static void draw_strips()
{
    glDrawElements(GL_TRIANGLES, strip_count * strip_indices(strip_vertices), GL_UNSIGNED_SHORT, strips.index);
}

// The first pass opaque, the base state's blending being off; the second draws the same triangles
// again, which GL_LEQUAL lets through.
void draw_cube_grid(const CubeGrid& grid, const Matrix4& camera, GLuint base_texture, GLuint light_texture)
{
    const CubeVertex& first = grid.vertex[0][0][0];
    glLoadMatrixf(camera.m);
    glEnable(GL_CULL_FACE);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(CubeVertex), &first.position);
    glTexCoordPointer(2, GL_FLOAT, sizeof(CubeVertex), &first.u);
    glBindTexture(GL_TEXTURE_2D, base_texture);
    draw_strips();

    glEnable(GL_BLEND);
    glTexCoordPointer(2, GL_FLOAT, 0, grid.light);
    glBindTexture(GL_TEXTURE_2D, light_texture);
    draw_strips();
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisable(GL_CULL_FACE);
    restore_base_blending();
    glBindTexture(GL_TEXTURE_2D, 0);
    glLoadIdentity();
}
