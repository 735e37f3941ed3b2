// The offscreen show the GL benchmarks draw into.
#include "offscreen_show.h"

#include "assets/textures.h"
#include "platform/offscreen.h"
#include "show/demo.h"
#include "show/show_state.h"
#include "show/view.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdlib>

void open_context_once()
{
    static bool opened = false;
    if (opened)
        return;
    if (!open_offscreen_context(screen_width, screen_height))
        std::exit(1);
    set_view(screen_width, screen_height);
    opened = true;
}

void show_is_loaded()
{
    static bool loaded = false;
    if (loaded)
        return;
    open_context_once();
    init_gl_and_textures();
    init_demo(0.0);
    loaded = true;
}

ShowState& bench_show()
{
    static ShowState state;
    return state;
}

MetaballVolume& bench_volume() { return bench_show().work->blobs; }

Matrix4 camera_along_z(double eye_x, double eye_z)
{
    return looked_at(identity_matrix(), {eye_x, 0.0, eye_z}, {eye_x, 0.0, 0.0}, {0.0, 1.0, 0.0});
}

void cull_every_face(bool on)
{
    if (on) {
        glEnable(GL_CULL_FACE);
        glCullFace(GL_FRONT_AND_BACK);
    } else {
        glCullFace(GL_BACK);
        glDisable(GL_CULL_FACE);
    }
}
