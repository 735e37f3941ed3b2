// The show's soundtrack cut to the capture's range, sample-exact, and written as a WAV file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Interleaved 16-bit stereo at the show's audio rate.
using Samples = std::vector<int16_t>;

// The sample frame (one sample per channel) at demo time t.
long long sample_frame_at(double t);

constexpr long long no_music = -1;

// Frames first … first + count − 1 of the music file, exactly as a decode from its start gives them,
// and silence where the music does not reach: music_end is the frame where it ends (or breaks off),
// first + count if it reaches that far, and no_music without a music file.
Samples cut_soundtrack(const std::string& music_path, long long first, long long count, long long* music_end);

// A canonical 44-byte-header PCM WAV; false with the reason when it cannot be written.
bool write_wav(const std::string& path, const Samples& samples, std::string* why);
