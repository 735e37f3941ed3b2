// Ten soft balls melt into one mesh every frame, drawn twice: with a slowly turning texture whose
// coordinates are the vertex positions, then glossed over by a light map looked up by the normals.
// Scene 1 shows the free cluster inside three glowing rings; scenes 5 and 6 look into a cavity.
#include "effects/blob_scenes.h"

#include "assets/textures.h"
#include "effects/gl_base.h"
#include "effects/glow_square.h"
#include "effects/matrix.h"
#include "effects/metaballs.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

static constexpr int blob_box_radius = 10;
static constexpr float blob_threshold = 0.5f;

// A ball of strength s reaches 2 / √s: 0.58 in the free cluster, 0.4 in the cavity.
static constexpr float cluster_strength = 12.0f;
static constexpr float cavity_strength = 25.0f;

// The cavity's balls wait far away for two seconds, then sweep in as 1 / (t - 2).
static constexpr float approach_start = 2.0f;
static constexpr float waiting_distance = 100.0f;

// Scene 1's gaze rests left of the cluster until the last three seconds, then swings off as u³.
static constexpr double swing_seconds = 3.0;
static constexpr double swing_rate = 2.0 / 3.0;
static constexpr double resting_gaze_x = -0.6;
static constexpr double cluster_eye_distance = 3.0;

// The camera in scene 5 stands in the wall, just beyond the cavity (semi-axis 0.778 in x and z).
static constexpr double cavity_eye_distance = 0.9;
static constexpr double cavity_eye_sway = 0.3;

// The light map is looked up along a view 1.2 ahead of the origin; 0.5 + 0.5·R·n spans the map.
static constexpr double light_map_depth = -1.2;
static constexpr float light_map_scale = 0.5f;
static constexpr float light_map_centre = 0.5f;

// The first pass's texture turns 20 degrees a second about an axis wandering in the xy plane; on
// alternate beats in the cavity it is seen through a wide projection as well.
static constexpr double texture_turn_rate = 20.0;
static constexpr double texture_axis_rate = 0.06;
static constexpr double distortion_fov = 120.0;
static constexpr double distortion_aspect = 2.0;
static constexpr double distortion_near = 0.1;
static constexpr double distortion_far = 10.0;

static constexpr float ring_half_size = 1.7f;

// A vertex whose gradient cancels along its edge has no direction of its own; this one lands at or
// near the light map's centre in s and t.
static constexpr float fallback_normal[3] = {0.0f, 0.0f, 1.0f};

struct View {
    Point eye, centre, up;
};

// What the two scenes draw differently in one frame.
struct BlobLook {
    View light;      // the light map's view, eye at the origin
    View camera;
    GLuint texture;  // of the first pass
    bool distorted;  // the first pass's texture through the wide projection
};

// How fast each ball's x, y and z oscillate.
struct PathRates {
    double x, y, z;
};
static constexpr PathRates cluster_rates = {0.41, 0.308526, 0.513125};
static constexpr PathRates cavity_rates = {0.5, 0.38526, 0.63125};

// The phases of ball i's three oscillations at t; the offsets keep the ten balls apart.
static Point ball_phases(int i, float t, const PathRates& rates)
{
    return {i + 1 + rates.x * t, 0.68 * i + 1 + rates.y * t + 0.6, 0.98 * i + 1 + rates.z * t + 4.7};
}

void place_cluster_balls(float t, Ball balls[blob_ball_count])
{
    for (int i = 0; i < blob_ball_count; ++i) {
        Point p = ball_phases(i, t, cluster_rates);
        balls[i] = {static_cast<float>(0.5 * std::sin(p.x)), static_cast<float>(0.5 * std::sin(p.y)),
                                static_cast<float>(0.5 * std::sin(p.z)), cluster_strength};
    }
}

// The spread and depth of the cavity's cluster breathe with a period of 2π seconds.
void place_cavity_balls(float t, Ball balls[blob_ball_count])
{
    float a = t <= approach_start ? waiting_distance : 1.0f / (t - approach_start);
    double depth = 0.35 - 0.3 * std::cos(t);
    for (int i = 0; i < blob_ball_count; ++i) {
        Point p = ball_phases(i, t, cavity_rates);
        double r = 0.1 * i + a + 0.25 - 0.2 * std::cos(t);
        balls[i] = {static_cast<float>(r * std::sin(p.x)), static_cast<float>(r * std::sin(p.y)),
                                static_cast<float>(depth * std::sin(p.z) - 0.3 - a), cavity_strength};
    }
}

static void begin_blob_frame(MetaballVolume& volume)
{
    volume.ball_count = blob_ball_count;
    volume.box_radius = blob_box_radius;
    volume.threshold = blob_threshold;
}

void normalise_normals(MetaballVolume& volume)
{
    for (int i = 0; i < volume.vertex_count; ++i) {
        std::array<float, 3>& n = volume.normals[i];
        double length_squared = static_cast<double>(n[0]) * n[0] + static_cast<double>(n[1]) * n[1] +
                                static_cast<double>(n[2]) * n[2];
        if (length_squared > 0.0) {
            double scale = 1.0 / std::sqrt(length_squared);
            n = {static_cast<float>(n[0] * scale), static_cast<float>(n[1] * scale), static_cast<float>(n[2] * scale)};
        } else {
            n = {fallback_normal[0], fallback_normal[1], fallback_normal[2]};
        }
    }
}

