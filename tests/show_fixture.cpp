#include "show_fixture.h"

#include "assets/textures.h"
#include "png_frames.h"
#include "shell/offscreen.h"
#include "shell/view.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

void open_show_offscreen()
{
    static bool opened = false;
    if (opened)
        return;
    ASSERT_TRUE(open_offscreen_context(screen_width, screen_height));
    set_view(screen_width, screen_height);
    init_gl_and_textures();
    opened = true;
}

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
