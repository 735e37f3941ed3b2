// Music for the tests that play or cut the soundtrack: a 440 Hz tone on the left and a rising sweep
// on the right, so no two places sound alike, encoded with LAME; and a reference decode.
#pragma once

#include <filesystem>
#include <vector>

// Interleaved stereo 16-bit samples of the test signal, frames long, at the show's audio rate.
std::vector<short> test_signal(int frames);

// Encodes at a variable bit rate, with the LAME tag in the first frame, so a decoder can drop the
// encoder's delay and padding and the stream is exactly as long as the signal.
std::vector<unsigned char> encode_mp3(std::vector<short> pcm);

void write_file(const std::filesystem::path& path, const std::vector<unsigned char>& bytes);

// The whole file decoded in one run from the start, up to its end or its first error. It is not
// scanned first: a full scan of a damaged stream drops the encoder delay the player leaves out, while
// the player's index of the first minutes changes nothing it decodes.
std::vector<short> decode_straight(const std::filesystem::path& path);
