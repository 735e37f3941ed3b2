// The scene director: one frame of the show as a function of the demo time. Every routine it calls
// starts from the base GL state and leaves it (effects/gl_base.h); a routine drawn under a camera is
// given the camera.
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

#include <GL/gl.h>

#include <cmath>

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

static constexpr Point origin = {0.0, 0.0, 0.0};
static constexpr Point upright = {0.0, 1.0, 0.0};

// One frame being drawn: the show's state, the demo time, and who watches the routines.
struct Frame {
    ShowState& state;
    double t;
    const RoutineWatch* watch;

    EffectWorkspace& work() const { return *state.work; }
    void done(const char* routine) const
    {
        if (watch)
            (*watch)(routine);
    }
};

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

static Matrix4 camera(const Point& eye, const Point& centre) { return looked_at(identity_matrix(), eye, centre, upright); }

// The border scrolls by the time since the start of the scene that shows it.
static void draw_border(const Frame& f, double since)
{
    draw_background(textures.border, static_cast<float>(since * border_scroll_rate), border_span,
                    BackdropType::blended);
    f.done("draw_background (border)");
}

// Accumulates this frame's turn into the orientation and returns the camera of the frame: the
// rotation rows are its axes, the translation the rays' origin.
static Matrix4 turn_tunnel(ShowState& state, double t)
{
    float turn = static_cast<float>(tunnel_turn_rate * state.frame_delta);
    Matrix4 turned = rotated(state.tunnel_orientation, turn, static_cast<float>(std::sin(0.7 * t)),
                             static_cast<float>(std::cos(0.9 * t)), static_cast<float>(std::sin(0.6 * t)));
    state.tunnel_orientation = rotated(turned, turn, 0.0f, 1.0f, 0.0f);
    return translated(state.tunnel_orientation, static_cast<float>(std::sin(0.27 * t)),
                      static_cast<float>(std::cos(0.29 * t)), static_cast<float>(std::sin(0.26 * t)));
}

static void draw_title_overlays(const Frame& f)
{
    double t = f.t;
    if (t > cluster_start - 20) {
        draw_overlay(static_cast<float>(t - (cluster_start - 20)), textures.details);
        f.done("draw_overlay (details)");
    }
    if (t > cluster_start - 13) {
        draw_overlay(static_cast<float>(t - (cluster_start - 13)), textures.quembly);
        f.done("draw_overlay (quembly)");
    }
    if (t > cluster_start - 6) {
        darken_screen(static_cast<float>((cluster_start - t) * title_fade_out_rate));
        f.done("darken_screen");
    }
}

static void draw_tunnel_scene(const Frame& f)
{
    Matrix4 rays = turn_tunnel(f.state, f.t);
    double rays_camera[16];
    for (int k = 0; k < 16; ++k)
        rays_camera[k] = rays.m[k];
    draw_tunnel(f.work().tunnel, camera({0.0, 0.0, tunnel_eye_distance}, origin), textures.tunnel, rays_camera, f.t);
    f.done("draw_tunnel");
    draw_title_overlays(f);
}

// The border fades in over the scene's last four seconds, then the next scene's backdrop under it;
// both scroll as in the next scene, so nothing jumps at the cut.
static void draw_blob_a_backdrops(const Frame& f)
{
    double t = f.t;
    draw_background(textures.blobitausta, static_cast<float>((t - cluster_start) * nebula_scroll_rate), backdrop_span,
                    BackdropType::sideways);
    f.done("draw_background (blobitausta)");
    float scroll = static_cast<float>((t - wobble_start) * border_scroll_rate);
    if (t > wobble_start - 2) {
        draw_background_faded(textures.wobltausta, scroll, backdrop_span, BackdropType::blended,
                              static_cast<float>(1 - (wobble_start - t) * two_second_fade_rate));
        f.done("draw_background_faded (wobltausta)");
        draw_border(f, t - wobble_start);
    } else if (t > wobble_start - 4) {
        draw_background_faded(textures.border, scroll, border_span, BackdropType::blended,
                              static_cast<float>(1 - ((wobble_start - t) - 2) * two_second_fade_rate));
        f.done("draw_background_faded (border)");
    }
}

static void draw_blob_scene_a_frame(const Frame& f)
{
    double t = f.t;
    draw_blob_a_backdrops(f);
    draw_blob_scene_a(f.work().blobs, static_cast<float>(t - cluster_start), wobble_start - cluster_start);
    f.done("draw_blob_scene_a");
    if (t < cluster_start + 2) {
        darken_screen(static_cast<float>((t - cluster_start) * two_second_fade_rate));
        f.done("darken_screen");
    }
}

// The view swings in from the side over the first two seconds, then drifts slowly sideways.
static Matrix4 wobble_camera(double u)
{
    double eye_x = -std::cos(0.12 * u);
    double centre_x = eye_x;
    if (u < swing_in_seconds) {
        double b = static_cast<float>((swing_in_seconds - u) * swing_in_rate);
        centre_x = eye_x - b * b * b * b;
    }
    return camera({eye_x, 0.0, 5.0}, {centre_x, 0.0, 0.0});
}

static float advance_beat(ShowState& state, double t)
{
    if (t >= beats_stop)
        return 0.0f;
    BeatPulse pulse = beat_pulse(t);
    state.beat_step = pulse.step;
    return pulse.flash;
}

