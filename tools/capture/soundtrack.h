// The show's soundtrack cut to the capture's range, sample-exact, and written as a WAV file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Interleaved 16-bit stereo at the show's audio rate.
using Samples = std::vector<int16_t>;

// The sample frame (one sample per channel) at demo time t.
long long sample_frame_at(double t);

// Frames first … first + count − 1 of the music file, exactly as a decode from its start gives them;
// silence where the music does not reach, and all silence (found set false) without a music file.
Samples cut_soundtrack(const std::string& music_path, long long first, long long count, bool* found);

// A canonical 44-byte-header PCM WAV; false with the reason when it cannot be written.
bool write_wav(const std::string& path, const Samples& samples, std::string* why);
