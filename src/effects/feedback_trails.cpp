// Feedback trails: three enlarged copies of the last finished frame are blended over each new one,
// which is then kept for the next; every frame carries a zoomed copy of the one before, so moving
// objects leave trails that stream outwards from the screen centre.
#include "effects/feedback_trails.h"

#include "assets/screen.h"
#include "effects/gl_base.h"
#include "effects/matrix.h"

#include <cstddef>
#include <vector>

// The frame lies in the texture's lower-left corner: t = 0 is the bottom row.
static constexpr float frame_s = screen_texture_s;
static constexpr float frame_t = screen_texture_t;
// The copy is a 4:3 quad two units high at z = 0, seen from ever closer under the 45-degree view:
// at eye distance D it is enlarged 1 / (D·tan 22.5°), about 1.014, 1.059 and 1.107.
static constexpr float quad_half_width = 1.333f;
static constexpr float quad_half_height = 1.0f;
static constexpr int copies = 3;
static constexpr double first_eye_distance = 2.38;
static constexpr double eye_step = 0.1;
static constexpr float first_alpha = 0.5f;
static constexpr float alpha_step = 0.1f;

GLuint trail_texture;

// The texture keeps colour only: whatever alpha the window has (none, or what the scenes and the
// copies' own blending left in it), every copy blends at exactly its stated alpha.
void init_trail_texture()
{
    std::vector<unsigned char> black(static_cast<std::size_t>(screen_texture_width) * screen_texture_height * 4, 0);
    glGenTextures(1, &trail_texture);
    glBindTexture(GL_TEXTURE_2D, trail_texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, screen_texture_width, screen_texture_height, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, black.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glBindTexture(GL_TEXTURE_2D, 0);
}

static void draw_copy(int i)
{
    glColor4f(1.0f, 1.0f, 1.0f, first_alpha - alpha_step * i);
    Matrix4 view = looked_at(identity_matrix(), {0.0, 0.0, first_eye_distance - eye_step * i}, {0.0, 0.0, 0.0},
                             {0.0, 1.0, 0.0});
    glLoadMatrixf(view.m);
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-quad_half_width, -quad_half_height, 0.0f);
    glTexCoord2f(0.0f, frame_t);
    glVertex3f(-quad_half_width, quad_half_height, 0.0f);
    glTexCoord2f(frame_s, 0.0f);
    glVertex3f(quad_half_width, -quad_half_height, 0.0f);
    glTexCoord2f(frame_s, frame_t);
    glVertex3f(quad_half_width, quad_half_height, 0.0f);
    glEnd();
}

// The copies blend by their alpha, the base function, over everything: no depth test.
void apply_feedback_trails()
{
    glBindTexture(GL_TEXTURE_2D, trail_texture);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    for (int i = 0; i < copies; ++i)
        draw_copy(i);
    glEnable(GL_DEPTH_TEST);
    restore_base_blending();
    restore_base_colour();
    glLoadIdentity();
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, screen_width, screen_height);
    glBindTexture(GL_TEXTURE_2D, 0);
}
