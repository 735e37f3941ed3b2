// The soundtrack's parts on their own: the instruments sound, stay finite and end without a click,
// pitched ones at their pitch; the filter and the echoes do what they are for; the encoder's tag
// gives back exactly the samples it was given; and the score puts every hit on its sample and keeps
// the cube's bars locked to its steps.
#include "music_clip.h"
#include "dsp.h"
#include "mp3_writer.h"
#include "score.h"
#include "show/music_hits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

float largest(const std::vector<float>& samples)
{
    float peak = 0.0f;
    for (float s : samples)
        peak = std::max(peak, std::abs(s));
    return peak;
}

double energy(const std::vector<float>& samples, size_t from, size_t to)
{
    double sum = 0.0;
    for (size_t i = from; i < std::min(to, samples.size()); ++i)
        sum += double(samples[i]) * samples[i];
    return sum;
}

// The fundamental frequency by autocorrelation over a steady stretch: the shortest lag between
// 2 kHz and 30 Hz at which the sound matches itself nearly as well as it ever does (a whole number
// of periods matches as well as one).
double fundamental_hz(const std::vector<float>& samples, size_t from, size_t count)
{
    size_t shortest = size_t(sample_rate / 2000.0), longest = size_t(sample_rate / 30.0);
    double here = energy(samples, from, from + count);
    std::vector<double> match(longest + 1, 0.0);
    for (size_t lag = shortest; lag <= longest; ++lag) {
        double product = 0.0;
        for (size_t i = from; i < from + count; ++i)
            product += double(samples[i]) * samples[i + lag];
        match[lag] = product / std::sqrt(here * energy(samples, from + lag, from + lag + count) + 1e-12);
    }
    double best = *std::max_element(match.begin(), match.end());
    for (size_t lag = shortest + 1; lag < longest; ++lag) {
        double before = match[lag - 1], at = match[lag], after = match[lag + 1];
        if (at >= 0.9 * best && at >= before && at >= after)  // the peak of a parabola through three
            return sample_rate / (double(lag) + 0.5 * (before - after) / (before - 2.0 * at + after));
    }
    return 0.0;
}

struct InstrumentCase {
    const char* name;
    Instrument play;
    Note note;
    bool pitched;
};

const InstrumentCase instruments[] = {
    {"kick", play_kick, {0.0, 0.3, 0, 1.0f, 1.0f}, false},
    {"drop", play_drop, {0.0, 1.5, 33, 1.0f, 0.5f}, false},
    {"snare", play_snare, {0.0, 0.15, 0, 1.0f, 0.5f}, false},
    {"clap", play_clap, {0.0, 0.12, 0, 1.0f, 0.5f}, false},
    {"hat", play_hat, {0.0, 0.13, 0, 1.0f, 0.5f}, false},
    {"crash", play_crash, {0.0, 1.5, 0, 1.0f, 1.0f}, false},
    {"bass", play_bass, {0.0, 0.6, 33, 1.0f, 0.5f}, true},
    {"pad", play_pad, {0.0, 1.6, 57, 1.0f, 0.5f}, true},
    {"pluck", play_pluck, {0.0, 0.6, 69, 1.0f, 0.5f}, true},
    {"lead", play_lead, {0.0, 0.6, 76, 1.0f, 0.5f}, true},
    {"stab", play_stab, {0.0, 0.4, 64, 1.0f, 0.5f}, true},
    {"clank", play_clank, {0.0, 0.35, 57, 1.0f, 0.5f}, false},
    {"swell", play_swell, {0.0, 3.2, 33, 1.0f, 0.5f}, false},
    {"riser", play_riser, {0.0, 2.0, 57, 1.0f, 0.5f}, false},
};

TEST(Instruments, EveryNoteSoundsStaysFiniteAndEndsWithoutAClick)
{
    Sound sound;
    for (const InstrumentCase& c : instruments) {
        SCOPED_TRACE(c.name);
        c.play(c.note, sound);
        ASSERT_GT(sound.left.size(), size_t(to_samples(0.05)));
        for (const std::vector<float>* side : {&sound.left, &sound.right}) {
            if (side->empty())
                continue;
            EXPECT_TRUE(std::all_of(side->begin(), side->end(), [](float s) { return std::isfinite(s); }));
            EXPECT_GT(largest(*side), 0.05f);
            EXPECT_LT(largest(*side), 2.0f);
            EXPECT_LT(std::abs(side->back()), 1e-3f) << "cut off while still sounding";
        }
    }
}

TEST(Instruments, PitchedNotesSoundAtTheirPitch)
{
    Sound sound;
    for (const InstrumentCase& c : instruments) {
        if (!c.pitched)
            continue;
        for (int transpose : {0, 7, 12}) {
            SCOPED_TRACE(std::string(c.name) + " +" + std::to_string(transpose));
            Note note = c.note;
            note.pitch += transpose;
            c.play(note, sound);
            double expected = midi_to_hz(note.pitch);
            double measured = fundamental_hz(sound.left, size_t(to_samples(0.1)), size_t(to_samples(0.1)));
            EXPECT_NEAR(measured / expected, 1.0, 0.01) << measured << " Hz for " << expected << " Hz";
        }
    }
}

