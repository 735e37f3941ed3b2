// Flat layers over the whole window: scrolling and rippling backdrops, the border frame, the title
// overlays, the closing picture, and the fades to black and to white. Each draws in normalised
// device coordinates with all three matrices at identity, and puts the caller's matrices back.
#include "effects/screen_layers.h"

#include "effects/gl_base.h"
#include "assets/screen.h"

#include <cmath>

// A backdrop texture holds its picture in its top-left corner.
static constexpr float visible_columns = screen_texture_s;
static constexpr float visible_rows = screen_texture_t;
static constexpr float screen_columns = screen_width;
static constexpr float screen_rows = screen_height;

// The overlay: 512 × 256 pixels centred, fading in and out along half a sine of its time.
static constexpr float overlay_half_width = 0.8f;
static constexpr float overlay_half_height = 0.53333336f;
static constexpr double overlay_fade_rate = 0.3141592654;

// The wavy grid: 60 rows of 80 cells over the horizontal window.
static constexpr float wave_row_height = 0.033333335f;
static constexpr float wave_column_width = 0.025f;
static constexpr float wave_cell_texture_width = 0.0125f;
static constexpr float wave_bottom_depth = 0.0625f;
static constexpr float wave_row_texture_height = 0.015625f;
static constexpr float wave_phase_rate = 5.0f;
static constexpr float wave_s_reach = 0.025f;
static constexpr float wave_t_reach = 0.104f;
static constexpr float wave_s_frequency = 100.0f;
static constexpr float wave_t_frequency = 200.0f;

struct TextureWindow {
    float s0, t0, s1, t1;  // top-left and bottom-right texture coordinates
};

static const TextureWindow whole_end_picture = {0.0f, 0.0f, visible_columns, visible_rows};
static const TextureWindow whole_texture = {0.0f, 0.0f, 1.0f, 1.0f};

static TextureWindow backdrop_window(float scroll, float width, BackdropType type)
{
    if (type == BackdropType::vertical)
        return {0.0f, scroll, visible_columns, scroll + screen_rows / width};
    return {scroll, 0.0f, scroll + screen_columns / width, visible_rows};
}

// A layer is textured with its picture, or untextured (texture 0) for the fades.
static void begin_layer(GLuint texture)
{
    if (texture)
        glBindTexture(GL_TEXTURE_2D, texture);
    else
        glDisable(GL_TEXTURE_2D);
    replace_projection();
}

void replace_projection()
{
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
}

void restore_projection()
{
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

// Layers lie over everything: no depth test, and so no depth writes either.
static void set_colour_and_blend(float alpha, bool blend, GLenum source, GLenum destination)
{
    glColor4f(1.0f, 1.0f, 1.0f, alpha);
    if (blend) {
        glEnable(GL_BLEND);
        glBlendFunc(source, destination);
    }
    glDisable(GL_DEPTH_TEST);
}

static void finish_layer()
{
    restore_base_blending();
    restore_base_colour();
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 0);
    restore_projection();
}

static void draw_strip(float half_width, float half_height, const TextureWindow& w)
{
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(w.s0, w.t0);
    glVertex2f(-half_width, half_height);
    glTexCoord2f(w.s0, w.t1);
    glVertex2f(-half_width, -half_height);
    glTexCoord2f(w.s1, w.t0);
    glVertex2f(half_width, half_height);
    glTexCoord2f(w.s1, w.t1);
    glVertex2f(half_width, -half_height);
    glEnd();
}

static void draw_window_strip(const TextureWindow& w) { draw_strip(1.0f, 1.0f, w); }

