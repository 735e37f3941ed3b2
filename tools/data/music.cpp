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

const Channel channels[track_count] = {
    {play_kick, 0.36f, 0.0f, 0.0f, 0.02f},   // kick
    {play_snare, 0.35f, 0.05f, 0.0f, 0.18f}, // snare
    {play_clap, 0.9f, -0.05f, 0.05f, 0.2f},  // clap
    {play_hat, 0.7f, 0.25f, 0.0f, 0.06f},    // hat
    {play_crash, 0.45f, 0.0f, 0.0f, 0.15f},  // crash
    {play_bass, 0.6f, 0.0f, 0.0f, 0.0f},     // bass
    {play_pad, 0.35f, 0.0f, 0.1f, 0.35f},    // pad
    {play_pluck, 0.56f, -0.3f, 0.45f, 0.2f}, // pluck
    {play_lead, 0.165f, 0.1f, 0.35f, 0.25f}, // lead
    {play_stab, 0.3f, 0.0f, 0.2f, 0.3f},     // stab
    {play_clank, 0.35f, 0.15f, 0.25f, 0.25f},// clank
    {play_swell, 0.45f, 0.0f, 0.0f, 0.2f},   // swell
    {play_riser, 0.6f, 0.0f, 0.0f, 0.3f},    // riser
};

// The echo: three sixteenths at 150 beats a minute, each repeat at 40 % of the one before.
constexpr double echo_seconds = 0.3;
constexpr float echo_feedback = 0.4f;

// Mastering: the mix is raised by master_gain and its peaks held under the ceiling (-1.5 dBFS,
// which leaves room for the encoder's small overshoots) by a limiter that looks ahead, so that it
// turns down before a peak rather than after it.
constexpr float master_gain = 0.85f;
constexpr float ceiling = 0.84f;
constexpr double limiter_lookahead = 0.002;
constexpr double limiter_release = 0.15;

// Before each hit the sound falls by duck_depth over duck_fall and stays down for duck_hold.
constexpr float duck_depth = 0.6f;
constexpr double duck_fall = 0.03;
constexpr double duck_hold = 0.01;

constexpr int channel_count = 2;

struct Mix {
    std::vector<float> left, right, delay_send, reverb_send;
    explicit Mix(size_t length) : left(length), right(length), delay_send(length), reverb_send(length) {}
    void add(const Mix& other)
    {
        for (size_t i = 0; i < left.size(); ++i) {
            left[i] += other.left[i];
            right[i] += other.right[i];
            delay_send[i] += other.delay_send[i];
            reverb_send[i] += other.reverb_send[i];
        }
    }
};

// Equal-power panning, scaled so that the middle keeps the full level on both sides.
float pan_gain(float pan, bool right)
{
    double angle = (pan + 1.0) * M_PI / 4.0;
    return float(std::sqrt(2.0) * (right ? std::sin(angle) : std::cos(angle)));
}

// Plays one note into the mix, turned down by duck.
void play_note(const Note& note, const Channel& channel, const std::vector<float>& duck, Sound& sound, Mix& mix)
{
    const float left_gain = channel.gain * pan_gain(channel.pan, false);
    const float right_gain = channel.gain * pan_gain(channel.pan, true);
    size_t start = size_t(to_samples(note.time));
    if (start >= mix.left.size())
        return;
    channel.play(note, sound);
    size_t count = std::min(sound.left.size(), mix.left.size() - start);
    bool stereo = !sound.right.empty();
    for (size_t i = 0; i < count; ++i) {
        float level = duck[start + i];
        float l = level * (stereo ? sound.left[i] * channel.gain : sound.left[i] * left_gain);
        float r = level * (stereo ? sound.right[i] * channel.gain : sound.left[i] * right_gain);
        float middle = 0.5f * (l + r);
        mix.left[start + i] += l;
        mix.right[start + i] += r;
        mix.delay_send[start + i] += middle * channel.delay_send;
        mix.reverb_send[start + i] += middle * channel.reverb_send;
    }
}

