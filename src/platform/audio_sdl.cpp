// The music on SDL's audio device. The decoder writes the MP3 straight into the device's buffer on
// SDL's audio thread; the show's thread only opens, seeks and stops. Every piece of state the audio
// thread reads is changed under SDL_LockAudio, which SDL also holds around the callback.
#include "show/audio.h"

#include "platform/mp3_decoder.h"

#include <SDL/SDL.h>

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

static constexpr Uint16 device_buffer_frames = 1024;  // about 23 ms at 44100 Hz
static constexpr long long ms_per_second = 1000;

static int stream_rate = audio_rate;
static bool audio_subsystem_on = false;
static bool device_open = false;

// Shared with the audio thread.
static Mp3Decoder decoder = nullptr;
static off_t position_frames = 0;   // the frame (one sample per channel) the device plays next
static bool stream_ended = false;   // past the end or after a decoding error: only silence
static bool playing = false;

// Decodes into out until it is full or the stream ends; returns the bytes written.
static int decode_into(Uint8* out, int length)
{
    int filled = stream_ended ? 0 : read_mp3(decoder, out, length);
    stream_ended = filled < length;
    position_frames += filled / mp3_bytes_per_frame;
    return filled;
}

// Runs on SDL's audio thread with the audio lock held; allocates nothing. The device may call it
// once more between music_stop and its pause taking effect, hence the check of playing.
static void fill_device_buffer(void*, Uint8* stream, int length)
{
    int filled = playing ? decode_into(stream, length) : 0;
    std::memset(stream + filled, 0, size_t(length - filled));
}

// Opens the device, paused. Without an "obtained" format SDL converts to whatever the hardware takes.
static bool open_device(int rate)
{
    if (!audio_subsystem_on) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0)
            return false;
        audio_subsystem_on = true;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = rate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = mp3_channel_count;
    wanted.samples = device_buffer_frames;
    wanted.callback = fill_device_buffer;
    return SDL_OpenAudio(&wanted, nullptr) == 0;
}

// The sound libraries under SDL report every driver they try and fail on standard error, a dozen
// lines for a machine without a sound card; the show says it in one line of its own instead.
bool audio_init(int rate)
{
    if (device_open)
        return true;
    std::fflush(stderr);
    int kept_stderr = dup(STDERR_FILENO);
    int quiet = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (kept_stderr >= 0 && quiet >= 0)
        dup2(quiet, STDERR_FILENO);
    device_open = open_device(rate);
    if (kept_stderr >= 0 && quiet >= 0)
        dup2(kept_stderr, STDERR_FILENO);
    if (quiet >= 0)
        close(quiet);
    if (kept_stderr >= 0)
        close(kept_stderr);
    if (device_open)
        stream_rate = rate;
    else
        std::fprintf(stderr, "ninescenes: no audio device (%s): the show runs silent\n", SDL_GetError());
    return device_open;
}

bool music_open(const char* path)
{
    Mp3Decoder opened = open_mp3(path, stream_rate);
    SDL_LockAudio();
    Mp3Decoder previous = decoder;
    decoder = opened;
    position_frames = 0;
    stream_ended = false;
    playing = false;
    SDL_UnlockAudio();
    close_mp3(previous);
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
        stream_ended = !seek_mp3(decoder, target);
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
    close_mp3(decoder);
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