static void build_mesh(MetaballVolume& volume)
{
    volume.add_balls();
    volume.polygonize();
    normalise_normals(volume);
}

static Matrix4 view_matrix(const View& v) { return looked_at(identity_matrix(), v.eye, v.centre, v.up); }

// The light map's up vector turns slowly, so its glint circles the blob.
static Point light_up(float t) { return {std::sin(0.6 * t), std::cos(0.6 * t), 0.0}; }

// The light view's rotation, halved, with its translation replaced by (0.5, 0.5, 0): a unit normal n
// maps to 0.5 + 0.5·R·n in s and t.
static Matrix4 light_map_matrix(const View& light)
{
    Matrix4 matrix = scaled(view_matrix(light), light_map_scale, light_map_scale, light_map_scale);
    matrix.m[12] = light_map_centre;
    matrix.m[13] = light_map_centre;
    matrix.m[14] = 0.0f;
    return matrix;
}

static void set_first_pass_texture_matrix(float t, bool distorted)
{
    glMatrixMode(GL_TEXTURE);
    glRotated(texture_turn_rate * t, std::cos(texture_axis_rate * t), std::sin(texture_axis_rate * t), 0.0);
    if (distorted)
        gluPerspective(distortion_fov, distortion_aspect, distortion_near, distortion_far);
}

// Every triangle of the mesh, each corner given its entry of `coordinates` as texture coordinates.
static void draw_mesh(const MetaballVolume& volume, const std::vector<std::array<float, 3>>& coordinates)
{
    glTexCoordPointer(3, GL_FLOAT, 0, coordinates.data());
    glDrawElements(GL_TRIANGLES, 3 * volume.triangle_count, GL_UNSIGNED_SHORT, volume.triangles.data());
}

// Both passes under the camera, back faces culled; the light map's alpha, blended by the base
// function, decides how much of it covers the first pass.
static void draw_blob_mesh(const MetaballVolume& volume, const BlobLook& look, float t)
{
    glLoadMatrixf(view_matrix(look.camera).m);
    set_first_pass_texture_matrix(t, look.distorted);
    glBindTexture(GL_TEXTURE_2D, look.texture);
    glEnable(GL_CULL_FACE);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, volume.positions.data());
    draw_mesh(volume, volume.positions);

    glEnable(GL_BLEND);
    glLoadMatrixf(light_map_matrix(look.light).m);
    glBindTexture(GL_TEXTURE_2D, textures.lighttex1);
    draw_mesh(volume, volume.normals);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisable(GL_CULL_FACE);
    restore_base_blending();
    glBindTexture(GL_TEXTURE_2D, 0);
    restore_base_matrices();
}

// Still at x = -0.6 until the last three seconds of scene 1, then swinging right by u³ so the blob
// leaves to the left.
static double cluster_gaze_x(float t, double scene_length)
{
    double swing_start = scene_length - swing_seconds;
    if (t <= swing_start)
        return resting_gaze_x;
    float u = static_cast<float>((t - swing_start) * swing_rate);
    return std::pow(u, 3) + resting_gaze_x;
}

static BlobLook cluster_look(float t, double scene_length)
{
    return {{{0, 0, 0}, {0, 0, light_map_depth}, light_up(t)},
            {{0, 0, cluster_eye_distance}, {cluster_gaze_x(t, scene_length), 0, 0}, {0, 1, 0}},
            textures.blob2,
            false};
}

static BlobLook cavity_look(float t, BlobFlip flip)
{
    double sway = cavity_eye_sway * std::sin(t);
    return {{{0, 0, 0}, {-sway, 0, light_map_depth}, light_up(t)},
            {{sway, 0, cavity_eye_distance}, {0, 0, 0}, {std::sin(0.3 * t), std::cos(0.3 * t), 0}},
            textures.blob1,
            flip == BlobFlip::distorted};
}

Matrix4 cluster_camera(float t, double scene_length) { return view_matrix(cluster_look(t, scene_length).camera); }

Matrix4 cavity_camera(float t) { return view_matrix(cavity_look(t, BlobFlip::plain).camera); }

void draw_blob_scene_a(MetaballVolume& volume, float t, double scene_length)
{
    begin_blob_frame(volume);
    place_cluster_balls(t, volume.balls);
    volume.clear_field();
    build_mesh(volume);
    BlobLook look = cluster_look(t, scene_length);
    draw_blob_mesh(volume, look, t);
    draw_glowing_rings(textures.circletex, view_matrix(look.camera), t, ring_half_size);
}

void draw_blob_scene_b(MetaballVolume& volume, float t, BlobFlip flip)
{
    begin_blob_frame(volume);
    place_cavity_balls(t, volume.balls);
    std::copy(cavity_field, cavity_field + cavity_size * cavity_size * cavity_size, volume.field.begin());
    build_mesh(volume);
    draw_blob_mesh(volume, cavity_look(t, flip), t);
}
