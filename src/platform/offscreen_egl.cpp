// The offscreen GL context on EGL (Mesa surfaceless) and frame read-back.
#include "platform/offscreen.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

static bool refuse(const char* step)
{
    std::fprintf(stderr, "ninescenes: offscreen GL context: %s failed (EGL error 0x%x)\n", step, eglGetError());
    return false;
}

// Mesa's surfaceless platform needs no display server; the show's 32-bit colour and a depth buffer.
static EGLDisplay open_display()
{
    auto get_platform_display =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!get_platform_display)
        return EGL_NO_DISPLAY;
    EGLDisplay display = get_platform_display(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display != EGL_NO_DISPLAY && !eglInitialize(display, nullptr, nullptr))
        return EGL_NO_DISPLAY;
    return display;
}

struct OpenContext {
    EGLDisplay display;
    EGLConfig config;
    EGLSurface surface;
    EGLContext context;
};
static OpenContext open_context = {EGL_NO_DISPLAY, nullptr, EGL_NO_SURFACE, EGL_NO_CONTEXT};

static EGLSurface create_surface(EGLDisplay display, EGLConfig config, int width, int height)
{
    const EGLint size[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    return eglCreatePbufferSurface(display, config, size);
}

// The driver's drawing threads end with the context, before the process's own exit handlers (and
// a leak checker's) look at what is left. The display stays initialised: terminating it would
// unload the driver, whose start-up allocations could then no longer be told apart.
static void close_offscreen_context()
{
    eglMakeCurrent(open_context.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(open_context.display, open_context.context);
    eglDestroySurface(open_context.display, open_context.surface);
}

bool open_offscreen_context(int width, int height)
{
    EGLDisplay display = open_display();
    if (display == EGL_NO_DISPLAY)
        return refuse("opening the surfaceless display");
    const EGLint config_wanted[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8,
                                    EGL_BLUE_SIZE, 8, EGL_ALPHA_SIZE, 8, EGL_DEPTH_SIZE, 24,
                                    EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
    EGLConfig config;
    EGLint configs = 0;
    if (!eglChooseConfig(display, config_wanted, &config, 1, &configs) || configs < 1)
        return refuse("choosing a config");
    EGLSurface surface = create_surface(display, config, width, height);
    if (surface == EGL_NO_SURFACE)
        return refuse("creating the pbuffer");
    if (!eglBindAPI(EGL_OPENGL_API))
        return refuse("binding desktop GL");
    EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
    if (context == EGL_NO_CONTEXT)
        return refuse("creating the context");
    if (!eglMakeCurrent(display, surface, surface, context))
        return refuse("making the context current");
    open_context = {display, config, surface, context};
    std::atexit(close_offscreen_context);
    return true;
}

bool resize_offscreen_surface(int width, int height)
{
    OpenContext& open = open_context;
    EGLSurface surface = create_surface(open.display, open.config, width, height);
    if (surface == EGL_NO_SURFACE)
        return refuse("creating the pbuffer");
    if (!eglMakeCurrent(open.display, surface, surface, open.context)) {
        eglDestroySurface(open.display, surface);
        return refuse("making the new surface current");
    }
    eglDestroySurface(open.display, open.surface);
    open.surface = surface;
    return true;
}

std::vector<unsigned char> read_frame_rgba(int width, int height)
{
    const size_t row_bytes = static_cast<size_t>(width) * 4;
    std::vector<unsigned char> bottom_up(row_bytes * height);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottom_up.data());
    std::vector<unsigned char> top_down(bottom_up.size());
    for (int y = 0; y < height; ++y)
        std::copy_n(&bottom_up[(height - 1 - y) * row_bytes], row_bytes, &top_down[y * row_bytes]);
    return top_down;
}

void read_frame_bgra_bottom_up(int width, int height, unsigned char* out)
{
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_BGRA, GL_UNSIGNED_BYTE, out);
}
