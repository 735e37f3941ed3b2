// The small parts the instruments are built of: noise, band-limited oscillators, a state-variable
// filter and envelopes. Each runs one sample at a time and keeps its own state.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "synth.h"

constexpr double two_pi = 6.283185307179586;

inline double midi_to_hz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }
inline long to_samples(double seconds) { return std::lround(seconds * sample_rate); }
inline float mix(float from, float to, float x) { return from + (to - from) * x; }

// Xorshift white noise in [-1, 1); equal seeds give equal noise.
struct Noise {
    uint32_t state;
    explicit Noise(uint32_t seed) : state(seed * 2654435761u + 0x9E3779B9u) {}
    float next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return float(int32_t(state)) * (1.0f / 2147483648.0f);
    }
};

// A seed of its own for each note, so two hits never sound like copies of each other.
inline uint32_t note_seed(const Note& note) { return uint32_t(to_samples(note.time)) ^ uint32_t(note.pitch << 24); }

// The polyBLEP correction that rounds off a wave's jump, removing most of its aliasing; t is the
// phase in cycles just after the jump, dt the phase step of one sample.
inline float blep(double t, double dt)
{
    if (t < dt) {
        t /= dt;
        return float(t + t - t * t - 1.0);
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return float(t * t + t + t + 1.0);
    }
    return 0.0f;
}

// sin(2π phase) within a thousandth: a parabola, then a second one that corrects its shape.
inline float fast_sine(double phase)
{
    float p = float(phase < 0.5 ? phase : phase - 1.0);  // [-0.5, 0.5)
    float y = 8.0f * p - 16.0f * p * std::abs(p);
    return 0.225f * (y * std::abs(y) - y) + y;
}

// A soft saturation close to tanh, cheap enough for every sample: the louder, the rounder.
inline float soft_clip(float x)
{
    x = std::clamp(x, -3.0f, 3.0f);
    return x * (27.0f + x * x) / (27.0f + 9.0f * x * x);
}

// Each call returns one sample and advances the phase (in cycles, [0, 1)) at the given frequency.
struct Oscillator {
    double phase = 0.0;

    float saw(double hz)
    {
        double dt = hz / sample_rate;
        float value = float(2.0 * phase - 1.0) - blep(phase, dt);
        advance(dt);
        return value;
    }
    float square(double hz)
    {
        double dt = hz / sample_rate;
        double half = phase < 0.5 ? phase + 0.5 : phase - 0.5;
        float value = (phase < 0.5 ? 1.0f : -1.0f) + blep(phase, dt) - blep(half, dt);
        advance(dt);
        return value;
    }
    float sine(double hz)
    {
        float value = fast_sine(phase);
        advance(hz / sample_rate);
        return value;
    }
    void advance(double dt)
    {
        phase += dt;
        if (phase >= 1.0)
            phase -= 1.0;
    }
};

// A state-variable filter (trapezoidal, stable at any setting); after step() the low-, band- and
// high-pass outputs are in low, band and high. Resonance runs from 0 (none) to 1 (nearly ringing).
struct Filter {
    float ic1 = 0.0f, ic2 = 0.0f;
    float a1 = 0.0f, a2 = 0.0f, a3 = 0.0f, k = 2.0f;
    float low = 0.0f, band = 0.0f, high = 0.0f;

    void tune(double hz, float resonance)
    {
        double g = std::tan(M_PI * std::clamp(hz, 20.0, 0.45 * sample_rate) / sample_rate);
        k = 2.0f - 1.9f * resonance;
        a1 = float(1.0 / (1.0 + g * (g + k)));
        a2 = float(g) * a1;
        a3 = float(g) * a2;
    }
    void step(float x)
    {
        float v3 = x - ic2;
        float v1 = a1 * ic1 + a2 * v3;
        float v2 = ic2 + a2 * ic1 + a3 * v3;
        ic1 = 2.0f * v1 - ic1;
        ic2 = 2.0f * v2 - ic2;
        low = v2;
        band = v1;
        high = x - k * v1 - v2;
    }
};

// Filters retune every this many samples: sweeps stay smooth, and tan() stays off the hot path.
constexpr int retune_interval = 32;

// Falls by a factor e every `seconds`.
struct Decay {
    float level;
    float factor;
    explicit Decay(double seconds, float start = 1.0f)
        : level(start), factor(float(std::exp(-1.0 / (seconds * sample_rate))))
    {
    }
    float next()
    {
        float value = level;
        level *= factor;
        return value;
    }
};

// Attack, decay to the sustain level, hold while the key is down, then release; linear pieces in
// seconds.
struct Adsr {
    double attack, decay;
    float sustain;
    double release;

    float at(double t, double held) const
    {
        if (t < held)
            return before_release(t);
        double released = (t - held) / release;
        return released < 1.0 ? before_release(held) * float(1.0 - released) : 0.0f;
    }
    float before_release(double t) const
    {
        if (t < attack)
            return float(t / attack);
        return t < attack + decay ? mix(1.0f, sustain, float((t - attack) / decay)) : sustain;
    }
};

// Makes out ready for a sound of that many seconds, mono or stereo; the instrument then writes
// every sample (what is there before is left over from the last note).
inline void start_sound(Sound& out, double seconds, bool stereo)
{
    size_t length = size_t(to_samples(seconds));
    out.left.resize(length);
    out.right.resize(stereo ? length : 0);
}

// Brings a sound's last part down to zero, so that cutting it off there makes no click.
inline void fade_out_tail(std::vector<float>& samples, double seconds)
{
    size_t count = std::min(samples.size(), size_t(to_samples(seconds)));
    size_t first = samples.size() - count;
    for (size_t i = 0; i < count; ++i)
        samples[first + i] *= float(count - i) / float(count);
}
