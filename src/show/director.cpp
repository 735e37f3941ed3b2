// The scene director: one frame of the show as a function of the demo time.
#include "show/director.h"

#include "assets/textures.h"
#include "effects/blob_scenes.h"
#include "effects/bulging_cube.h"
#include "effects/dct_band.h"
#include "effects/feedback_trails.h"
#include "effects/glow_square.h"
#include "effects/mesh_rings.h"
#include "effects/screen_layers.h"
#include "effects/tunnel.h"
#include "effects/twisted_column.h"
#include "effects/wobbling_cube.h"
#include "platform/audio.h"
#include "show/clock.h"
#include "platform/platform.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

float beat_step = 0.0f;
double tunnel_orientation[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

static const double& S0 = scene_table[0];
static const double& S1 = scene_table[1];
static const double& S3 = scene_table[3];
static const double& S4 = scene_table[4];
static const double& S5 = scene_table[5];
static const double& S6 = scene_table[6];
static const double& S7 = scene_table[7];

// Backdrop texel spans: the director measures the wide and tall pictures in 2000 texels, the border in 1024.
static constexpr float backdrop_span = 2000.0f;
static constexpr float border_span = 1024.0f;
// Backdrop scroll, in texture widths per second.
static constexpr float border_scroll_rate = 0.014f;
static constexpr double nebula_scroll_rate = 0.03;
static constexpr double first_ring_scroll_rate = 0.028;
static constexpr double column_scroll_rate = 0.01;

// Fades, in brightness or opacity per second.
static constexpr double title_fade_out_rate = 1.0 / 6.0;  // to black over the last 6 s
static constexpr double two_second_fade_rate = 0.5;
static constexpr double closing_flash_rate = 0.3;
static constexpr double closing_flash_seconds = 1.4;
static constexpr double end_picture_fade_rate = 0.2;
static constexpr double final_fade_rate = 1.0 / final_fade_seconds;

// The tunnel turns 35 degrees per second of real frame time about each of two axes.
static constexpr double tunnel_turn_rate = 35.0;
static constexpr double tunnel_eye_distance = -2.4;

static constexpr double wave_period_rate = 1.0 / wave_period;
static constexpr float beat_flash = 0.2f;

// The wobble camera's gaze swings in over the scene's first two seconds.
static constexpr double swing_in_seconds = 2.0;
static constexpr double swing_in_rate = 2.0 / 3.0;

static constexpr float closing_ring_half_size = 2.2f;

int scene_index(double t)
{
    int index = 0;
    for (double start : scene_table)
        index += start < t;
    return index;
}

int beats_passed(double t)
{
    int count = 0;
    for (double beat : beat_times)
        count += beat < t;
    return count;
}

float wave_amplitude(double t)
{
    if (t <= wave_start)
        return 0.0f;
    double v = 0.5 - std::fmod((t - wave_start) * wave_period_rate, 1.0);
    return static_cast<float>(v >= 0.0 ? v * v : 0.0);
}

BeatPulse beat_pulse(double t)
{
    float g0 = static_cast<float>((t - beat_start) * beat_rate);
    if (g0 < 0.0f)
        g0 = 0.0f;
    float r = std::ceil(g0) - g0;
    return {std::ceil(g0) - r * r, beat_flash * r * r};
}

static void reset_texture_matrix()
{
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

static void look_at(double eye_x, double eye_y, double eye_z, double centre_x, double centre_y, double centre_z)
{
    gluLookAt(eye_x, eye_y, eye_z, centre_x, centre_y, centre_z, 0.0, 1.0, 0.0);
}

// The border scrolls by the time since the start of the scene that shows it.
static void draw_border(double since)
{
    draw_background(textures.border, static_cast<float>(since * border_scroll_rate), border_span, backdrop_blended);
}

// Accumulates this frame's turn into the orientation and returns the camera of the frame.
static void turn_tunnel(double t, double camera[16])
{
    double turn = tunnel_turn_rate * frame_delta;
    glLoadIdentity();
    glMultMatrixd(tunnel_orientation);
    glRotated(turn, std::sin(0.7 * t), std::cos(0.9 * t), std::sin(0.6 * t));
    glRotated(turn, 0.0, 1.0, 0.0);
    glGetDoublev(GL_MODELVIEW_MATRIX, tunnel_orientation);
    glTranslated(std::sin(0.27 * t), std::cos(0.29 * t), std::sin(0.26 * t));
    glGetDoublev(GL_MODELVIEW_MATRIX, camera);
}

static void draw_title_overlays(double t)
{
    if (t > S0 - 20)
        draw_overlay(static_cast<float>(t - (S0 - 20)), textures.details);
    if (t > S0 - 13)
        draw_overlay(static_cast<float>(t - (S0 - 13)), textures.quembly);
    if (t > S0 - 6)
        darken_screen(static_cast<float>((S0 - t) * title_fade_out_rate));
}

static void draw_tunnel_scene(double t)
{
    double camera[16];
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, textures.tunnel);
    turn_tunnel(t, camera);
    glLoadIdentity();
    look_at(0.0, 0.0, tunnel_eye_distance, 0.0, 0.0, 0.0);
    draw_tunnel(camera, t);
    draw_title_overlays(t);
}

// The border fades in over the scene's last four seconds, then the next scene's backdrop under it;
// both scroll as in the next scene, so nothing jumps at the cut.
static void draw_blob_a_backdrops(double t)
{
    draw_background(textures.blobitausta, static_cast<float>((t - S0) * nebula_scroll_rate), backdrop_span,
                    backdrop_sideways);
    float scroll = static_cast<float>((t - S1) * border_scroll_rate);
    if (t > S1 - 2) {
        draw_background_faded(textures.wobltausta, scroll, backdrop_span, backdrop_blended,
                              static_cast<float>(1 - (S1 - t) * two_second_fade_rate));
        draw_border(t - S1);
    } else if (t > S1 - 4) {
        draw_background_faded(textures.border, scroll, border_span, backdrop_blended,
                              static_cast<float>(1 - ((S1 - t) - 2) * two_second_fade_rate));
    }
}

static void draw_blob_scene_a_frame(double t)
{
    draw_blob_a_backdrops(t);
    draw_blob_scene_a(static_cast<float>(t - S0), S1 - S0);
    if (t < S0 + 2)
        darken_screen(static_cast<float>((t - S0) * two_second_fade_rate));
}

// The view swings in from the side over the first two seconds, then drifts slowly sideways.
static void set_wobble_camera(double u)
{
    double eye_x = -std::cos(0.12 * u);
    double centre_x = eye_x;
    if (u < swing_in_seconds) {
        double b = static_cast<float>((swing_in_seconds - u) * swing_in_rate);
        centre_x = eye_x - b * b * b * b;
    }
    look_at(eye_x, 0.0, 5.0, centre_x, 0.0, 0.0);
}

static float advance_beat(double t)
{
    if (t >= beats_stop)
        return 0.0f;
    BeatPulse pulse = beat_pulse(t);
    beat_step = pulse.step;
    return pulse.flash;
}

static void draw_wobble_scene(double t)
{
    double u = t - S1;
    draw_wavy_background(textures.wobltausta, static_cast<float>(u * border_scroll_rate), backdrop_span,
                         backdrop_sideways, 4 * wave_amplitude(t), static_cast<float>(t));
    draw_border(u);
    reset_texture_matrix();
    set_wobble_camera(u);
    float flash = advance_beat(t);
    draw_wobbling_object(static_cast<float>(u), beat_step);
    flash_screen(flash);
}

static void draw_first_ring_scene(double t)
{
    draw_background(textures.pyoritystausta, static_cast<float>((t - S3) * first_ring_scroll_rate), backdrop_span,
                    backdrop_vertical);
    draw_mesh_ring_scene(MeshRing::first, t - S3, S4 - S3);
}

// Scenes 5 and 6 share the blob part, timed from the start of scene 5 so it runs on without a jump.
static void draw_blob_b_layers(double t)
{
    draw_blob_scene_b(static_cast<float>(t - S4), beats_passed(t) % 2);
    draw_border(t - S4);
}

static void draw_blob_scene_b_frame(double t)
{
    draw_blob_b_layers(t);
    if (t - S4 < 2)
        flash_screen(static_cast<float>((2 - (t - S4)) * two_second_fade_rate));
}

static void draw_second_ring_scene(double t)
{
    draw_blob_b_layers(t);
    glClear(GL_DEPTH_BUFFER_BIT);
    draw_mesh_ring_scene(MeshRing::second, t - S5, S6 - S5);
}

static void draw_column_scene(double t)
{
    draw_background(textures.scrolltausta, static_cast<float>((t - S6) * column_scroll_rate), backdrop_span,
                    backdrop_vertical);
    reset_texture_matrix();
    look_at(-0.5, 0.0, 3.0, -0.5, 0.0, 0.0);
    draw_scene7_effect(t - S6);
}

// Three glowing rings spin about the cube; the depth test lets the cube hide them, but they
// write no depth of their own.
static void draw_closing_rings(double d)
{
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glBindTexture(GL_TEXTURE_2D, textures.circletex);
    glDisable(GL_CULL_FACE);
    glDepthMask(GL_FALSE);
    for (int j = 0; j < 3; ++j) {
        glPushMatrix();
        glRotated(10 * d, std::sin(d + j), std::sin(0.8 * d + 1.3 * j + 2.4), std::sin(0.8 * j + 0.4 * d + 1.9));
        draw_glow_square(closing_ring_half_size);
        glPopMatrix();
    }
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
}

static void draw_closing_scene(double t)
{
    double d = t - S7;
    draw_background(textures.pyoritystausta, static_cast<float>((t - S6) * column_scroll_rate), backdrop_span,
                    backdrop_vertical);
    glCullFace(GL_BACK);
    glDisable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    reset_texture_matrix();
    look_at(0.0, 0.0, 5.0, 0.0, 0.0, 0.0);
    draw_last_object(static_cast<float>(d));
    draw_closing_rings(d);
    if (d < closing_flash_seconds)
        flash_screen(static_cast<float>((closing_flash_seconds - d) * closing_flash_rate));
    if (t > end_picture_start)
        draw_end_picture(textures.loppukuva, static_cast<float>((t - end_picture_start) * end_picture_fade_rate));
}

static void draw_scene(int scene, double t)
{
    switch (scene) {
    case 0: draw_tunnel_scene(t); break;
    case 1: draw_blob_scene_a_frame(t); break;
    case 2:
    case 3: draw_wobble_scene(t); break;
    case 4: draw_first_ring_scene(t); break;
    case 5: draw_blob_scene_b_frame(t); break;
    case 6: draw_second_ring_scene(t); break;
    case 7: draw_column_scene(t); break;
    default: draw_closing_scene(t); break;
    }
}

static void fade_out_show(double t)
{
    if (t > final_fade_start)
        darken_screen(static_cast<float>(1 - (t - final_fade_start) * final_fade_rate));
}

static void end_show_when_over(double t)
{
    if (t > show_end) {
        music_stop();
        audio_close();
        push_quit_event();
    }
}

// The viewer's post effects work on the finished, faded picture: the trails first, then the band.
static void apply_post_effects(double t)
{
    if (trails_on)
        apply_feedback_trails();
    if (dct_on)
        apply_dct_effect(static_cast<float>(t));
}

void run_frame()
{
    double t = demo_time;
    glClear(GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    draw_scene(scene_index(t), t);
    fade_out_show(t);
    end_show_when_over(t);
    apply_post_effects(t);
    glFlush();
}

void draw_frame_at(double t, double delta)
{
    demo_time = t;
    frame_delta = delta;
    first_frame = false;
    run_frame();
}