void draw_background(GLuint texture, float scroll, float width, BackdropType type)
{
    begin_layer(texture);
    set_colour_and_blend(1.0f, type == BackdropType::blended, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    draw_window_strip(backdrop_window(scroll, width, type));
    finish_layer();
}

void draw_background_faded(GLuint texture, float scroll, float width, BackdropType type, float alpha)
{
    begin_layer(texture);
    set_colour_and_blend(alpha, true, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    draw_window_strip(backdrop_window(scroll, width, type));
    finish_layer();
}

void displace_texcoord(float& s, float& t, float time, float amplitude)
{
    float phase = wave_phase_rate * time;
    float s_in = s;
    float t_in = t;
    s = s_in + amplitude * wave_s_reach * std::sin(phase + wave_s_frequency * t_in);
    t = t_in + amplitude * wave_t_reach * std::cos(phase + wave_t_frequency * s_in);
}

// Rows run from the bottom of the window up; texture t of the bottom edge is −0.0625, which the
// repeat wrap reads as the picture's last visible row.
WaveGrid::WaveGrid() : texture_coordinates()
{
    float y = -1.0f;
    for (int i = 0; i < wave_rows; ++i) {
        float x = -1.0f;
        for (int j = 0; j <= wave_columns; ++j) {
            float* lower = positions[i * wave_strip_vertices + 2 * j];
            float* upper = positions[i * wave_strip_vertices + 2 * j + 1];
            lower[0] = upper[0] = x;
            lower[1] = y;
            upper[1] = y + wave_row_height;
            x += wave_column_width;
        }
        y += wave_row_height;
    }
}

static void set_wave_texture(float* coordinates, float s, float t, float time, float amplitude)
{
    displace_texcoord(s, t, time, amplitude);
    coordinates[0] = s;
    coordinates[1] = t;
}

static void draw_wave_grid(WaveGrid& grid, float scroll, float width, float amplitude, float time)
{
    float du = (screen_columns / width) * wave_cell_texture_width;
    for (int i = 0; i < wave_rows; ++i) {
        float v = -(wave_bottom_depth + i * wave_row_texture_height);
        float s = scroll;
        for (int j = 0; j <= wave_columns; ++j) {
            float(*pair)[2] = &grid.texture_coordinates[i * wave_strip_vertices + 2 * j];
            set_wave_texture(pair[0], s, v, time, amplitude);
            set_wave_texture(pair[1], s, v - wave_row_texture_height, time, amplitude);
            s += du;
        }
    }
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, grid.positions);
    glTexCoordPointer(2, GL_FLOAT, 0, grid.texture_coordinates);
    for (int i = 0; i < wave_rows; ++i)
        glDrawArrays(GL_TRIANGLE_STRIP, i * wave_strip_vertices, wave_strip_vertices);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

void draw_wavy_background(WaveGrid& grid, GLuint texture, float scroll, float width, BackdropType type,
                          float amplitude, float time)
{
    begin_layer(texture);
    set_colour_and_blend(1.0f, false, GL_ONE, GL_ZERO);
    if (type == BackdropType::vertical || amplitude == 0.0f)
        draw_window_strip(backdrop_window(scroll, width, type));
    else
        draw_wave_grid(grid, scroll, width, amplitude, time);
    finish_layer();
}

void draw_end_picture(GLuint texture, float alpha)
{
    begin_layer(texture);
    set_colour_and_blend(alpha, true, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    draw_window_strip(whole_end_picture);
    finish_layer();
}

void draw_overlay(float x, GLuint texture)
{
    begin_layer(texture);
    float alpha = static_cast<float>(std::sin(overlay_fade_rate * x));
    set_colour_and_blend(alpha, true, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    draw_strip(overlay_half_width, overlay_half_height, whole_texture);
    finish_layer();
}

// A brightness below 0 would be clamped to black by the pipeline anyway; clamping here makes
// that explicit rather than a property of the driver.
void darken_screen(float brightness)
{
    begin_layer(0);
    set_colour_and_blend(brightness < 0.0f ? 0.0f : brightness, true, GL_ZERO, GL_SRC_ALPHA);
    draw_window_strip(whole_texture);
    finish_layer();
}

void flash_screen(float intensity)
{
    begin_layer(0);
    set_colour_and_blend(intensity, true, GL_SRC_ALPHA, GL_ONE);
    draw_window_strip(whole_texture);
    finish_layer();
}
