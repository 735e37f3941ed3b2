// The soundtrack: plays the score through the instruments, mixes the tracks with their echoes,
// masters the mix (a peak limiter, then the final fade and the silence after it) and writes it as
// an MP3 file.
#include "music.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <limits>
#include <thread>

#include "dsp.h"
#include "mp3_writer.h"
#include "score.h"
#include "show/demo.h"
#include "show/music_hits.h"

namespace {

// How a track sits in the mix: its instrument, its level, its place between the sides (-1 left …
// 1 right) and how much of it feeds the delay and the reverb.
struct Channel {
    Instrument play;
    float gain;
    float pan;
    float delay_send;
    float reverb_send;
};

// In the order of the tracks.
const Channel channels[track_count] = {
    {play_kick, 0.36f, 0.0f, 0.0f, 0.02f},
    {play_drop, 0.5f, 0.0f, 0.0f, 0.05f},
    {play_snare, 0.35f, 0.05f, 0.0f, 0.18f},
    {play_clap, 0.9f, -0.05f, 0.05f, 0.2f},
    {play_hat, 0.7f, 0.25f, 0.0f, 0.06f},
    {play_crash, 0.45f, 0.0f, 0.0f, 0.15f},
    {play_bass, 0.6f, 0.0f, 0.0f, 0.0f},
    {play_pad, 0.35f, 0.0f, 0.1f, 0.35f},
    {play_pluck, 0.56f, -0.3f, 0.45f, 0.2f},
    {play_lead, 0.165f, 0.1f, 0.35f, 0.25f},
    {play_stab, 0.3f, 0.0f, 0.2f, 0.3f},
    {play_clank, 0.35f, 0.15f, 0.25f, 0.25f},
    {play_swell, 0.45f, 0.0f, 0.0f, 0.2f},
    {play_riser, 0.6f, 0.0f, 0.0f, 0.3f},
};

// The echo: three sixteenths at 150 beats a minute, each repeat at 40 % of the one before.
constexpr double echo_seconds = 0.3;
constexpr float echo_feedback = 0.4f;

// Mastering: the mix is scaled by master_gain and its peaks held under the ceiling (-1.9 dBFS,
// which leaves room for the encoder's small overshoots) by a limiter that looks ahead, so that it
// turns down before a peak rather than after it. The gain leaves the grooves well under the
// ceiling: the limiter would flatten the hits the pictures need against a louder mix.
constexpr float master_gain = 0.6f;
constexpr float ceiling = 0.8f;
constexpr double limiter_lookahead = 0.002;
constexpr double limiter_release = 0.15;

// Before each hit the sound falls by duck_depth over duck_fall and stays down for duck_hold.
constexpr float duck_depth = 0.6f;
constexpr double duck_fall = 0.03;
constexpr double duck_hold = 0.01;

constexpr int channel_count = 2;

// The mixed sound from sample `first` on: both sides, and the mono sends of the delay and the reverb.
struct Mix {
    size_t first;
    std::vector<float> left, right, delay_send, reverb_send;

