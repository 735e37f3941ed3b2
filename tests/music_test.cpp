// The soundtrack as the show plays it: data/dot.mp3 decoded through the show's own audio layer on
// SDL's disk driver (which writes what the device would play to a file). Every hit the pictures need
// must be an onset at its moment, a seek must land on the samples a decode from the start has, and
// the music must be loud enough, never clip, and fade out with the picture.
#include "assets/data_directory.h"
#include "show/audio.h"
#include "show/demo.h"
#include "show/music_hits.h"

#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int channels = 2;
constexpr int device_buffer_frames = 1024;
constexpr double onset_tolerance = 0.020;  // seconds either side of a hit
constexpr double onset_after = 0.010;      // the energy just after a candidate onset ...
constexpr double onset_before = 0.030;     // ... against the energy just before it
constexpr double onset_jump = 2.0;         // at least doubled: +3 dB
constexpr double onset_spacing = 0.010;    // onsets this close count as one
constexpr double minimum_length = 241.0;
constexpr double silent_from = final_fade_start + final_fade_seconds + 0.05;  // the encoder's smear

double seconds_to_frame(double seconds) { return std::round(seconds * audio_rate); }

// What the audio layer plays of the music from a seek to ms until the position reaches until_ms, or
// until the stream ends when until_ms is 0: the device's output without the silent buffers it played
// while paused. The music's first buffer is never silent, so it starts exactly where the file's
// samples do.
std::vector<short> play_from(int ms, long until_ms = 0)
{
    // One file per process: ctest runs the cases of this suite side by side.
    fs::path played =
        fs::temp_directory_path() / ("music_test_" + std::to_string(getpid()) + "_" + std::to_string(ms) + ".raw");
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", played.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "1", 1);  // milliseconds between buffers: 23 times real time
    EXPECT_EQ(SDL_Init(0), 0);
    EXPECT_TRUE(audio_init(audio_rate));
    EXPECT_TRUE(music_open(data_file(music_file).c_str())) << music_file << " does not open";
    music_seek_ms(ms);
    music_play();
    auto give_up = std::chrono::steady_clock::now() + std::chrono::minutes(3);
    // At the end of the stream the position stops moving. The music is at least minimum_length long,
    // so a stall of the device's thread on a busy machine before that is waited out, not taken for
    // the end.
    const long end_ms_at_least = until_ms > 0 ? until_ms : long(minimum_length * 1000);
    for (long last = -1, still = 0; std::chrono::steady_clock::now() < give_up;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        long now = music_position_ms();
        still = now == last ? still + 1 : 0;
        last = now;
        if (now >= end_ms_at_least && (until_ms > 0 || still >= 3))
            break;
    }
    long end_ms = music_position_ms();
    audio_close();
    SDL_Quit();

    std::ifstream in(played, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    fs::remove(played);
    std::vector<short> samples(bytes.size() / sizeof(short));
    std::copy_n(reinterpret_cast<const short*>(bytes.data()), samples.size(), samples.data());
    size_t start = 0;
    constexpr size_t buffer = size_t(device_buffer_frames) * channels;
    while (start + buffer <= samples.size()
           && std::all_of(samples.begin() + long(start), samples.begin() + long(start + buffer),
                          [](short s) { return s == 0; }))
        start += buffer;
    size_t played_samples = size_t((end_ms - ms) * audio_rate / 1000) * channels;
    size_t end = std::min(samples.size(), start + played_samples);
    return std::vector<short>(samples.begin() + long(start), samples.begin() + long(end));
}

long frame_count(const std::vector<short>& samples) { return long(samples.size()) / channels; }

// Running sums of the squared mono signal, so that the energy of any stretch is one subtraction.
std::vector<double> energy_sums(const std::vector<short>& samples)
{
    std::vector<double> sums(size_t(frame_count(samples)) + 1, 0.0);
    for (long i = 0; i < frame_count(samples); ++i) {
        double mono = (samples[size_t(2 * i)] + samples[size_t(2 * i + 1)]) / 65536.0;
        sums[size_t(i) + 1] = sums[size_t(i)] + mono * mono;
    }
    return sums;
}

double mean_energy(const std::vector<double>& sums, long first, long count)
{
    return (sums[size_t(first + count)] - sums[size_t(first)]) / double(count);
}

double energy_jump(const std::vector<double>& sums, long at)
{
    const long after = long(seconds_to_frame(onset_after));
    const long before = long(seconds_to_frame(onset_before));
    return mean_energy(sums, at, after) / (mean_energy(sums, at - before, before) + 1e-12);
}

// True when the music has an onset within the tolerance of the moment: a place where the energy
// at least doubles and rises more than anywhere else within onset_spacing of it. (Just after an
// onset the energy still looks raised against what came before, but less so than at the onset.)
bool onset_near(const std::vector<double>& sums, double moment)
{
    const long reach = long(seconds_to_frame(onset_tolerance));
    const long spacing = long(seconds_to_frame(onset_spacing));
    const long at = long(seconds_to_frame(moment));
    std::vector<double> jumps;
    for (long i = at - reach - spacing; i <= at + reach + spacing; ++i)
        jumps.push_back(energy_jump(sums, i));
    for (size_t i = size_t(spacing); i + size_t(spacing) < jumps.size(); ++i)
        if (jumps[i] >= onset_jump
            && jumps[i] == *std::max_element(jumps.begin() + long(i) - spacing, jumps.begin() + long(i) + spacing + 1))
            return true;
    return false;
}

const char* kind_name(HitKind kind)
{
    switch (kind) {
    case HitKind::section: return "section";
    case HitKind::cube_step: return "cube step";
    case HitKind::wave: return "wave";
    case HitKind::blob_flip: return "blob flip";
    case HitKind::flash: return "flash";
    }
    return "?";
}

// Played from the start, the music hits every moment the pictures need, is loud enough without
// clipping, and fades out with the picture.
TEST(Soundtrack, PlayedFromTheStartItHitsEveryMomentAndFadesOut)
{
    const std::vector<short> music = play_from(0);
    ASSERT_GE(frame_count(music), seconds_to_frame(minimum_length));
    std::vector<double> sums = energy_sums(music);
    std::vector<MusicHit> hits = music_hits();
    ASSERT_EQ(hits.size(), 48u);  // 9 sections, 21 cube steps, 7 waves, 9 flips and 2 flashes
    for (const MusicHit& hit : hits)
        EXPECT_TRUE(onset_near(sums, hit.time)) << kind_name(hit.kind) << " at " << hit.time << " s";

    auto level_db = [&sums](double from, double to) {
        long first = long(seconds_to_frame(from));
        return 10.0 * std::log10(mean_energy(sums, first, long(seconds_to_frame(to)) - first) + 1e-20);
    };
    int peak = 0;
    long clipped = 0;
    for (short s : music) {
        peak = std::max(peak, std::abs(int(s)));
        clipped += s == 32767 || s == -32768;
    }
    EXPECT_EQ(clipped, 0);
    EXPECT_GT(peak, 32767 * 7 / 10) << "a peak within 3 dB of full scale";
    // Every scene has music, and the tunnel's build-up starts well below the rest.
    double previous = 0.0;
    for (double start : scene_table) {
        EXPECT_GT(level_db(previous, start), -30.0) << "from " << previous << " s";
        previous = start;
    }
    EXPECT_LT(level_db(0.0, 10.0), level_db(scene_table[0], scene_table[1]) - 6.0);
    // The fade follows the picture's, and after it the music is silent.
    EXPECT_GT(level_db(final_fade_start - 2.0, final_fade_start), level_db(final_fade_start + 5.0, final_fade_start + 7.0) + 20.0);
    long first_silent = long(seconds_to_frame(silent_from));
    int after_fade = 0;
    for (long i = first_silent * channels; i < long(music.size()); ++i)
        after_fade = std::max(after_fade, std::abs(int(music[size_t(i)])));
    EXPECT_EQ(after_fade, 0);
}

TEST(Soundtrack, SeekLandsOnTheSamplesOfADecodeFromTheStart)
{
    constexpr int decoder_noise = 2;  // the decoder restarting after a seek
    constexpr long compared_frames = 8192;
    const int seeks[] = {1, 64035, 134439, 211219};
    const std::vector<short> music = play_from(0, seeks[3] + 500);
    for (int ms : seeks) {
        SCOPED_TRACE(ms);
        std::vector<short> sought = play_from(ms, ms + 500);
        long frame = long(ms) * audio_rate / 1000;
        ASSERT_GE(frame_count(sought), compared_frames);
        ASSERT_GE(frame_count(music), frame + compared_frames);
        int largest = 0;
        for (long i = 0; i < compared_frames * channels; ++i)
            largest = std::max(largest, std::abs(sought[size_t(i)] - music[size_t(frame * channels + i)]));
        EXPECT_LE(largest, decoder_noise);
    }
}

}  // namespace
