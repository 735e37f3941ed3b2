// The show's entry and its only loop: the full-screen OpenGL mode (or, on request, the desktop filled
// or a window; see screen_sdl.h), the start-up chain, then frames drawn back to back while the window
// is active.
#include "assets/data_directory.h"
#include "show/audio.h"
#include "show/clock.h"
#include "show/demo.h"
#include "show/director.h"
#include "show/keys.h"
#include "platform/screen_sdl.h"
#include "show/show_state.h"
#include "show/view.h"

#include <SDL/SDL.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

static constexpr const char* window_caption = "sdl window";

static constexpr const char* usage =
    "usage: ninescenes [--desktop | --window] [--start SECONDS] [--data DIR] [--version] [--help]";
static constexpr const char* help_text =
    "Plays the show with its music; it quits by itself after 240 seconds. Without options the screen\n"
    "switches to its 640 x 480 full-screen mode, which many systems scale to the desktop themselves.\n"
    "  --desktop        full screen at the desktop's own resolution, without a mode switch: the picture\n"
    "                   scaled to fill it, its shape kept, black at the sides. Choose it where the mode\n"
    "                   switch fails or a flat panel stretches the picture to its width.\n"
    "  --window         a window, resizable, that scales the picture to fit (its shape kept)\n"
    "  --start SECONDS  begin at that moment of the show (0 to 240), the music sought there\n"
    "  --data DIR       read the pictures, meshes and music from DIR\n"
    "  --version        the version\n"
    "  --help           this text\n"
    "Keys: ESC ends the show, SPACE (held) fast-forwards, B switches the feedback trails,\n"
    "J the band of block-transform artefacts.\n"
    "Without --data the data set is looked for in data/ in the working directory, then in\n"
    "../share/ninescenes/data beside the program's directory (see the manual page).\n";

struct ViewerOptions {
    ScreenChoice screen = ScreenChoice::mode_640x480;
    double start = 0.0;
    const char* data = nullptr;  // the data directory named with --data
};

// What the loop keeps besides the show's own state.
struct Viewer {
    bool running = false;
    bool active = false;                 // the window is active: frames are drawn only then
    const uint8_t* key_state = nullptr;  // SDL's key-state array, from the first key-down event on
    uint32_t last_ticks = 0;             // the timer at the previous drawn frame
    Screen screen;                       // the window and how the picture fills it
};

static bool start_timer(uint32_t* ticks)
{
    *ticks = SDL_GetTicks();
    return true;
}

// A start-up failure: message has one %s, filled with SDL's error text.
[[noreturn]] static void fail(const char* message)
{
    std::fprintf(stderr, "ninescenes: ");
    std::fprintf(stderr, message, SDL_GetError());
    std::exit(1);
}

// Everything wrong on the command line is one line on standard error and status 1.
[[noreturn]] static void refuse_option(const std::string& why)
{
    std::fprintf(stderr, "ninescenes: %s; %s\n", why.c_str(), usage);
    std::exit(1);
}

static ViewerOptions parse_options(int argc, char** argv)
{
    ViewerOptions options;
    for (int i = 1; i < argc; ++i) {
        std::string option = argv[i];
        if (option == "--help") {
            std::printf("%s\n%s", usage, help_text);
            std::exit(0);
        } else if (option == "--version") {
            std::printf("ninescenes %s\n", NINESCENES_VERSION);
            std::exit(0);
        } else if (option == "--window" || option == "--desktop") {
            if (options.screen != ScreenChoice::mode_640x480)
                refuse_option("--window and --desktop exclude each other");
            options.screen = option == "--window" ? ScreenChoice::window : ScreenChoice::desktop;
        } else if (option == "--data") {
            if (i + 1 == argc)
                refuse_option("--data takes a directory");
            options.data = argv[++i];
        } else if (option == "--start") {
            if (i + 1 == argc || !parse_demo_time(argv[++i], &options.start))
                refuse_option("--start takes a time in seconds from 0 to " + std::to_string(int(show_end)));
        } else {
            refuse_option("unknown option '" + option + "'");
        }
    }
    return options;
}

static void start_up(const ViewerOptions& options, Viewer& viewer, ShowState& show)
{
    if (!find_data_directory(options.data))
        std::exit(1);
    // OpenGL windows need X11: without a display SDL would otherwise fall back to a text-mode
    // driver that paints the terminal before failing.
    setenv("SDL_VIDEODRIVER", "x11", 0);
    if (SDL_Init(SDL_INIT_VIDEO) < 0)
        fail("Unable to open SDL: %s\n");
    std::atexit(SDL_Quit);
    if (!open_screen(options.screen, &viewer.screen))
        fail("Unable to open screen surface: %s\n");
    SDL_WM_SetCaption(window_caption, nullptr);
    if (!start_timer(&viewer.last_ticks))
        fail("Can't init the timers: %s\n");
    if (!init_gl_and_textures())
        fail("Can't init GL: %s\n");
    show.demo_time = options.start;
    if (!init_demo(show.demo_time))
        fail("App init failed: %s\n");
    viewer.active = true;
    SDL_EnableKeyRepeat(0, 0);
    viewer.running = true;
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

static void note_key(const SDL_KeyboardEvent& event, KeyPolls& keys)
{
    PolledKey key;
    if (!polled_key_of(event.keysym.sym, &key))
        return;
    if (event.type == SDL_KEYDOWN)
        key_went_down(keys, key);
    else
        key_went_up(keys, key);
}

static void handle_event(const SDL_Event& event, Viewer& viewer, ShowState& show)
{
    switch (event.type) {
    case SDL_ACTIVEEVENT:
        if (event.active.state & SDL_APPACTIVE)
            viewer.active = event.active.gain != 0;
        break;
    case SDL_KEYDOWN:
        viewer.key_state = SDL_GetKeyState(nullptr);
        note_key(event.key, show.keys);
        break;
    case SDL_KEYUP:
        note_key(event.key, show.keys);
        break;
    case SDL_QUIT:
        viewer.running = false;
        break;
    case SDL_VIDEORESIZE:
        resize_screen(viewer.screen, event.resize.w, event.resize.h);
        break;
    default:
        break;
    }
}

// The music stops with the last frame shown, whether ESC or the clock ended the show.
static void end_show(Viewer& viewer)
{
    music_stop();
    audio_close();
    viewer.running = false;
}

// ESC, like the end of the show, still lets the frame be drawn and shown.
static void draw_frame(Viewer& viewer, ShowState& show)
{
    uint32_t now = SDL_GetTicks();
    bool escape = update_clock_and_keys(show, now - viewer.last_ticks, viewer.key_state);
    viewer.last_ticks = now;
    bool over = run_frame(show);
    show_frame(viewer.screen);
    if (escape || over)
        end_show(viewer);
}

int main(int argc, char** argv)
{
    Viewer viewer;
    ShowState show;
    start_up(parse_options(argc, argv), viewer, show);
    SDL_Event event;
    while (viewer.running) {
        if (SDL_PollEvent(&event))
            handle_event(event, viewer, show);
        else if (!viewer.active)
            SDL_WaitEvent(nullptr);
        else
            draw_frame(viewer, show);
    }
    return 0;
}
