// The show's entry and its only loop: a full-screen OpenGL window, the start-up chain, then frames
// drawn back to back while the window is active.
#include "assets/textures.h"
#include "show/clock.h"
#include "show/demo.h"
#include "show/director.h"
#include "show/keys.h"
#include "platform/platform.h"
#include "show/view.h"

#include <SDL/SDL.h>

#include <cstdint>
#include <cstdlib>

static constexpr int screen_bits = 32;
// Hardware surface, OpenGL blit mode (includes SDL_OPENGL), double buffer, full screen.
static constexpr Uint32 screen_flags = SDL_HWSURFACE | SDL_OPENGLBLIT | SDL_DOUBLEBUF | SDL_FULLSCREEN;
static constexpr const char* window_caption = "sdl window";

static bool running;
static const uint8_t* key_state;
static uint32_t last_ticks;

static bool set_video_mode(int width, int height, int bits, Uint32 flags)
{
    if (!SDL_SetVideoMode(width, height, bits, flags))
        return false;
    set_view(screen_width, screen_height);
    return true;
}

static bool start_timer(uint32_t* ticks)
{
    *ticks = SDL_GetTicks();
    return true;
}

[[noreturn]] static void fail(const char* message)
{
    report_error(message, SDL_GetError());
    std::exit(1);
}

static void start_up()
{
    // OpenGL windows need X11: without a display SDL would otherwise fall back to a text-mode
    // driver that paints the terminal before failing.
    setenv("SDL_VIDEODRIVER", "x11", 0);
    if (SDL_Init(SDL_INIT_VIDEO) < 0)
        fail("Unable to open SDL: %s\n");
    std::atexit(SDL_Quit);
    if (!set_video_mode(screen_width, screen_height, screen_bits, screen_flags))
        fail("Unable to open screen surface: %s\n");
    SDL_WM_SetCaption(window_caption, nullptr);
    if (!start_timer(&last_ticks))
        fail("Can't init the timers: %s\n");
    if (!init_gl_and_textures())
        fail("Can't init GL: %s\n");
    if (!init_demo())
        fail("App init failed: %s\n");
    SDL_ShowCursor(SDL_DISABLE);
    SDL_EnableKeyRepeat(0, 0);
    running = true;
}

static bool polled_key_of(SDLKey symbol, PolledKey* key)
{
    switch (symbol) {
    case SDLK_SPACE: *key = PolledKey::space; return true;
    case SDLK_b: *key = PolledKey::b; return true;
    case SDLK_j: *key = PolledKey::j; return true;
    default: return false;
    }
}

static void note_key(const SDL_KeyboardEvent& event)
{
    PolledKey key;
    if (!polled_key_of(event.keysym.sym, &key))
        return;
    if (event.type == SDL_KEYDOWN)
        key_went_down(key);
    else
        key_went_up(key);
}

static void handle_event(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_ACTIVEEVENT:
        if (event.active.state & SDL_APPACTIVE)
            app_active = event.active.gain != 0;
        break;
    case SDL_KEYDOWN:
        key_state = SDL_GetKeyState(nullptr);
        note_key(event.key);
        break;
    case SDL_KEYUP:
        note_key(event.key);
        break;
    case SDL_QUIT:
        running = false;
        std::exit(0);
    case SDL_VIDEORESIZE:
        set_view(event.resize.w, event.resize.h);
        break;
    default:
        break;
    }
}

static void draw_frame()
{
    uint32_t now = SDL_GetTicks();
    update_clock_and_keys(now - last_ticks, key_state);
    last_ticks = now;
    run_frame();
    SDL_GL_SwapBuffers();
}

int main(int, char**)
{
    start_up();
    SDL_Event event;
    while (running) {
        if (SDL_PollEvent(&event))
            handle_event(event);
        else if (!app_active)
            SDL_WaitEvent(nullptr);
        else
            draw_frame();
    }
    return 0;
}
