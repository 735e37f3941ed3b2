// Encodes the soundtrack with LAME at a constant 160 kbit/s. The first frame carries LAME's info
// tag, which tells a decoder how many samples of encoder delay and padding to drop, so the decoded
// stream starts on the soundtrack's first sample and is exactly as long.
#include "mp3_writer.h"

#include <cstdio>

#include <lame/lame.h>

#include "synth.h"
#include "whole_file.h"

namespace {

constexpr int channel_count = 2;
constexpr int bit_rate_kbps = 160;
// LAME's quality scale runs from 0 (slowest) to 9; 7 encodes a four-minute piece in about two
// seconds and still sounds clean at this bit rate.
constexpr int encoder_quality = 7;

// LAME's own bound on the bytes a buffer of samples can produce.
size_t worst_case_bytes(size_t frames) { return frames * 5 / 4 + 7200; }

}  // namespace

bool write_mp3(const std::string& path, const std::vector<short>& interleaved)
{
    lame_global_flags* lame = lame_init();
    lame_set_in_samplerate(lame, audio_rate);
    lame_set_out_samplerate(lame, audio_rate);
    lame_set_num_channels(lame, channel_count);
    lame_set_mode(lame, JOINT_STEREO);
    lame_set_VBR(lame, vbr_off);
    lame_set_brate(lame, bit_rate_kbps);
    lame_set_quality(lame, encoder_quality);
    lame_set_bWriteVbrTag(lame, 1);
    if (lame_init_params(lame) < 0) {
        lame_close(lame);
        std::fprintf(stderr, "ninescenes-data: the MP3 encoder refuses its settings\n");
        return false;
    }
    int frames = int(interleaved.size() / channel_count);
    std::vector<unsigned char> mp3(worst_case_bytes(size_t(frames)));
    int size = lame_encode_buffer_interleaved(lame, const_cast<short*>(interleaved.data()), frames,
                                              mp3.data(), int(mp3.size()));
    if (size >= 0)
        size += lame_encode_flush(lame, mp3.data() + size, int(mp3.size()) - size);
    if (size < 0) {
        lame_close(lame);
        std::fprintf(stderr, "ninescenes-data: the MP3 encoder failed on %s\n", path.c_str());
        return false;
    }
    mp3.resize(size_t(size));
    // The info frame was written empty at the start; now that the lengths are known, fill it in.
    std::vector<unsigned char> tag(mp3.size());
    size_t tag_size = lame_get_lametag_frame(lame, tag.data(), tag.size());
    std::copy(tag.begin(), tag.begin() + long(tag_size), mp3.begin());
    lame_close(lame);
    return write_whole_file(path, mp3.data(), mp3.size());
}
