// The capture's outputs are written under temporary names unique to this process, in the folders
// they are to take their place in ("show.part-q3Xb7e.mp4", "frames/.part-q3Xb7e/000000.png"), and
// take their own names only when the whole capture has succeeded: a failed or interrupted capture
// leaves nothing that looks finished, and of two captures to the same name the one that ends last
// replaces the file whole.
#pragma once

#include <string>

// Claims an output file before any work: the name must be new, in an existing folder, or name a
// regular file (a symbolic link to one is followed, and the file it names is replaced). Returns the
// temporary file created for it, or "" with the reason in why.
std::string claim_file(const std::string& path, std::string* why);

// Claims a folder for PNG frames: an existing folder, or a new one in an existing folder. One that
// holds frames of an earlier capture (NNNNNN.png) is refused, unless overwrite, and then they are
// removed when the new frames are kept. Returns the temporary folder for the frames, or "" with the
// reason in why.
std::string claim_frame_folder(const std::string& path, bool overwrite, std::string* why);

// The message with every temporary name in it (and ffmpeg's "file:" before one) put back to the
// name of its output.
std::string named_as_given(std::string message);

// Gives every claimed output its own name; false with the reason when one cannot be given.
bool keep_outputs(std::string* why);
// Removes every temporary file and folder claimed and not kept.
void discard_outputs();

// SIGINT, SIGTERM and SIGHUP (unless ignored from the start) only raise a flag, which the capture
// checks between frames; blocking calls return early with EINTR. A broken pipe is reported by
// write, not by a signal.
void watch_for_interrupts();
bool interrupted();
