// The glowing square shared by the rings and sprites.
#include "effects/glow_square.h"

#include "effects/gl_base.h"

#include <cmath>

static constexpr int glowing_ring_count = 3;
static constexpr double glowing_ring_turn_rate = 10.0;  // degrees a second

void draw_glow_square(float half_size)
{
    const float h = half_size;
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(0, 0);
    glVertex3f(-h, -h, 0);
    glTexCoord2f(0, 1);
    glVertex3f(-h, h, 0);
    glTexCoord2f(1, 0);
    glVertex3f(h, -h, 0);
    glTexCoord2f(1, 1);
    glVertex3f(h, h, 0);
    glEnd();
}

template <typename Real>
void draw_glowing_rings(GLuint texture, const Matrix4& camera, Real t, float half_size)
{
    glLoadMatrixf(camera.m);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glBindTexture(GL_TEXTURE_2D, texture);
    glDepthMask(GL_FALSE);
    for (int j = 0; j < glowing_ring_count; ++j) {
        glPushMatrix();
        glRotatef(static_cast<float>(Real(glowing_ring_turn_rate) * t), static_cast<float>(std::sin(t + j)),
                  static_cast<float>(std::sin(Real(0.8) * t + Real(1.3) * j + Real(2.4))),
                  static_cast<float>(std::sin(Real(0.8) * j + Real(0.4) * t + Real(1.9))));
        draw_glow_square(half_size);
        glPopMatrix();
    }
    glDepthMask(GL_TRUE);
    restore_base_blending();
    glBindTexture(GL_TEXTURE_2D, 0);
    glLoadIdentity();
}

template void draw_glowing_rings<float>(GLuint, const Matrix4&, float, float);
template void draw_glowing_rings<double>(GLuint, const Matrix4&, double, float);
