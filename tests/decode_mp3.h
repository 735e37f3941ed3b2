// Decoding an MP3 file straight through with libmpg123, for the tests that compare against it.
#pragma once

#include <filesystem>
#include <vector>

// The whole file decoded in one run from the start as interleaved 16-bit stereo at the show's rate,
// up to its end or its first error. It is indexed first, as the player does, so that both agree on
// where a damaged stream ends.
std::vector<short> decode_straight(const std::filesystem::path& path);