// Plays the notes of every track that start in [from, to) into the mix.
void play_score(const Score& score, const std::vector<float>& duck, double from, double to, Mix& mix)
{
    Sound sound;
    for (int track = 0; track < track_count; ++track) {
        const Channel& channel = channels[track];
        for (const Note& note : score.tracks[track])
            if (note.time >= from && note.time < to)
                play_note(note, channel, duck, sound, mix);
    }
}

// The level of everything sounding before a hit: it dips over the moment before the hit and is back
// at the hit, so that the hit lands in a space of its own. Where hits come close together, each dip
// shrinks to the second half of the time since the hit before, which keeps that hit's attack whole.
std::vector<float> duck_before_hits(size_t length)
{
    std::vector<float> duck(length, 1.0f);
    long previous = std::numeric_limits<long>::min() / 2;
    for (const MusicHit& hit : music_hits()) {
        long at = std::min(to_samples(hit.time), long(length));
        double span = std::min(duck_fall + duck_hold, 0.5 * double(at - previous) / sample_rate);
        long hold = to_samples(span * duck_hold / (duck_fall + duck_hold));
        long fall = to_samples(span) - hold;
        for (long i = std::max(0L, at - hold - fall); i < at; ++i) {
            float depth = i >= at - hold ? 1.0f : float(i - (at - hold - fall)) / float(fall);
            duck[size_t(i)] = std::min(duck[size_t(i)], 1.0f - duck_depth * depth);
        }
        previous = at;
    }
    return duck;
}

// The gain each sample may have, looking ahead: at most the gain that holds every peak of the next
// lookahead under the ceiling, coming back up at the release rate, and smoothed over the
// lookahead so that it never jumps. The smoothing window ends at the sample and every gain in it
// already allows for that sample, so no peak passes the ceiling.
std::vector<float> limiter_gain(const std::vector<float>& left, const std::vector<float>& right)
{
    size_t n = left.size();
    size_t window = size_t(to_samples(limiter_lookahead));
    std::vector<float> allowed(n);
    for (size_t i = 0; i < n; ++i) {
        float peak = std::max(std::abs(left[i]), std::abs(right[i]));
        allowed[i] = peak > ceiling ? ceiling / peak : 1.0f;
    }
    // Smallest allowed gain over [i, i + window), with a queue of rising minima.
    std::vector<float> held(n);
    std::deque<size_t> minima;
    for (size_t j = 0; j < n + window; ++j) {
        if (j < n) {
            while (!minima.empty() && allowed[minima.back()] >= allowed[j])
                minima.pop_back();
            minima.push_back(j);
        }
        if (j + 1 < window)
            continue;
        size_t i = j + 1 - window;
        if (i >= n)
            break;
        while (minima.front() < i)
            minima.pop_front();
        held[i] = allowed[minima.front()];
    }
    const float release = float(1.0 - std::exp(-1.0 / (limiter_release * sample_rate)));
    float level = 1.0f;
    for (float& gain : held) {
        level = std::min(gain, level + (1.0f - level) * release);
        gain = level;
    }
    std::vector<float> smooth(n);
    double sum = 0.0;
    for (size_t i = 0; i < n; ++i) {
        sum += held[i];
        if (i >= window)
            sum -= held[i - window];
        smooth[i] = float(sum / double(std::min(i + 1, window)));
    }
    return smooth;
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

void list_music(std::vector<std::string>& names) { names.push_back(music_file_name); }

bool write_music(const std::string& out_dir)
{
    Score score = compose_score();
    const size_t length = size_t(to_samples(music_seconds));
    // The two halves of the piece play on two threads, each into a mix of its own (a note that
    // starts in the first half may ring on into the second); the halves are then added in a fixed
    // order, so the sum is the same on every run.
    const double half = 0.5 * music_seconds;
    const std::vector<float> duck = duck_before_hits(length);
    Mix mix(length), second_half(length);
    std::thread second([&] { play_score(score, duck, half, music_seconds, second_half); });
    play_score(score, duck, 0.0, half, mix);
    second.join();
    mix.add(second_half);
    add_ping_pong_delay(mix.delay_send, echo_seconds, echo_feedback, mix.left, mix.right);
    add_reverb(mix.reverb_send, mix.left, mix.right);
    return write_mp3(out_dir + "/" + music_file_name, master(mix));
}
