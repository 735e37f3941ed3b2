// The show's platform offscreen: a quit request just raises a flag for the tool driving the frames.
#include "platform/offscreen.h"
#include "platform/platform.h"

bool quit_requested = false;

void push_quit_event() { quit_requested = true; }
