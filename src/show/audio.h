// The music stream: one MP3 file decoded and played on the audio device. Opening does not start
// playback; seeking lands on the exact sample of a whole-millisecond position. Every call is safe
// after a failed open or a missing device, and stop and close are safe twice: the show then simply
// plays silently, and the shell never checks the results (they are there for the tests).
#pragma once

constexpr int audio_rate = 44100;

// Opens the audio device, paused, at rate Hz, 16-bit stereo.
bool audio_init(int rate);
// Opens and indexes the MP3 file without playing it; false when it is missing or not an MP3.
bool music_open(const char* path);
// Starts playing at once (nothing happens without a device or a stream).
void music_play();
// Jumps to the sample ms × rate ÷ 1000 (ms below 0 count as 0; past the end plays silence).
void music_seek_ms(int ms);
// Silences the stream; it keeps its position.
void music_stop();
// Closes the device and the stream.
void audio_close();

// Position of the stream in milliseconds (what the device will play next), rounded up to a whole
// millisecond so that it reads back a seek exactly; for tests.
long music_position_ms();
bool music_is_playing();
