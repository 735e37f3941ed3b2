// What the show asks of the platform it runs on: the SDL window, or an offscreen context.
#pragma once

// Queues the request to end the show; the loop ends when it next polls its events.
void push_quit_event();

// Prints a start-up failure: format has one %s, filled with the platform's error text.
void report_error(const char* format, const char* detail);
