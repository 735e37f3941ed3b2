// The scaling pass: the picture copied into a texture, drawn as one linearly filtered quad.
#include "platform/picture_scaler.h"

#include "assets/screen.h"

#include <GL/gl.h>

#include <initializer_list>

// The smallest power-of-two texture that holds the picture: GL 1.1 knows no other sizes.
static constexpr int texture_width = 1024;
static constexpr int texture_height = 512;
// The quad's corners sample the centres of the picture's corner texels, so that linear filtering
// never reaches the texture's unused part or its border.
static constexpr float s_first = 0.5f / texture_width;
static constexpr float s_last = (screen_width - 0.5f) / texture_width;
static constexpr float t_first = 0.5f / texture_height;
static constexpr float t_last = (screen_height - 0.5f) / texture_height;

static GLuint picture_texture;

PictureRect fit_picture(int window_width, int window_height)
{
    if (window_width * screen_height <= window_height * screen_width) {
        int height = window_width * screen_height / screen_width;
        return {0, (window_height - height) / 2, window_width, height};
    }
    int width = window_height * screen_width / screen_height;
    return {(window_width - width) / 2, 0, width, window_height};
}

void init_picture_scaler()
{
    glPushAttrib(GL_TEXTURE_BIT);
    glGenTextures(1, &picture_texture);
    glBindTexture(GL_TEXTURE_2D, picture_texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, texture_width, texture_height, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glPopAttrib();
}

// Each of the three matrices saved and set to the identity, or put back.
static void push_identity_matrices()
{
    for (GLenum mode : {GL_TEXTURE, GL_PROJECTION, GL_MODELVIEW}) {
        glMatrixMode(mode);
        glPushMatrix();
        glLoadIdentity();
    }
}

static void pop_matrices()
{
    for (GLenum mode : {GL_TEXTURE, GL_PROJECTION, GL_MODELVIEW}) {
        glMatrixMode(mode);
        glPopMatrix();
    }
}

// Whatever the show left on: the quad is drawn plain, its texels replacing the pixels.
static void set_plain_texturing()
{
    for (GLenum capability : {GL_DEPTH_TEST, GL_BLEND, GL_ALPHA_TEST, GL_CULL_FACE, GL_LIGHTING, GL_FOG,
                              GL_SCISSOR_TEST, GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T, GL_TEXTURE_GEN_R, GL_TEXTURE_GEN_Q})
        glDisable(capability);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

void scale_picture(int window_width, int window_height)
{
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    push_identity_matrices();
    set_plain_texturing();
    glBindTexture(GL_TEXTURE_2D, picture_texture);
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, screen_width, screen_height);
    glViewport(0, 0, window_width, window_height);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    PictureRect picture = fit_picture(window_width, window_height);
    glViewport(picture.x, picture.y, picture.width, picture.height);
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(s_first, t_first);
    glVertex2f(-1.0f, -1.0f);
    glTexCoord2f(s_last, t_first);
    glVertex2f(1.0f, -1.0f);
    glTexCoord2f(s_first, t_last);
    glVertex2f(-1.0f, 1.0f);
    glTexCoord2f(s_last, t_last);
    glVertex2f(1.0f, 1.0f);
    glEnd();
    pop_matrices();
    glPopAttrib();
}
