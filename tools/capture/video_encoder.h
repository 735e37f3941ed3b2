// H.264 video through the ffmpeg program: raw frames go down a pipe to ffmpeg, which encodes them
// in its own process, beside the rendering, and muxes the soundtrack in.
#pragma once

#include "request.h"
#include "soundtrack.h"

#include <string>

// True when an ffmpeg program is on the PATH; else false with the reason.
bool find_ffmpeg(std::string* why);

// Makes a one-frame video as file, encoded as start_video encodes; false with ffmpeg's reason if
// it cannot (a container it does not know by the extension, or one that cannot hold the video).
bool try_video(const std::string& file, std::string* why);

// Starts ffmpeg writing file (its container chosen by its extension) from width × height frames at
// rate, with the samples as its sound; false with the reason if it cannot be started.
bool start_video(const std::string& file, int width, int height, const FrameRate& rate, const Samples& sound,
                 std::string* why);
// Sends one frame, as read_frame_bgra_bottom_up reads it (ffmpeg turns it upright); false with the
// reason when ffmpeg has stopped taking frames or the capture is interrupted.
bool write_video_frame(const unsigned char* bgra, std::string* why);
// Ends the stream and waits for ffmpeg; false with ffmpeg's first message, or the signal that
// killed it, if it failed.
bool finish_video(std::string* why);
// Stops ffmpeg, if it runs, without waiting for it to finish the file.
void abandon_video();
