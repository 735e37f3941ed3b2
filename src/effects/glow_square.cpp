// The glowing square shared by the rings and sprites.
#include "effects/glow_square.h"

#include <GL/gl.h>

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
