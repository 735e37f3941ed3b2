// The GL state every drawing routine may assume when it is called and leaves when it returns: the
// screen layers, the effects and the post effects, and the director between them. A routine sets
// what it needs beyond this, draws, and puts back what it changed, so that no routine depends on
// what another drew before it.
//
//   enabled: depth test (GL_LEQUAL, so a second pass over the same triangles draws), 2-D texturing;
//   disabled: blending, face culling, alpha test, texture generation, every client array;
//   depth writes on; blend function (GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA); back faces selected for
//   culling; alpha test GL_GREATER than 0; texture environment GL_MODULATE; S and T generation set
//   to sphere mapping; texture 0 bound; colour opaque white; smooth shading;
//   the modelview selected; modelview and texture matrices at identity, the projection the view's
//   45-degree perspective, each stack one deep.
//
// An effect drawn under a camera is given the camera as a matrix, loads it and loads the identity
// again when done.
#pragma once

#include <GL/gl.h>

constexpr GLenum base_depth_function = GL_LEQUAL;
constexpr GLenum base_blend_source = GL_SRC_ALPHA;
constexpr GLenum base_blend_destination = GL_ONE_MINUS_SRC_ALPHA;
constexpr GLenum base_cull_face = GL_BACK;
constexpr GLenum base_alpha_function = GL_GREATER;
constexpr float base_alpha_reference = 0.0f;
constexpr GLint base_texture_environment = GL_MODULATE;
constexpr GLint base_texture_generation = GL_SPHERE_MAP;
constexpr float base_colour[4] = {1.0f, 1.0f, 1.0f, 1.0f};

// Sets the base state in a new context (the projection is set_view's). If GL refuses sphere mapping,
// the show cannot draw its reflections: the program ends with status 1 and one line naming the error.
void set_gl_base_state();

// The parts of the base state that effects change most often, put back.
void restore_base_blending();   // blending off, the base function
void restore_base_colour();     // opaque white
void restore_base_matrices();   // texture and modelview matrices at identity, the modelview selected
