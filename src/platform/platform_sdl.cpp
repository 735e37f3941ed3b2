// The show's platform on SDL: the quit request travels through SDL's event queue.
#include "platform/platform.h"

#include <SDL/SDL.h>

#include <cstdlib>

static SDL_Event quit_event;

void push_quit_event()
{
    quit_event.type = SDL_QUIT;
    if (SDL_PushEvent(&quit_event) == -1) {
        report_error("SDL_QUIT event can't be pushed: %s\n", SDL_GetError());
        std::exit(1);
    }
}
