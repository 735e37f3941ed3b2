// The capture's progress on standard error: frames done, frames per second and the time left. On a
// terminal one line is rewritten in place a few times a second; elsewhere a line is added at every
// tenth of the way.
#pragma once

void start_progress(long long total_frames);
void report_progress(long long frames_done);
// Ends the line, so that a message after it starts on a line of its own.
void end_progress();
