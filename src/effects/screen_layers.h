// Flat full-window layers drawn beneath and above the 3-D effects: scrolling backdrops, the wavy
// backdrop, the border frame, title overlays, the end picture, and the darkening and white fades.
#pragma once

#include <GL/gl.h>

// How a backdrop scrolls and whether its texture alpha blends it: opaque sideways, opaque upwards,
// or blended by its alpha and sideways.
enum class BackdropType { sideways, vertical, blended };

// The wavy backdrop's grid: 60 strips of 81 pairs of vertices over the window, the positions fixed,
// the texture coordinates rippled anew each frame.
constexpr int wave_rows = 60;
constexpr int wave_columns = 80;
constexpr int wave_strip_vertices = 2 * (wave_columns + 1);
constexpr int wave_vertices = wave_rows * wave_strip_vertices;
struct WaveGrid {
    WaveGrid();
    float positions[wave_vertices][2];
    float texture_coordinates[wave_vertices][2];
};

// Loads the identity into the projection, so that a layer draws in normalised device coordinates
// (the other two matrices are at identity already); restore_projection pops it again. The post
// effects place the artefact band the same way.
void replace_projection();
void restore_projection();

void draw_background(GLuint texture, float scroll, float width, BackdropType type);
void draw_background_faded(GLuint texture, float scroll, float width, BackdropType type, float alpha);
// The ripple moves with time, the seconds since the show began.
void draw_wavy_background(WaveGrid& grid, GLuint texture, float scroll, float width, BackdropType type,
                          float amplitude, float time);
void draw_end_picture(GLuint texture, float alpha);
void draw_overlay(float x, GLuint texture);
void darken_screen(float brightness);
void flash_screen(float intensity);

// Moves a texture coordinate pair of the wavy backdrop by its ripple at the given time.
void displace_texcoord(float& s, float& t, float time, float amplitude);
