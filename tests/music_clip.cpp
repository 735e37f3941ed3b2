// The tests' music: the signal, its LAME encoding and a straight libmpg123 decode.
#include "music_clip.h"

#include "show/audio.h"

#include <lame/lame.h>
#include <mpg123.h>

#include <algorithm>
#include <cmath>
#include <fstream>

static constexpr double tone_hz = 440.0;
static constexpr double sweep_from_hz = 200.0;
static constexpr double sweep_rise_hz_per_s = 1400.0;
static constexpr double amplitude = 12000.0;
static constexpr int channels = 2;

std::vector<short> test_signal(int frames)
{
    std::vector<short> pcm(size_t(frames) * channels);
    for (int i = 0; i < frames; ++i) {
        double t = double(i) / audio_rate;
        double sweep_phase = sweep_from_hz * t + 0.5 * sweep_rise_hz_per_s * t * t;
        pcm[2 * i] = short(amplitude * std::sin(2.0 * M_PI * tone_hz * t));
        pcm[2 * i + 1] = short(amplitude * std::sin(2.0 * M_PI * sweep_phase));
    }
    return pcm;
}

std::vector<unsigned char> encode_mp3(std::vector<short> pcm)
{
    lame_global_flags* lame = lame_init();
    lame_set_in_samplerate(lame, audio_rate);
    lame_set_num_channels(lame, channels);
    lame_set_VBR(lame, vbr_default);
    lame_init_params(lame);
    int frames = int(pcm.size() / channels);
    std::vector<unsigned char> mp3(size_t(frames) * 5 / 4 + 7200 + 65536);  // LAME's worst case
    int size = lame_encode_buffer_interleaved(lame, pcm.data(), frames, mp3.data(), int(mp3.size()));
    size += lame_encode_flush(lame, mp3.data() + size, int(mp3.size()) - size);
    mp3.resize(size_t(size));
    std::vector<unsigned char> tag(mp3.size());
    size_t tag_size = lame_get_lametag_frame(lame, tag.data(), tag.size());
    std::copy(tag.begin(), tag.begin() + long(tag_size), mp3.begin());
    lame_close(lame);
    return mp3;
}

void write_file(const std::filesystem::path& path, const std::vector<unsigned char>& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                               std::streamsize(bytes.size()));
}

std::vector<short> decode_straight(const std::filesystem::path& path)
{
    mpg123_handle* handle = mpg123_new(nullptr, nullptr);
    mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
    mpg123_format_none(handle);
    mpg123_format(handle, audio_rate, MPG123_STEREO, MPG123_ENC_SIGNED_16);
    std::vector<short> samples;
    if (mpg123_open(handle, path.c_str()) == MPG123_OK) {
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
