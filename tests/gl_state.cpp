// Reading the GL state back and naming where two readings differ.
#include "gl_state.h"

#include "effects/gl_base.h"

#include <GL/gl.h>

#include <cstring>
#include <iterator>

struct Capability {
    GLenum name;
    const char* label;
    bool base;
};
static const Capability capabilities[] = {
    {GL_DEPTH_TEST, "depth test", true},
    {GL_TEXTURE_2D, "2-D texturing", true},
    {GL_BLEND, "blending", false},
    {GL_CULL_FACE, "face culling", false},
    {GL_ALPHA_TEST, "alpha test", false},
    {GL_TEXTURE_GEN_S, "S generation", false},
    {GL_TEXTURE_GEN_T, "T generation", false},
    {GL_TEXTURE_GEN_R, "R generation", false},
    {GL_TEXTURE_GEN_Q, "Q generation", false},
    {GL_LIGHTING, "lighting", false},
    {GL_SCISSOR_TEST, "scissor test", false},
    {GL_VERTEX_ARRAY, "vertex array", false},
    {GL_NORMAL_ARRAY, "normal array", false},
    {GL_COLOR_ARRAY, "colour array", false},
    {GL_TEXTURE_COORD_ARRAY, "texture coordinate array", false},
};

static int integer(GLenum name)
{
    GLint value;
    glGetIntegerv(name, &value);
    return value;
}

GlState read_gl_state()
{
    GlState s;
    for (const Capability& c : capabilities)
        s.enabled.push_back(glIsEnabled(c.name));
    s.blend_source = integer(GL_BLEND_SRC);
    s.blend_destination = integer(GL_BLEND_DST);
    s.depth_function = integer(GL_DEPTH_FUNC);
    s.depth_mask = integer(GL_DEPTH_WRITEMASK);
    s.cull_face = integer(GL_CULL_FACE_MODE);
    s.alpha_function = integer(GL_ALPHA_TEST_FUNC);
    glGetFloatv(GL_ALPHA_TEST_REF, &s.alpha_reference);
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &s.texture_environment);
    glGetTexGeniv(GL_S, GL_TEXTURE_GEN_MODE, &s.generation_s);
    glGetTexGeniv(GL_T, GL_TEXTURE_GEN_MODE, &s.generation_t);
    s.bound_texture = integer(GL_TEXTURE_BINDING_2D);
    s.matrix_mode = integer(GL_MATRIX_MODE);
    glGetFloatv(GL_CURRENT_COLOR, s.colour);
    glGetFloatv(GL_MODELVIEW_MATRIX, s.modelview);
    glGetFloatv(GL_PROJECTION_MATRIX, s.projection);
    glGetFloatv(GL_TEXTURE_MATRIX, s.texture);
    s.modelview_depth = integer(GL_MODELVIEW_STACK_DEPTH);
    s.projection_depth = integer(GL_PROJECTION_STACK_DEPTH);
    s.texture_depth = integer(GL_TEXTURE_STACK_DEPTH);
    return s;
}

GlState base_gl_state(const float projection[16])
{
    static const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    GlState s;
    for (const Capability& c : capabilities)
        s.enabled.push_back(c.base);
    s.blend_source = base_blend_source;
    s.blend_destination = base_blend_destination;
    s.depth_function = base_depth_function;
    s.depth_mask = GL_TRUE;
    s.cull_face = base_cull_face;
    s.alpha_function = base_alpha_function;
    s.alpha_reference = base_alpha_reference;
    s.texture_environment = base_texture_environment;
    s.generation_s = s.generation_t = base_texture_generation;
    s.bound_texture = 0;
    s.matrix_mode = GL_MODELVIEW;
    std::memcpy(s.colour, base_colour, sizeof s.colour);
    std::memcpy(s.modelview, identity, sizeof identity);
    std::memcpy(s.projection, projection, sizeof s.projection);
    std::memcpy(s.texture, identity, sizeof identity);
    s.modelview_depth = s.projection_depth = s.texture_depth = 1;
    return s;
}

static void note(std::string& list, bool differs, const char* what)
{
    if (differs)
        list += list.empty() ? what : std::string(", ") + what;
}

template <typename T, size_t n> static bool same(const T (&a)[n], const T (&b)[n])
{
    return std::memcmp(a, b, sizeof a) == 0;
}

std::string gl_state_differences(const GlState& want, const GlState& got)
{
    std::string list;
    for (size_t k = 0; k < std::size(capabilities); ++k)
        note(list, want.enabled[k] != got.enabled[k], capabilities[k].label);
    note(list, want.blend_source != got.blend_source || want.blend_destination != got.blend_destination,
         "blend function");
    note(list, want.depth_function != got.depth_function, "depth function");
    note(list, want.depth_mask != got.depth_mask, "depth writes");
    note(list, want.cull_face != got.cull_face, "culled faces");
    note(list, want.alpha_function != got.alpha_function || want.alpha_reference != got.alpha_reference,
         "alpha function");
    note(list, want.texture_environment != got.texture_environment, "texture environment");
    note(list, want.generation_s != got.generation_s || want.generation_t != got.generation_t,
         "texture generation mode");
    note(list, want.bound_texture != got.bound_texture, "bound texture");
    note(list, want.matrix_mode != got.matrix_mode, "matrix mode");
    note(list, !same(want.colour, got.colour), "current colour");
    note(list, !same(want.modelview, got.modelview), "modelview matrix");
    note(list, !same(want.projection, got.projection), "projection matrix");
    note(list, !same(want.texture, got.texture), "texture matrix");
    note(list, want.modelview_depth != got.modelview_depth, "modelview stack depth");
    note(list, want.projection_depth != got.projection_depth, "projection stack depth");
    note(list, want.texture_depth != got.texture_depth, "texture stack depth");
    return list;
}
