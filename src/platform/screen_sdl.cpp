// Opening, resizing and showing the screen on SDL 1.2.
#include "platform/screen_sdl.h"

#include "platform/picture_scaler.h"
#include "show/view.h"

#include <GL/gl.h>
#include <SDL/SDL.h>

#include <algorithm>

static constexpr int screen_bits = 32;
// Hardware surface, OpenGL blit mode (includes SDL_OPENGL), double buffer; full screen or resizable.
static constexpr Uint32 window_flags = SDL_HWSURFACE | SDL_OPENGLBLIT | SDL_DOUBLEBUF;
static constexpr Uint32 full_screen_flags = window_flags | SDL_FULLSCREEN;
static constexpr Uint32 resizable_flags = window_flags | SDL_RESIZABLE;

// A window's share of the desktop: its area, and the room its sides leave for panels and a title bar.
static constexpr double window_area_share = 0.8;
static constexpr double window_side_share = 0.9;

static bool fits_as_window(int times, WindowSize desktop)
{
    double width = double(times) * screen_width, height = double(times) * screen_height;
    return width * height <= window_area_share * desktop.width * desktop.height
        && width <= window_side_share * desktop.width && height <= window_side_share * desktop.height;
}

WindowSize window_size_for(ScreenChoice choice, WindowSize desktop)
{
    switch (choice) {
    case ScreenChoice::desktop:
        return {std::max(desktop.width, screen_width), std::max(desktop.height, screen_height)};
    case ScreenChoice::window: {
        int times = 1;
        while (fits_as_window(times + 1, desktop))
            ++times;
        return {times * screen_width, times * screen_height};
    }
    default:
        return {screen_width, screen_height};
    }
}

static Uint32 flags_for(ScreenChoice choice)
{
    return choice == ScreenChoice::window ? resizable_flags : full_screen_flags;
}

// The window of the given size; the show's view stays that of the 640 × 480 picture.
static bool set_video_mode(int width, int height, int bits, Uint32 flags)
{
    if (!SDL_SetVideoMode(width, height, bits, flags))
        return false;
    set_view(screen_width, screen_height);
    return true;
}

bool open_screen(ScreenChoice choice, Screen* screen)
{
    // The desktop's resolution is known only before the first mode is set.
    const SDL_VideoInfo* info = SDL_GetVideoInfo();
    WindowSize desktop = {info ? info->current_w : 0, info ? info->current_h : 0};
    WindowSize window = window_size_for(choice, desktop);
    if (!set_video_mode(window.width, window.height, screen_bits, flags_for(choice)))
        return false;
    *screen = {choice, window};
    if (choice != ScreenChoice::mode_640x480)
        init_picture_scaler();
    SDL_ShowCursor(choice == ScreenChoice::window ? SDL_ENABLE : SDL_DISABLE);
    return true;
}

void resize_screen(Screen& screen, int width, int height)
{
    WindowSize window = {std::max(width, screen_width), std::max(height, screen_height)};
    // In the blit mode SDL binds a texture of its own when it sets a mode; the show's state stays.
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    bool resized = set_video_mode(window.width, window.height, screen_bits, flags_for(screen.choice));
    glPopAttrib();
    if (resized)
        screen.window = window;
}

void show_frame(const Screen& screen)
{
    if (screen.window.width != screen_width || screen.window.height != screen_height)
        scale_picture(screen.window.width, screen.window.height);
    SDL_GL_SwapBuffers();
}