    Mix(size_t from, size_t length)
        : first(from), left(length - from), right(length - from), delay_send(length - from),
          reverb_send(length - from)
    {
    }
    // Adds a later part of the piece into this one.
    void add(const Mix& later)
    {
        size_t offset = later.first - first;
        for (size_t i = 0; i < later.left.size(); ++i) {
            left[offset + i] += later.left[i];
            right[offset + i] += later.right[i];
            delay_send[offset + i] += later.delay_send[i];
            reverb_send[offset + i] += later.reverb_send[i];
        }
    }
};

// Where the sound dips before a hit (in samples): falling from fall, held down from hold, back at at.
struct Dip {
    long fall, hold, at;
};

// Equal-power panning, scaled so that the middle keeps the full level on both sides.
float pan_gain(float pan, bool right)
{
    double angle = (pan + 1.0) * M_PI / 4.0;
    return float(std::sqrt(2.0) * (right ? std::sin(angle) : std::cos(angle)));
}

// The dips of everything sounding before a hit: the sound falls over the moment before the hit
// and is back at the hit, so that the hit lands in a space of its own. Where hits come close
// together, each dip shrinks to the second half of the time since the hit before, which keeps
// that hit's attack whole.
std::vector<Dip> dips_before_hits()
{
    std::vector<Dip> dips;
    long previous = std::numeric_limits<long>::min() / 2;
    for (const MusicHit& hit : music_hits()) {
        long at = to_samples(hit.time);
        double span = std::min(duck_fall + duck_hold, 0.5 * double(at - previous) / sample_rate);
        long hold = to_samples(span * duck_hold / (duck_fall + duck_hold));
        dips.push_back({at - to_samples(span), at - hold, at});
        previous = at;
    }
    return dips;
}

// Applies the dips (which never overlap) to a sound that starts at sample start.
void duck(const std::vector<Dip>& dips, long start, std::vector<float>& samples)
{
    long end = start + long(samples.size());
    for (const Dip& dip : dips) {
        if (dip.at <= start || dip.fall >= end)
            continue;
        for (long i = std::max(dip.fall, start); i < std::min(dip.at, end); ++i) {
            float depth = i >= dip.hold ? 1.0f : float(i - dip.fall) / float(dip.hold - dip.fall);
            samples[size_t(i - start)] *= 1.0f - duck_depth * depth;
        }
    }
}

// Plays one note into the mix, dipping before the hits.
void play_note(const Note& note, const Channel& channel, const std::vector<Dip>& dips, Sound& sound, Mix& mix)
{
    const float left_gain = channel.gain * pan_gain(channel.pan, false);
    const float right_gain = channel.gain * pan_gain(channel.pan, true);
    long start = to_samples(note.time);
    channel.play(note, sound);
    bool stereo = !sound.right.empty();
    duck(dips, start, sound.left);
    if (stereo)
        duck(dips, start, sound.right);
    size_t offset = size_t(start) - mix.first;
    size_t count = std::min(sound.left.size(), mix.left.size() - offset);
    for (size_t i = 0; i < count; ++i) {
        float l = stereo ? sound.left[i] * channel.gain : sound.left[i] * left_gain;
        float r = stereo ? sound.right[i] * channel.gain : sound.left[i] * right_gain;
        float middle = 0.5f * (l + r);
        mix.left[offset + i] += l;
        mix.right[offset + i] += r;
        mix.delay_send[offset + i] += middle * channel.delay_send;
        mix.reverb_send[offset + i] += middle * channel.reverb_send;
    }
}

// Plays the notes of every track that start in [mix.first, until) into the mix.
void play_score(const Score& score, const std::vector<Dip>& dips, size_t until, Mix& mix)
{
    Sound sound;
    for (int track = 0; track < track_count; ++track)
        for (const Note& note : score.tracks[track]) {
            size_t start = size_t(to_samples(note.time));
            if (start >= mix.first && start < until)
                play_note(note, channels[track], dips, sound, mix);
        }
}

// The gain each sample may have, looking ahead: at most the gain that holds every peak of the next
// lookahead under the ceiling, coming back up at the release rate, and smoothed over the
// lookahead so that it never jumps. The smoothing window ends at the sample and every gain in it
// already allows for that sample, so no peak passes the ceiling.
std::vector<float> limiter_gain(const std::vector<float>& left, const std::vector<float>& right)
{
    const size_t n = left.size();
    const size_t window = size_t(to_samples(limiter_lookahead));
    std::vector<float> gain(n);
    for (size_t i = 0; i < n; ++i) {
        float peak = std::max(std::abs(left[i]), std::abs(right[i]));
        gain[i] = peak > ceiling ? ceiling / peak : 1.0f;
    }
    // The smallest over [i, i + window), kept in a queue of rising minima; gain[i] is overwritten
    // only after it has been read.
    std::deque<std::pair<size_t, float>> minima;
    for (size_t j = 0; j + 1 < n + window; ++j) {
        if (j < n) {
            while (!minima.empty() && minima.back().second >= gain[j])
                minima.pop_back();
            minima.push_back({j, gain[j]});
        }
        if (j + 1 < window)
            continue;
        size_t i = j + 1 - window;
        while (minima.front().first < i)
            minima.pop_front();
        gain[i] = minima.front().second;
    }
    const float release = float(1.0 - std::exp(-1.0 / (limiter_release * sample_rate)));
    float level = 1.0f;
    for (float& g : gain) {
        level = std::min(g, level + (1.0f - level) * release);
        g = level;
    }
    // The mean over (i - window, i], with the values leaving the window kept in a ring.
    std::vector<float> ring(window, 0.0f);
    double sum = 0.0;
    for (size_t i = 0; i < n; ++i) {
        sum += gain[i] - ring[i % window];
        ring[i % window] = gain[i];
        gain[i] = float(sum / double(std::min(i + 1, window)));
    }
    return gain;
}

// The picture fades to black over the final fade; the music follows on a curve that sounds even
// (the level falls as the square of the picture's brightness) and is silent after it.
float fade_at(double t)
{
    if (t <= final_fade_start)
        return 1.0f;
    double brightness = std::max(0.0, 1.0 - (t - final_fade_start) / final_fade_seconds);
    return float(brightness * brightness);
}

std::vector<short> master(Mix& mix)
{
    for (size_t i = 0; i < mix.left.size(); ++i) {
        mix.left[i] *= master_gain;
        mix.right[i] *= master_gain;
    }
    std::vector<float> gain = limiter_gain(mix.left, mix.right);
    std::vector<short> pcm(mix.left.size() * channel_count);
    for (size_t i = 0; i < mix.left.size(); ++i) {
        float g = gain[i] * fade_at(double(i) / sample_rate);
        pcm[2 * i] = short(std::lround(std::clamp(mix.left[i] * g, -1.0f, 1.0f) * 32767.0f));
        pcm[2 * i + 1] = short(std::lround(std::clamp(mix.right[i] * g, -1.0f, 1.0f) * 32767.0f));
    }
    return pcm;
}

}  // namespace

void list_music(std::vector<std::string>& names) { names.push_back(music_file); }

bool write_music(const std::string& out_dir)
{
    Score score = compose_score();
    const size_t length = size_t(to_samples(music_seconds));
    // The two halves of the piece play on two threads, each into a mix of its own (a note that
    // starts in the first half may ring on into the second); the halves are then added in a fixed
    // order, so the sum is the same on every run.
    const size_t half = length / 2;
    const std::vector<Dip> dips = dips_before_hits();
    Mix mix(0, length), second_half(half, length);
    std::thread second([&] { play_score(score, dips, length, second_half); });
    play_score(score, dips, half, mix);
    second.join();
    mix.add(second_half);
    add_ping_pong_delay(mix.delay_send, echo_seconds, echo_feedback, mix.left, mix.right);
    add_reverb(mix.reverb_send, mix.left, mix.right);
    return write_mp3(out_dir + "/" + music_file, master(mix));
}
