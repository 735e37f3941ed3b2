// Decoding the music file with libmpg123 into 16-bit stereo at a chosen rate. The file's first
// mp3_indexed_seconds are indexed by a scan when it is opened, so every seek there lands on its exact
// sample and a damaged stream ends at the same place however it is reached: the player and the
// capture tool hear the same samples.
#pragma once

#include <sys/types.h>

struct mpg123_handle_struct;
using Mp3Decoder = mpg123_handle_struct*;

constexpr int mp3_channel_count = 2;
constexpr int mp3_bytes_per_frame = mp3_channel_count * 2;  // one 16-bit sample per channel
// More than any soundtrack of the show lasts. The scan stops there: a file of many small frames
// (hours of sound at a low bit rate) opens as fast as the show's own, and a seek past it reads on.
constexpr double mp3_indexed_seconds = 300.0;

// An indexed decoder on path; null when the file is missing, is not a regular file, is far larger
// than any soundtrack (64 MiB), or holds no MPEG audio.
Mp3Decoder open_mp3(const char* path, int rate);
// Decodes into out until length bytes are there or the stream ends (at its end or its first
// error); returns the bytes written. Allocates nothing.
int read_mp3(Mp3Decoder decoder, unsigned char* out, int length);
// Goes to the given frame (one sample per channel); false on a decoder error. Past the end it
// succeeds and the next read gives nothing.
bool seek_mp3(Mp3Decoder decoder, off_t frame);
// Null is fine.
void close_mp3(Mp3Decoder decoder);
