// Flat full-window layers drawn beneath and above the 3-D effects: scrolling backdrops, the wavy
// backdrop, the border frame, title overlays, the end picture, and the darkening and white fades.
#pragma once

#include <GL/gl.h>

// Backdrop types: how a backdrop scrolls and whether its texture alpha blends it.
constexpr int backdrop_sideways = 0;
constexpr int backdrop_vertical = 1;
constexpr int backdrop_blended = 2;

// Pushes the modelview, projection and texture matrices and loads the identity into each, so that
// a layer draws in normalised device coordinates; restore_matrices pops them again, ending with
// the modelview selected. The post effects place the artefact band the same way.
void replace_matrices();
void restore_matrices();

void draw_background(GLuint texture, float scroll, float width, int type);
void draw_background_faded(GLuint texture, float scroll, float width, int type, float alpha);
// The ripple moves with time, the seconds since the show began.
void draw_wavy_background(GLuint texture, float scroll, float width, int type, float amplitude, float time);
void draw_end_picture(GLuint texture, float alpha);
void draw_overlay(float x, GLuint texture);
void darken_screen(float brightness);
void flash_screen(float intensity);

// Moves a texture coordinate pair of the wavy backdrop by its ripple at the given time.
void displace_texcoord(float& s, float& t, float time, float amplitude);
