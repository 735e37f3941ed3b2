// The rings of chrome meshes of scenes 4 and 6: six mirror copies of one mesh tumble in step on a
// ring, three long additive beams turn slowly about its axis, and ten glowing sprites fly along the
// axis through the ring, each spinning one way before it and the other way past it.
#include "effects/mesh_rings.h"

#include "assets/meshes.h"
#include "assets/textures.h"
#include "effects/gl_base.h"
#include "effects/glow_square.h"
#include "effects/matrix.h"
#include "effects/sphere_map.h"

#include <GL/gl.h>

#include <cmath>

static constexpr int ring_size = 6;
static constexpr float ring_step = 360.0f / ring_size;  // degrees between neighbours
static constexpr double tumble_rate = 100.0;            // degrees a second

// The beams: planes through the axis, 500 across and 5000 along it, at 10, 14 and 18 degrees a second
// from 0, 20 and 40 degrees.
static constexpr int beam_count = 3;
static constexpr float beam_half_width = 250.0f;
static constexpr float beam_half_length = 2500.0f;
static constexpr double beam_base_rate = 10.0;
static constexpr double beam_rate_step = 4.0;
static constexpr double beam_phase_step = 20.0;

// The sprites: 500 across, flying at 40 a second 200 apart over a 2000-long stretch of the axis, from
// -800; they spin at 10, 14 … 46 degrees a second from 36 degrees apart.
static constexpr int sprite_count = 10;
static constexpr float sprite_half_size = 250.0f;
static constexpr double sprite_speed = 40.0;
static constexpr double sprite_spacing = 200.0;
static constexpr double sprite_stretch = 2000.0;
static constexpr double sprite_start = -800.0;
static constexpr double sprite_base_rate = 10.0;
static constexpr double sprite_rate_step = 4.0;
static constexpr double sprite_phase_step = 36.0;

// What the two rings do differently. The eye climbs by eye_rise over the scene.
struct RingLook {
    Mesh MeshSet::*mesh;
    GLuint TextureSet::*reflection;
    Point eye;
    double eye_rise;
    Point centre;
    float scale;
    float radius;         // model units, before the scale
    bool turned_on_side;  // a quarter turn about x after the tumble
};

static const RingLook ring_looks[] = {
    {&MeshSet::obu1, &TextureSet::refl1, {0, -20, 50}, 0, {-10, 0, 0}, 0.1f, 100.0f, false},
    {&MeshSet::obu2, &TextureSet::refl2, {0, -30, 60}, 60, {10, 0, 0}, 0.07f, 60.0f, true},
};

// How far sprite k has flown along the axis: jumping back from 1200 to -800.
static float sprite_z(int k, double d)
{
    return static_cast<float>(std::fmod(sprite_speed * d + sprite_spacing * k, sprite_stretch) + sprite_start);
}

// Its turn about +z: one way in front of the ring, the other way behind it, none in its plane.
static double sprite_turn(int k, double d, float z)
{
    double turn = (sprite_rate_step * k + sprite_base_rate) * d + sprite_phase_step * k;
    return z > 0.0f ? turn : z < 0.0f ? -turn : 0.0;
}

static Matrix4 camera_of(const RingLook& look, double d, double scene_length)
{
    Point eye = {look.eye.x, look.eye.y + look.eye_rise * d / scene_length, look.eye.z};
    Matrix4 view = looked_at(identity_matrix(), eye, look.centre, {0.0, 1.0, 0.0});
    return scaled(view, look.scale, look.scale, look.scale);
}

Matrix4 ring_camera(MeshRing ring, double d, double scene_length)
{
    return camera_of(ring_looks[static_cast<int>(ring)], d, scene_length);
}

// The meshes' faces wind inwards, so the front faces are the ones culled.
static void set_ring_state(const RingLook& look, double d, double scene_length)
{
    glClear(GL_DEPTH_BUFFER_BIT);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_FRONT);
    glBindTexture(GL_TEXTURE_2D, textures.*look.reflection);
    glLoadMatrixf(camera_of(look, d, scene_length).m);
}

// All six copies tumble about the same wandering axis; only their places on the ring differ.
static void draw_ring(const RingLook& look, double d)
{
    const Mesh& mesh = meshes.*look.mesh;
    float tumble = static_cast<float>(tumble_rate * d);
    float axis_x = static_cast<float>(std::sin(0.5 * d));
    float axis_y = static_cast<float>(std::sin(0.169 * d + 1.8));
    float axis_z = static_cast<float>(std::cos(0.23 * d + 2.41));
    begin_mirrored_mesh(mesh);
    for (int i = 0; i < ring_size; ++i) {
        glPushMatrix();
        glRotatef(ring_step * i, 0.0f, 0.0f, 1.0f);
        glTranslatef(0.0f, look.radius, 0.0f);
        glRotatef(tumble, axis_x, axis_y, axis_z);
        if (look.turned_on_side)
            glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
        draw_mirrored_mesh(mesh);
        glPopMatrix();
    }
    end_mirrored_mesh();
}

// Added light under the ring's camera: the meshes hide what is behind them, the light hides nothing.
static void set_light_state()
{
    glDisable(GL_CULL_FACE);
    glCullFace(base_cull_face);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glBindTexture(GL_TEXTURE_2D, textures.linetex);
    glDepthMask(GL_FALSE);
    glEnable(GL_ALPHA_TEST);
}

// One beam in the plane y = 0, the picture's length along the axis.
static void draw_beam_plane()
{
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(0, 0);
    glVertex3f(-beam_half_width, 0, -beam_half_length);
    glTexCoord2f(0, 1);
    glVertex3f(-beam_half_width, 0, beam_half_length);
    glTexCoord2f(1, 0);
    glVertex3f(beam_half_width, 0, -beam_half_length);
    glTexCoord2f(1, 1);
    glVertex3f(beam_half_width, 0, beam_half_length);
    glEnd();
}

static void draw_beams(double d)
{
    for (int k = 0; k < beam_count; ++k) {
        glPushMatrix();
        glRotatef(static_cast<float>((beam_rate_step * k + beam_base_rate) * d + beam_phase_step * k), 0.0f, 0.0f,
                  1.0f);
        draw_beam_plane();
        glPopMatrix();
    }
}

static void draw_sprites(double d)
{
    glBindTexture(GL_TEXTURE_2D, textures.circletex2);
    for (int k = 0; k < sprite_count; ++k) {
        float z = sprite_z(k, d);
        glPushMatrix();
        glTranslatef(0.0f, 0.0f, z);
        glRotatef(static_cast<float>(sprite_turn(k, d, z)), 0.0f, 0.0f, 1.0f);
        draw_glow_square(sprite_half_size);
        glPopMatrix();
    }
}

void draw_mesh_ring_scene(MeshRing ring, double d, double scene_length)
{
    const RingLook& look = ring_looks[static_cast<int>(ring)];
    set_ring_state(look, d, scene_length);
    draw_ring(look, d);
    set_light_state();
    draw_beams(d);
    draw_sprites(d);
    glDisable(GL_ALPHA_TEST);
    glDepthMask(GL_TRUE);
    restore_base_blending();
    glBindTexture(GL_TEXTURE_2D, 0);
    glLoadIdentity();
}
