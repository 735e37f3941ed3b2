// The show's viewport and perspective.
#include "show/view.h"

#include <GL/gl.h>
#include <GL/glu.h>

static constexpr double field_of_view_degrees = 45.0;
static constexpr double near_plane = static_cast<double>(0.2f);  // single-precision 0.2, widened
static constexpr double far_plane = 400.0;

void set_view(int width, int height)
{
    // A zero-height window (a resize to nothing) would make the aspect infinite; keep it finite.
    int safe_height = height > 0 ? height : 1;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(field_of_view_degrees, static_cast<double>(width) / safe_height, near_plane, far_plane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
