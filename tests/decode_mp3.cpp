// Decoding an MP3 file straight through with libmpg123, as the show's audio layer does.
#include "decode_mp3.h"

#include <mpg123.h>

#include "platform/audio.h"

std::vector<short> decode_straight(const std::filesystem::path& path)
{
    mpg123_handle* handle = mpg123_new(nullptr, nullptr);
    mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
    mpg123_format_none(handle);
    mpg123_format(handle, audio_rate, MPG123_STEREO, MPG123_ENC_SIGNED_16);
    std::vector<short> samples;
    if (mpg123_open(handle, path.c_str()) == MPG123_OK && mpg123_scan(handle) == MPG123_OK) {
        short buffer[4096];
        int result = MPG123_OK;
        while (result == MPG123_OK || result == MPG123_NEW_FORMAT) {
            size_t got = 0;
            result = mpg123_read(handle, buffer, sizeof buffer, &got);
            samples.insert(samples.end(), buffer, buffer + got / sizeof(short));
        }
    }
    mpg123_delete(handle);
    return samples;
}
