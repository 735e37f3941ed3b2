// The music file through libmpg123: a forced output format and a full index for exact seeks.
#include "platform/mp3_decoder.h"

#include <mpg123.h>

#include <cstdio>
#include <sys/stat.h>

// A Layer III frame takes up to 511 bytes of its data from the frames before it; a 32 kbit/s
// stereo frame carries 68, so that reaches 8 frames back, and one more frame restores the overlap
// of the frame before the target. With the decoder's default of 4, low-bitrate VBR files start
// every seek with a garbled frame.
static constexpr long seek_preframes = 9;

// The show's music is a few megabytes; anything far larger is not it, and indexing it would keep
// start-up busy. A FIFO or a device would block the scan, or never end it.
static constexpr off_t largest_music_bytes = 64 << 20;

static bool is_plausible_music_file(const char* path)
{
    struct stat status;
    return stat(path, &status) == 0 && S_ISREG(status.st_mode) && status.st_size <= largest_music_bytes;
}

// Parses the frames of the first mp3_indexed_seconds, which fills the decoder's index, then goes back
// to the start. The format must be known, so that the time can be turned into a frame number.
static bool index_start(mpg123_handle* handle)
{
    off_t last_frame = mpg123_timeframe(handle, mp3_indexed_seconds);
    if (last_frame < 0)
        return false;
    int result = MPG123_OK;
    while (mpg123_tellframe(handle) < last_frame
           && ((result = mpg123_framebyframe_next(handle)) == MPG123_OK || result == MPG123_NEW_FORMAT)) {
    }
    return mpg123_seek(handle, 0, SEEK_SET) == 0;
}

Mp3Decoder open_mp3(const char* path, int rate)
{
    if (!is_plausible_music_file(path))
        return nullptr;
    mpg123_handle* handle = mpg123_new(nullptr, nullptr);
    if (!handle)
        return nullptr;
    long opened_rate = 0;
    int channels = 0;
    int encoding = 0;
    bool ok = mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET, 0) == MPG123_OK
        && mpg123_param(handle, MPG123_PREFRAMES, seek_preframes, 0) == MPG123_OK
        && mpg123_format_none(handle) == MPG123_OK
        && mpg123_format(handle, rate, MPG123_STEREO, MPG123_ENC_SIGNED_16) == MPG123_OK
        && mpg123_open(handle, path) == MPG123_OK
        && mpg123_getformat(handle, &opened_rate, &channels, &encoding) == MPG123_OK
        && index_start(handle);
    if (!ok || mpg123_length(handle) <= 0) {
        mpg123_delete(handle);
        return nullptr;
    }
    return handle;
}

int read_mp3(Mp3Decoder decoder, unsigned char* out, int length)
{
    int filled = 0;
    while (filled < length) {
        size_t got = 0;
        int result = mpg123_read(decoder, out + filled, size_t(length - filled), &got);
        filled += int(got);
        // The output format is fixed at open, so a format notice changes nothing.
        if (result == MPG123_NEW_FORMAT)
            continue;
        if (result != MPG123_OK || got == 0)
            break;
    }
    return filled;
}

bool seek_mp3(Mp3Decoder decoder, off_t frame) { return mpg123_seek(decoder, frame, SEEK_SET) >= 0; }

void close_mp3(Mp3Decoder decoder) { mpg123_delete(decoder); }
