// The capture's outputs are written under partial names ("show.part.mp4") and take their own names
// only when the whole capture has succeeded: an interrupted or failed capture leaves nothing that
// looks finished.
#pragma once

#include <string>

// "dir/name.ext" → "dir/name.part.ext".
std::string partial_path(const std::string& path);

// Creates the output's partial file, empty, to be written later, and notes it; false (with the
// reason in why) when it cannot be written.
bool claim_output(const std::string& path, std::string* why);
// Gives every claimed output its own name; false with the reason when one cannot be renamed.
bool keep_outputs(std::string* why);
// Removes every partial file claimed and not kept.
void discard_outputs();

// SIGINT, SIGTERM and SIGHUP (unless ignored from the start) only raise a flag, which the capture
// checks between frames; blocking calls return early with EINTR. A broken pipe is reported by
// write, not by a signal.
void watch_for_interrupts();
bool interrupted();