TEST(Filter, LowPassKeepsWhatIsBelowItsCutoffAndCutsWhatIsAbove)
{
    constexpr double cutoff = 1000.0;
    auto low_pass_gain = [](double hz) {
        Filter filter;
        filter.tune(cutoff, 0.0f);
        Oscillator sine;
        std::vector<float> out;
        for (int i = 0; i < to_samples(0.5); ++i) {
            filter.step(sine.sine(hz));
            out.push_back(filter.low);
        }
        // The second half, after the filter has settled; a sine's mean square is 1/2.
        size_t half = out.size() / 2;
        return std::sqrt(energy(out, half, out.size()) / double(out.size() - half) * 2.0);
    };
    EXPECT_NEAR(low_pass_gain(cutoff / 10.0), 1.0, 0.03);
    EXPECT_NEAR(low_pass_gain(cutoff), 0.5, 0.05);  // two poles, no resonance: -6 dB at the cutoff
    EXPECT_LT(low_pass_gain(cutoff * 10.0), 0.012); // 12 dB an octave
}

TEST(Echoes, PingPongDelayAlternatesSidesGrowingQuieter)
{
    constexpr double delay = 0.1;
    constexpr float feedback = 0.5f;
    const size_t step = size_t(to_samples(delay));
    std::vector<float> send(6 * step, 0.0f), left(send.size(), 0.0f), right(send.size(), 0.0f);
    send[0] = 1.0f;
    add_ping_pong_delay(send, delay, feedback, left, right);
    // The first echo is the send itself, one delay later on the left; echo n lands n delays later,
    // on the left when n is odd, duller and quieter than the one before.
    EXPECT_EQ(energy(left, 0, step) + energy(right, 0, step), 0.0);
    EXPECT_EQ(left[step], 1.0f);
    double previous = 2.0;
    for (size_t n = 1; n <= 4; ++n) {
        const std::vector<float>& side = n % 2 ? left : right;
        const std::vector<float>& other = n % 2 ? right : left;
        double echo = energy(side, n * step, n * step + step / 2);
        EXPECT_GT(echo, 100.0 * energy(other, n * step, n * step + step / 2)) << "echo " << n;
        EXPECT_LT(echo, previous) << "echo " << n;
        previous = echo;
    }
}

TEST(Echoes, ReverbRingsOnDiffersBetweenTheSidesAndDiesAway)
{
    std::vector<float> send(size_t(to_samples(4.0)), 0.0f), left(send.size(), 0.0f), right(send.size(), 0.0f);
    send[0] = 1.0f;
    add_reverb(send, left, right);
    size_t half_second = size_t(to_samples(0.5));
    double early = energy(left, 0, half_second);
    EXPECT_GT(early, 0.0);
    EXPECT_GT(energy(left, half_second, 2 * half_second), 1e-3 * early) << "it rings on";
    EXPECT_LT(energy(left, 6 * half_second, 8 * half_second), 1e-6 * early) << "and dies away";
    double cross = 0.0;
    for (size_t i = 0; i < half_second; ++i)
        cross += double(left[i]) * right[i];
    EXPECT_LT(std::abs(cross), 0.5 * std::sqrt(early * energy(right, 0, half_second)));
}

TEST(Mp3Writer, TheDecoderGivesBackExactlyTheSamplesGiven)
{
    constexpr int frames = 70000;  // not a whole number of MP3 frames
    std::vector<short> pcm(2 * frames);
    Oscillator left_tone, right_tone;
    for (int i = 0; i < frames; ++i) {
        float fade_in = std::min(1.0f, float(i) / 2000.0f);  // so the first sample is where it starts
        pcm[size_t(2 * i)] = short(12000.0f * fade_in * left_tone.sine(440.0));
        pcm[size_t(2 * i + 1)] = short(12000.0f * fade_in * right_tone.sine(660.0));
    }
    fs::path path = fs::temp_directory_path() / "synth_test.mp3";
    ASSERT_TRUE(write_mp3(path.string(), pcm));
    std::vector<short> decoded = decode_straight(path);
    fs::remove(path);
    ASSERT_EQ(decoded.size(), pcm.size()) << "the encoder's delay and padding are dropped";
    // The decoded samples match the given ones best where they are, not a few samples either side.
    auto mismatch = [&](int shift) {
        double error = 0.0;
        for (int i = 4000; i < 2 * frames - 4000; ++i)
            error += std::pow(double(decoded[size_t(i + 2 * shift)]) - pcm[size_t(i)], 2.0);
        return error;
    };
    for (int shift : {-3, -1, 1, 3})
        EXPECT_GT(mismatch(shift), 1.5 * mismatch(0)) << shift;

    EXPECT_FALSE(write_mp3("/nonexistent-directory/music.mp3", pcm));
}

TEST(Score, EveryHitIsOnItsSampleAndTheCubesBarsAreLockedToItsSteps)
{
    Score score = compose_score();
    auto starts_at = [&score](double t) {
        for (const std::vector<Note>& track : score.tracks)
            for (const Note& note : track)
                if (to_samples(note.time) == to_samples(t))
                    return true;
        return false;
    };
    for (const MusicHit& hit : music_hits())
        EXPECT_TRUE(starts_at(hit.time)) << "no note at " << hit.time << " s";
    // In the cube's scenes the kick falls on the quarters of bars as long as its steps' interval.
    int kicks = 0;
    for (const Note& kick : score.tracks[track_kick]) {
        if (kick.time < beat_start || kick.time >= scene_table[2])
            continue;
        double quarters = (kick.time - beat_start) / (beat_period / 4.0);
        EXPECT_NEAR(quarters, std::round(quarters), 1e-6) << "a kick at " << kick.time << " s";
        ++kicks;
    }
    EXPECT_GE(kicks, 4 * 20);
}

}  // namespace