static void draw_wobble_scene(const Frame& f)
{
    double t = f.t;
    double u = t - wobble_start;
    draw_wavy_background(f.work().wave, textures.wobltausta, static_cast<float>(u * border_scroll_rate),
                         backdrop_span, BackdropType::sideways, 4 * wave_amplitude(t), static_cast<float>(t));
    f.done("draw_wavy_background");
    draw_border(f, u);
    float flash = advance_beat(f.state, t);
    draw_wobbling_object(f.work().cube, wobble_camera(u), static_cast<float>(u), f.state.beat_step);
    f.done("draw_wobbling_object");
    flash_screen(flash);
    f.done("flash_screen");
}

static void draw_first_ring_scene(const Frame& f)
{
    double t = f.t;
    draw_background(textures.pyoritystausta, static_cast<float>((t - first_ring_start) * first_ring_scroll_rate),
                    backdrop_span, BackdropType::vertical);
    f.done("draw_background (pyoritystausta)");
    draw_mesh_ring_scene(MeshRing::first, t - first_ring_start, cavity_start - first_ring_start);
    f.done("draw_mesh_ring_scene (first)");
}

// Scenes 5 and 6 share the blob part, timed from the start of scene 5 so it runs on without a jump.
static void draw_blob_b_layers(const Frame& f)
{
    double t = f.t;
    BlobFlip flip = beats_passed(t) % 2 ? BlobFlip::distorted : BlobFlip::plain;
    draw_blob_scene_b(f.work().blobs, static_cast<float>(t - cavity_start), flip);
    f.done("draw_blob_scene_b");
    draw_border(f, t - cavity_start);
}

static void draw_blob_scene_b_frame(const Frame& f)
{
    double t = f.t;
    draw_blob_b_layers(f);
    if (t - cavity_start < 2) {
        flash_screen(static_cast<float>((2 - (t - cavity_start)) * two_second_fade_rate));
        f.done("flash_screen");
    }
}

static void draw_second_ring_scene(const Frame& f)
{
    double t = f.t;
    draw_blob_b_layers(f);
    draw_mesh_ring_scene(MeshRing::second, t - second_ring_start, column_start - second_ring_start);
    f.done("draw_mesh_ring_scene (second)");
}

static void draw_column_scene(const Frame& f)
{
    double t = f.t;
    draw_background(textures.scrolltausta, static_cast<float>((t - column_start) * column_scroll_rate), backdrop_span,
                    BackdropType::vertical);
    f.done("draw_background (scrolltausta)");
    draw_scene7_effect(f.work().column, camera({-0.5, 0.0, 3.0}, {-0.5, 0.0, 0.0}), t - column_start);
    f.done("draw_scene7_effect");
}

static void draw_closing_scene(const Frame& f)
{
    double t = f.t;
    double d = t - closing_start;
    draw_background(textures.pyoritystausta, static_cast<float>((t - column_start) * column_scroll_rate),
                    backdrop_span, BackdropType::vertical);
    f.done("draw_background (pyoritystausta)");
    Matrix4 view = camera({0.0, 0.0, 5.0}, origin);
    draw_last_object(f.work().cube, view, static_cast<float>(d));
    f.done("draw_last_object");
    draw_glowing_rings(textures.circletex, view, d, closing_ring_half_size);
    f.done("draw_glowing_rings");
    if (d < closing_flash_seconds) {
        flash_screen(static_cast<float>((closing_flash_seconds - d) * closing_flash_rate));
        f.done("flash_screen");
    }
    if (t > end_picture_start) {
        draw_end_picture(textures.loppukuva, static_cast<float>((t - end_picture_start) * end_picture_fade_rate));
        f.done("draw_end_picture");
    }
}

static void draw_scene(const Frame& f)
{
    switch (scene_index(f.t)) {
    case 0: draw_tunnel_scene(f); break;
    case 1: draw_blob_scene_a_frame(f); break;
    case 2:
    case 3: draw_wobble_scene(f); break;
    case 4: draw_first_ring_scene(f); break;
    case 5: draw_blob_scene_b_frame(f); break;
    case 6: draw_second_ring_scene(f); break;
    case 7: draw_column_scene(f); break;
    default: draw_closing_scene(f); break;
    }
}

static void fade_out_show(const Frame& f)
{
    if (f.t > final_fade_start) {
        darken_screen(static_cast<float>(1 - (f.t - final_fade_start) * final_fade_rate));
        f.done("darken_screen");
    }
}

// The viewer's post effects work on the finished, faded picture: the trails first, then the band.
static void apply_post_effects(const Frame& f)
{
    if (f.state.trails_on) {
        apply_feedback_trails();
        f.done("apply_feedback_trails");
    }
    if (f.state.dct_on) {
        apply_dct_effect(f.work().band, static_cast<float>(f.t));
        f.done("apply_dct_effect");
    }
}

bool run_frame(ShowState& state, const RoutineWatch* watch)
{
    const Frame f = {state, state.demo_time, watch};
    glClear(GL_DEPTH_BUFFER_BIT);
    draw_scene(f);
    fade_out_show(f);
    apply_post_effects(f);
    glFlush();
    return f.t > show_end;
}

bool draw_frame_at(ShowState& state, double t, double delta, const RoutineWatch* watch)
{
    state.demo_time = t;
    state.frame_delta = delta;
    state.first_frame = false;
    return run_frame(state, watch);
}
