// The shared fixture of the drawing tests: the offscreen show, frame read-back and GL feedback.
#include "show_fixture.h"

#include "assets/textures.h"
#include "platform/offscreen.h"
#include "png_frames.h"
#include "show/demo.h"
#include "show/director.h"
#include "show/show_state.h"
#include "show/view.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <utility>

// The context and the show's pictures, tables and meshes, opened once before the program's first
// test: the drawing suites share them, as the frames of the show do.
namespace {
class OffscreenShow : public testing::Environment {
public:
    void SetUp() override
    {
        ASSERT_TRUE(open_offscreen_context(screen_width, screen_height));
        set_view(screen_width, screen_height);
        init_gl_and_textures();
        init_demo(0.0);
    }
};
const testing::Environment* const offscreen_show = testing::AddGlobalTestEnvironment(new OffscreenShow);
}  // namespace

ShowState& shown()
{
    static ShowState state;
    return state;
}

EffectWorkspace& work() { return *shown().work; }

std::vector<unsigned char> grab_frame() { return read_frame_rgba(screen_width, screen_height); }

Rgb pixel_at(const std::vector<unsigned char>& frame, int x, int y)
{
    const unsigned char* p = &frame[(static_cast<size_t>(y) * screen_width + x) * 4];
    return {p[0], p[1], p[2]};
}

bool every_pixel_is(const Frame& frame, int value)
{
    for (size_t i = 0; i < frame.size(); i += 4)
        for (int c = 0; c < 3; ++c)
            if (frame[i + c] != value)
                return false;
    return true;
}

double mean_brightness(const std::vector<unsigned char>& frame, int x0, int y0, int x1, int y1)
{
    double sum = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            Rgb p = pixel_at(frame, x, y);
            sum += (p.r + p.g + p.b) / 3.0;
        }
    return sum / ((x1 - x0) * (y1 - y0));
}

void save_frame(const std::vector<unsigned char>& frame, const char* name)
{
    mkdir("build", 0777);
    mkdir("build/test-frames", 0777);
    write_png(std::string("build/test-frames/") + name + ".png", frame, screen_width, screen_height);
}

static constexpr int feedback_capacity = 2000000;
static constexpr int feedback_vertex_floats = 11;  // x y z, r g b a, s t r q

std::vector<FedPolygon> feed_polygons(double half_size, double depth, const std::function<void()>& draw)
{
    static std::vector<GLfloat> buffer(feedback_capacity);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-half_size, half_size, -half_size, half_size, -depth, depth);
    glMatrixMode(GL_MODELVIEW);
    glFeedbackBuffer(feedback_capacity, GL_3D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    GLint values = glRenderMode(GL_RENDER);

    std::vector<FedPolygon> polygons;
    EXPECT_GT(values, 0) << "nothing was fed back, or the buffer overflowed";
    for (GLint at = 0; at < values;) {
        EXPECT_EQ(buffer[at], static_cast<GLfloat>(GL_POLYGON_TOKEN));
        int count = static_cast<int>(buffer[at + 1]);
        at += 2;
        FedPolygon polygon;
        for (int v = 0; v < count; ++v, at += feedback_vertex_floats) {
            const GLfloat* f = &buffer[at];
            polygon.push_back({f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8], f[9], f[10]});
        }
        polygons.push_back(polygon);
    }
    return polygons;
}

std::array<double, 3> project_point(const std::array<double, 3>& p, bool back)
{
    double modelview[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    std::array<double, 3> q;
    (back ? gluUnProject : gluProject)(p[0], p[1], p[2], modelview, projection, viewport, &q[0], &q[1], &q[2]);
    return q;
}

bool draw_show_at(double t) { return draw_frame_at(shown(), t, 1.0 / 60.0); }

Frame show_frame_at(double t)
{
    draw_show_at(t);
    return grab_frame();
}

unsigned int solid_texture(unsigned char grey)
{
    const unsigned char texels[16] = {grey, grey, grey, 255, grey, grey, grey, 255,
                                      grey, grey, grey, 255, grey, grey, grey, 255};
    GLuint name;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    return name;
}

unsigned int black_texture() { return solid_texture(0); }

// The frames the show draws at t with a picture swapped for opaque black and for opaque white.
static std::pair<Frame, Frame> frames_with_picture_swapped(Slot slot, double t)
{
    static const GLuint black = black_texture();
    static const GLuint white = solid_texture(255);
    GLuint kept = textures.*slot;
    textures.*slot = black;
    Frame dark = show_frame_at(t);
    textures.*slot = white;
    Frame light = show_frame_at(t);
    textures.*slot = kept;
    return {dark, light};
}

Mask picture_mask(Slot slot, double t)
{
    auto [dark, light] = frames_with_picture_swapped(slot, t);
    Mask mask(dark.size() / 4);
    for (size_t i = 0; i < mask.size(); ++i)
        mask[i] = dark[4 * i] != light[4 * i] || dark[4 * i + 1] != light[4 * i + 1] || dark[4 * i + 2] != light[4 * i + 2];
    return mask;
}

double picture_weight(Slot slot, double t)
{
    auto [dark, light] = frames_with_picture_swapped(slot, t);
    double change = 0;
    for (size_t i = 0; i < dark.size(); i += 4)
        for (int c = 0; c < 3; ++c)
            change += light[i + c] - dark[i + c];
    return change / (255.0 * 3 * (dark.size() / 4));
}
