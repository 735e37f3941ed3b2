// Feedback trails: three enlarged copies of the last finished frame are blended over each new one,
// which is then kept for the next; every frame carries a zoomed copy of the one before, so moving
// objects leave trails that stream outwards from the screen centre.
#include "effects/feedback_trails.h"

#include <GL/glu.h>

#include <cstddef>
#include <vector>

static constexpr int texture_width = 1024;
static constexpr int texture_height = 512;
static constexpr int frame_width = 640;
static constexpr int frame_height = 480;
// The frame's share of the texture: 640 of 1024 columns, 480 of 512 rows; t = 0 is the bottom row.
static constexpr float frame_s = 0.625f;
static constexpr float frame_t = 0.9375f;
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
    std::vector<unsigned char> black(static_cast<std::size_t>(texture_width) * texture_height * 4, 0);
    glGenTextures(1, &trail_texture);
    glBindTexture(GL_TEXTURE_2D, trail_texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, texture_width, texture_height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 black.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

static void draw_copy(int i)
{
    glColor4f(1.0f, 1.0f, 1.0f, first_alpha - alpha_step * i);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0.0, 0.0, first_eye_distance - eye_step * i, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
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

void apply_feedback_trails()
{
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    glBindTexture(GL_TEXTURE_2D, trail_texture);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    for (int i = 0; i < copies; ++i)
        draw_copy(i);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, frame_width, frame_height);
}
