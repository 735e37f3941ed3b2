// The GL state every drawing routine starts from and leaves (effects/gl_base.h), read back from the
// context, and what differs between two readings, named.
#pragma once

#include <string>
#include <vector>

struct GlState {
    std::vector<int> enabled;  // one per capability in the order of gl_state.cpp's list
    int blend_source, blend_destination, depth_function, depth_mask, cull_face, alpha_function;
    float alpha_reference;
    int texture_environment, generation_s, generation_t, bound_texture, matrix_mode;
    float colour[4];
    float modelview[16], projection[16], texture[16];
    int modelview_depth, projection_depth, texture_depth;
};

GlState read_gl_state();
// The state effects/gl_base.h describes, with the projection given (the view's).
GlState base_gl_state(const float projection[16]);
// The names of the parts in which the two differ, comma-separated; empty when they agree.
std::string gl_state_differences(const GlState& want, const GlState& got);
