// The music on SDL's audio device. libmpg123 decodes the MP3 straight into the device's buffer on
// SDL's audio thread; the show's thread only opens, seeks and stops. Every piece of state the audio
// thread reads is changed under SDL_LockAudio, which SDL also holds around the callback.
#include "platform/audio.h"

#include <SDL/SDL.h>
#include <mpg123.h>

#include <cstring>

static constexpr int channel_count = 2;
static constexpr int bytes_per_frame = channel_count * int(sizeof(Sint16));
static constexpr Uint16 device_buffer_frames = 1024;  // about 23 ms at 44100 Hz
static constexpr long long ms_per_second = 1000;
// A Layer III frame takes up to 511 bytes of its data from the frames before it; a 32 kbit/s
// stereo frame carries 68, so that reaches 8 frames back, and one more frame restores the overlap
// of the frame before the target. With the decoder's default of 4, low-bitrate VBR files start
// every seek with a garbled frame.
static constexpr long seek_preframes = 9;

static int stream_rate = audio_rate;
static bool audio_subsystem_on = false;
static bool device_open = false;

// Shared with the audio thread.
static mpg123_handle* decoder = nullptr;
static off_t position_frames = 0;   // the frame (one sample per channel) the device plays next
static bool stream_ended = false;   // past the end or after a decoding error: only silence
static bool playing = false;

// Decodes into out until it is full or the stream ends; returns the bytes written.
static int decode_into(Uint8* out, int length)
{
    int filled = 0;
    while (filled < length && !stream_ended) {
        size_t got = 0;
        int result = mpg123_read(decoder, out + filled, size_t(length - filled), &got);
        filled += int(got);
        // The output format is fixed at open, so a format notice changes nothing.
        if (result == MPG123_NEW_FORMAT)
            continue;
        if (result != MPG123_OK || got == 0)
            stream_ended = true;
    }
    position_frames += filled / bytes_per_frame;
    return filled;
}

// Runs on SDL's audio thread with the audio lock held; allocates nothing. The device may call it
// once more between music_stop and its pause taking effect, hence the check of playing.
static void fill_device_buffer(void*, Uint8* stream, int length)
{
    int filled = playing ? decode_into(stream, length) : 0;
    std::memset(stream + filled, 0, size_t(length - filled));
}

bool audio_init(int rate)
{
    if (device_open)
        return true;
    if (!audio_subsystem_on) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0)
            return false;
        audio_subsystem_on = true;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = rate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = channel_count;
    wanted.samples = device_buffer_frames;
    wanted.callback = fill_device_buffer;
    // Without an "obtained" format SDL converts to whatever the hardware takes; it opens paused.
    device_open = SDL_OpenAudio(&wanted, nullptr) == 0;
    if (device_open)
        stream_rate = rate;
    return device_open;
}

// A decoder on path with the device's format forced, indexed by a full scan so that every seek is
// sample-exact; null when the file is missing or holds no MPEG audio.
static mpg123_handle* open_decoder(const char* path)
{
    mpg123_handle* handle = mpg123_new(nullptr, nullptr);
    if (!handle)
        return nullptr;
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    bool ok = mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET, 0) == MPG123_OK
        && mpg123_param(handle, MPG123_PREFRAMES, seek_preframes, 0) == MPG123_OK
        && mpg123_format_none(handle) == MPG123_OK
        && mpg123_format(handle, stream_rate, MPG123_STEREO, MPG123_ENC_SIGNED_16) == MPG123_OK
        && mpg123_open(handle, path) == MPG123_OK
        && mpg123_scan(handle) == MPG123_OK
        && mpg123_getformat(handle, &rate, &channels, &encoding) == MPG123_OK;
    if (!ok || mpg123_length(handle) <= 0) {
        mpg123_delete(handle);
        return nullptr;
    }
    return handle;
}

bool music_open(const char* path)
{
    mpg123_handle* opened = open_decoder(path);
    SDL_LockAudio();
    mpg123_handle* previous = decoder;
    decoder = opened;
    position_frames = 0;
    stream_ended = false;
    playing = false;
    SDL_UnlockAudio();
    mpg123_delete(previous);
    return opened != nullptr;
}

void music_play()
{
    if (!device_open || !decoder)
        return;
    SDL_LockAudio();
    playing = true;
    SDL_UnlockAudio();
    SDL_PauseAudio(0);
}

// Called on every fast-forward frame: after the scan a seek only looks up the index, and the audio
// thread decodes from the new place on its next buffer.
void music_seek_ms(int ms)
{
    off_t target = off_t(ms < 0 ? 0 : ms) * stream_rate / ms_per_second;
    SDL_LockAudio();
    if (decoder) {
        position_frames = target;
        // Past the end the seek succeeds and the next read reports the end.
        stream_ended = mpg123_seek(decoder, target, SEEK_SET) < 0;
    }
    SDL_UnlockAudio();
}

void music_stop()
{
    SDL_LockAudio();
    playing = false;
    SDL_UnlockAudio();
    if (device_open)
        SDL_PauseAudio(1);
}

void audio_close()
{
    // Quitting the subsystem closes the device and waits for the audio thread to end.
    if (audio_subsystem_on)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    audio_subsystem_on = false;
    device_open = false;
    playing = false;
    mpg123_delete(decoder);
    decoder = nullptr;
    position_frames = 0;
    stream_ended = false;
}

long music_position_ms()
{
    SDL_LockAudio();
    long long frames = position_frames;
    SDL_UnlockAudio();
    return long((frames * ms_per_second + stream_rate - 1) / stream_rate);
}

bool music_is_playing()
{
    SDL_LockAudio();
    bool now = playing;
    SDL_UnlockAudio();
    return now;
}
