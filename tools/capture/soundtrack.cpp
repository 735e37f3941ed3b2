// Cutting the soundtrack: a straight decode from the file's start, so the cut is the very samples
// the show plays, and the WAV container around it.
#include "soundtrack.h"

#include "show/audio.h"
#include "platform/mp3_decoder.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

static constexpr int skip_chunk_frames = 65536;
static constexpr int wav_header_bytes = 44;
static constexpr int bits_per_sample = 16;

long long sample_frame_at(double t) { return std::llround(t * audio_rate); }

// Decodes and drops frames until the decoder stands at frame first; the frames it dropped, fewer
// than first if the music ends before.
static long long skip_to(Mp3Decoder decoder, long long first)
{
    std::vector<unsigned char> scratch(size_t(skip_chunk_frames) * mp3_bytes_per_frame);
    long long skipped = 0;
    while (skipped < first) {
        int wanted = int(std::min<long long>(first - skipped, skip_chunk_frames)) * mp3_bytes_per_frame;
        int got = read_mp3(decoder, scratch.data(), wanted);
        skipped += got / mp3_bytes_per_frame;
        if (got < wanted)
            break;
    }
    return skipped;
}

Samples cut_soundtrack(const std::string& music_path, long long first, long long count, long long* music_end)
{
    Samples samples(size_t(count) * mp3_channel_count, 0);
    Mp3Decoder decoder = open_mp3(music_path.c_str(), audio_rate);
    *music_end = no_music;
    if (decoder) {
        *music_end = skip_to(decoder, first);
        if (*music_end == first)
            *music_end += read_mp3(decoder, reinterpret_cast<unsigned char*>(samples.data()),
                                   int(samples.size() * sizeof(int16_t))) / mp3_bytes_per_frame;
    }
    close_mp3(decoder);
    return samples;
}

static void put_u32(unsigned char* at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<unsigned char>(value >> (8 * i));
}

static void put_u16(unsigned char* at, uint16_t value)
{
    at[0] = static_cast<unsigned char>(value);
    at[1] = static_cast<unsigned char>(value >> 8);
}

bool write_wav(const std::string& path, const Samples& samples, std::string* why)
{
    uint32_t data_bytes = uint32_t(samples.size() * sizeof(int16_t));
    uint16_t block_bytes = mp3_bytes_per_frame;
    unsigned char header[wav_header_bytes];
    std::memcpy(header, "RIFF....WAVEfmt ", 16);
    put_u32(header + 4, data_bytes + wav_header_bytes - 8);
    put_u32(header + 16, 16);  // the PCM format chunk's size
    put_u16(header + 20, 1);   // PCM
    put_u16(header + 22, mp3_channel_count);
    put_u32(header + 24, audio_rate);
    put_u32(header + 28, uint32_t(audio_rate) * block_bytes);
    put_u16(header + 32, block_bytes);
    put_u16(header + 34, bits_per_sample);
    std::memcpy(header + 36, "data", 4);
    put_u32(header + 40, data_bytes);

    std::FILE* file = std::fopen(path.c_str(), "wb");
    bool ok = file && std::fwrite(header, 1, sizeof header, file) == sizeof header
        && std::fwrite(samples.data(), sizeof(int16_t), samples.size(), file) == samples.size();
    int error = errno;
    if (file && std::fclose(file) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (!ok)
        *why = "cannot write " + path + ": " + std::strerror(error);
    return ok;
}
