// The soundtrack's synthesiser: oscillators, a filter, envelopes, noise, the instruments built from
// them, and the two shared effects (a ping-pong delay and a reverb). Float samples at the show's rate.
#pragma once

#include <cstdint>
#include <vector>

#include "show/audio.h"

constexpr double sample_rate = audio_rate;

// One note of one instrument. Pitch is a MIDI note number (69 = A 440 Hz), velocity a gain (1 =
// full), tone how bright the note is (0 dull … 1 bright); drums ignore the pitch, and the length of
// a percussive sound is its decay.
struct Note {
    double time;
    double length;
    int pitch;
    float velocity;
    float tone;
};

// What an instrument plays for one note, from the note's first sample on; right is empty for a mono
// instrument, which its track pans.
struct Sound {
    std::vector<float> left;
    std::vector<float> right;
};

using Instrument = void (*)(const Note& note, Sound& out);

void play_kick(const Note& note, Sound& out);
void play_drop(const Note& note, Sound& out);
void play_snare(const Note& note, Sound& out);
void play_clap(const Note& note, Sound& out);
void play_hat(const Note& note, Sound& out);
void play_crash(const Note& note, Sound& out);
void play_bass(const Note& note, Sound& out);
void play_pad(const Note& note, Sound& out);
void play_pluck(const Note& note, Sound& out);
void play_lead(const Note& note, Sound& out);
void play_stab(const Note& note, Sound& out);
void play_clank(const Note& note, Sound& out);
void play_swell(const Note& note, Sound& out);
void play_riser(const Note& note, Sound& out);

// A ping-pong echo of a mono send, added to left and right: the first echo on the left after
// delay_seconds, then alternating sides, each quieter by feedback and duller than the last.
void add_ping_pong_delay(const std::vector<float>& send, double delay_seconds, float feedback,
                         std::vector<float>& left, std::vector<float>& right);
// A room reverb (parallel damped combs into allpasses, slightly different on each side) of a mono
// send, added to left and right.
void add_reverb(const std::vector<float>& send, std::vector<float>& left, std::vector<float>& right);
