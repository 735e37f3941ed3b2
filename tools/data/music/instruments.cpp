// The soundtrack's instruments: a drum kit, a sub drop, a bass, a pad, a pluck, a lead, a chord stab,
// a struck metal bar, the wave of the cube scenes and a riser. Each plays one note into a Sound.
#include <cmath>

#include "dsp.h"

namespace {

// A few cents apart, the voices of one note beat slowly against each other: a wide, moving sound.
double cents(double amount) { return std::pow(2.0, amount / 1200.0); }

// Six square waves at the clashing ratios of a cymbal's partials, summed without band-limiting:
// the high-pass after them keeps only the clash.
struct Metal {
    static constexpr double partial_hz[6] = {205.3, 304.4, 369.6, 522.7, 540.0, 800.0};
    double phase[6] = {};
    double step[6];

    explicit Metal(double scale)
    {
        for (int p = 0; p < 6; ++p)
            step[p] = partial_hz[p] * scale / sample_rate;
    }
    float next()
    {
        float sum = 0.0f;
        for (int p = 0; p < 6; ++p) {
            sum += phase[p] < 0.5 ? 1.0f : -1.0f;
            phase[p] += step[p];
            phase[p] -= phase[p] >= 1.0 ? 1.0 : 0.0;
        }
        return sum * (1.0f / 6.0f);
    }
};

// Drives a sound into the soft clip, keeping a full-scale peak at full scale.
float saturate(float x, float drive) { return soft_clip(drive * x) / soft_clip(drive); }

}  // namespace

// A sine that falls from a knock to a deep boom, with a click of filtered noise on top; the note's
// length is the boom's decay.
void play_kick(const Note& note, Sound& out)
{
    constexpr double low_hz = 46.0;
    constexpr double knock_hz = 135.0;
    constexpr double pitch_fall = 0.035;
    constexpr double click_decay = 0.004;
    start_sound(out, 3.0 * note.length + 0.05, false);
    Oscillator body;
    Decay pitch(pitch_fall), level(note.length), click(click_decay);
    Noise noise(note_seed(note));
    Filter click_filter;
    click_filter.tune(3000.0, 0.2f);
    float click_gain = mix(0.2f, 0.9f, note.tone);
    for (float& sample : out.left) {
        click_filter.step(noise.next());
        float x = body.sine(low_hz + knock_hz * pitch.next()) * level.next()
            + click_filter.band * click.next() * click_gain;
        sample = note.velocity * saturate(x, 1.6f);
    }
    fade_out_tail(out.left, note.length);
}

// A sine that falls from an octave above the note's pitch to the pitch, driven round enough to be
// heard on small speakers too, and dying away over the note's length: the sub drop under a flash.
void play_drop(const Note& note, Sound& out)
{
    constexpr double attack = 0.003;
    constexpr double pitch_fall = 0.25;
    start_sound(out, note.length, false);
    const double hz = midi_to_hz(note.pitch);
    Oscillator sub;
    Decay bend(pitch_fall);
    for (size_t i = 0; i < out.left.size(); ++i) {
        double x = double(i) / double(out.left.size());
        float level = float((1.0 - x) * (1.0 - x) * std::min(1.0, double(i) / sample_rate / attack));
        out.left[i] = note.velocity * level * saturate(sub.sine(hz * (1.0 + bend.next())), 2.5f);
    }
}

// Two drum-skin tones under a burst of bright noise; the length is the noise's decay.
void play_snare(const Note& note, Sound& out)
{
    constexpr double skin_hz[2] = {185.0, 330.0};
    constexpr double skin_decay = 0.05;
    start_sound(out, 4.0 * note.length, false);
    Oscillator low_skin, high_skin;
    Decay skin(skin_decay), rattle(note.length);
    Noise noise(note_seed(note));
    Filter bright;
    bright.tune(mix(900.0f, 2200.0f, note.tone), 0.1f);
    for (float& sample : out.left) {
        bright.step(noise.next());
        float tones = (low_skin.sine(skin_hz[0]) + 0.6f * high_skin.sine(skin_hz[1])) * skin.next();
        sample = note.velocity * (0.55f * tones + 0.8f * bright.high * rattle.next());
    }
    fade_out_tail(out.left, note.length);
}

// Three quick slaps a hundredth of a second apart, then a short tail of band-passed noise.
void play_clap(const Note& note, Sound& out)
{
    constexpr double slap_spacing = 0.011;
    constexpr double slap_decay = 0.005;
    constexpr int slap_count = 3;
    start_sound(out, slap_count * slap_spacing + 4.0 * note.length, false);
    Noise noise(note_seed(note));
    Filter body;
    body.tune(1150.0, 0.3f);
    for (size_t i = 0; i < out.left.size(); ++i) {
        double t = double(i) / sample_rate;
        double slap = std::fmod(t, slap_spacing);
        double envelope = t < slap_count * slap_spacing
            ? std::exp(-slap / slap_decay)
            : 0.8 * std::exp(-(t - slap_count * slap_spacing) / note.length);
        body.step(noise.next());
        out.left[i] = note.velocity * 2.2f * body.band * float(envelope);
    }
    fade_out_tail(out.left, note.length);
}

// Noise and a metallic ring through a high-pass: closed when short, open when long.
void play_hat(const Note& note, Sound& out)
{
    start_sound(out, 4.0 * note.length, false);
    Noise noise(note_seed(note));
    Decay level(note.length);
    Metal ring(4.0);
    Filter high;
    high.tune(mix(5500.0f, 9000.0f, note.tone), 0.2f);
    for (float& sample : out.left) {
        high.step(0.6f * noise.next() + 0.7f * ring.next());
        sample = note.velocity * high.high * level.next();
    }
    fade_out_tail(out.left, note.length);
}

// A cymbal: noise and metallic rings, different on each side, through a high-pass, decaying over
// the note's length.
void play_crash(const Note& note, Sound& out)
{
    constexpr double side_scale[2] = {5.1, 5.37};
    start_sound(out, 3.0 * note.length, true);
    std::vector<float>* sides[2] = {&out.left, &out.right};
    for (int side = 0; side < 2; ++side) {
        Noise noise(note_seed(note) + uint32_t(side));
        Decay level(note.length);
        Metal ring(side_scale[side]);
        Filter high;
        high.tune(mix(3000.0f, 5000.0f, note.tone), 0.15f);
        std::vector<float>& samples = *sides[side];
        for (float& sample : samples) {
            high.step(noise.next() + 0.5f * ring.next());
            sample = note.velocity * high.high * level.next();
        }
        fade_out_tail(samples, note.length);
    }
}

// A saw and a slightly detuned square through a resonant low-pass that snaps open on each note,
// over a sine that carries the weight; tone opens the filter and sharpens its resonance.
void play_bass(const Note& note, Sound& out)
{
    constexpr Adsr shape{0.003, 0.12, 0.75f, 0.04};
    constexpr double sweep_decay = 0.09;
    start_sound(out, note.length + shape.release, false);
    double hz = midi_to_hz(note.pitch);
    Oscillator saw, square, sub;
    Decay sweep(sweep_decay);
    Filter filter;
    float base_hz = mix(90.0f, 1000.0f, note.tone);
    float sweep_hz = mix(300.0f, 3800.0f, note.tone);
    float resonance = mix(0.2f, 0.75f, note.tone);
    const double square_hz = hz * cents(7.0);
    for (size_t i = 0; i < out.left.size(); ++i) {
        float open = sweep.next();
        if (i % retune_interval == 0)
            filter.tune(base_hz + sweep_hz * open, resonance);
        filter.step(saw.saw(hz) + 0.5f * square.square(square_hz));
        float x = 0.55f * filter.low + 0.5f * sub.sine(hz);
        out.left[i] = note.velocity * saturate(x, 1.3f) * shape.at(double(i) / sample_rate, note.length);
    }
}

// Three saws a few cents apart spread across the sides, through a gentle low-pass that drifts
// slowly; a slow swell in and a long release.
void play_pad(const Note& note, Sound& out)
{
    constexpr Adsr shape{0.4, 0.8, 0.75f, 0.9};
    constexpr double drift_hz = 0.3;
    start_sound(out, note.length + shape.release, true);
    double hz = midi_to_hz(note.pitch);
    Noise start(note_seed(note));
    Oscillator voices[3];
    for (Oscillator& voice : voices)
        voice.phase = 0.5 + 0.5 * start.next();
    const double voice_hz[3] = {hz * cents(-11.0), hz, hz * cents(10.0)};
    Filter left, right;
    float cutoff = mix(350.0f, 3600.0f, note.tone * note.tone);
    for (size_t i = 0; i < out.left.size(); ++i) {
        double t = double(i) / sample_rate;
        if (i % retune_interval == 0) {
            double drift = 1.0 + 0.15 * std::sin(two_pi * drift_hz * (note.time + t));
            left.tune(cutoff * drift, 0.1f);
            right.tune(cutoff * drift, 0.1f);
        }
        float a = voices[0].saw(voice_hz[0]);
        float b = voices[1].saw(voice_hz[1]);
        float c = voices[2].saw(voice_hz[2]);
        left.step(a + 0.7f * b);
        right.step(c + 0.7f * b);
        float level = note.velocity * shape.at(t, note.length);
        out.left[i] = left.low * level;
        out.right[i] = right.low * level;
    }
}

// A saw with a touch of square whose filter snaps shut after the pluck: the arpeggios.
void play_pluck(const Note& note, Sound& out)
{
    constexpr Adsr shape{0.002, 0.15, 0.35f, 0.08};
    constexpr double snap_decay = 0.07;
    start_sound(out, note.length + shape.release, false);
    double hz = midi_to_hz(note.pitch);
    Oscillator saw, square;
    Decay snap(snap_decay);
    Filter filter;
    float open_hz = mix(600.0f, 6500.0f, note.tone);
    const double square_hz = hz * cents(5.0);
    for (size_t i = 0; i < out.left.size(); ++i) {
        float open = snap.next();
        if (i % retune_interval == 0)
            filter.tune(250.0f + open_hz * open, 0.3f);
        filter.step(saw.saw(hz) + 0.4f * square.square(square_hz));
        out.left[i] = note.velocity * filter.low * shape.at(double(i) / sample_rate, note.length);
    }
}

// Two saws a little apart and a hollow square, with a vibrato that sets in while a note is held:
// the melody.
void play_lead(const Note& note, Sound& out)
{
    constexpr Adsr shape{0.012, 0.25, 0.8f, 0.18};
    constexpr double vibrato_hz = 5.2;
    constexpr double vibrato_cents = 18.0;
    constexpr double vibrato_delay = 0.18;
    constexpr double vibrato_rise = 0.3;
    start_sound(out, note.length + shape.release, false);
    double hz = midi_to_hz(note.pitch);
    Oscillator first, second, hollow, vibrato;
    Decay bite(0.2);
    Filter filter;
    float cutoff = mix(900.0f, 5100.0f, note.tone);
    const double apart = cents(6.0);
    // Cents to a frequency ratio, near enough for a few cents: 2^(c/1200) ≈ 1 + c ln2/1200.
    const double ratio_per_cent = std::log(2.0) / 1200.0;
    for (size_t i = 0; i < out.left.size(); ++i) {
        double t = double(i) / sample_rate;
        double depth = vibrato_cents * std::clamp((t - vibrato_delay) / vibrato_rise, 0.0, 1.0);
        double bent = hz * (1.0 + ratio_per_cent * depth * vibrato.sine(vibrato_hz));
        float open = bite.next();
        if (i % retune_interval == 0)
            filter.tune(cutoff + 1500.0f * open, 0.15f);
        filter.step(first.saw(bent / apart) + second.saw(bent * apart) + 0.3f * hollow.square(bent));
        out.left[i] = note.velocity * filter.low * shape.at(t, note.length);
    }
}

// Five saws spread wide, the filter closing fast: one note of a short, bright chord hit. The
// length is its decay.
void play_stab(const Note& note, Sound& out)
{
    constexpr double spread_cents[5] = {-18.0, -9.0, 0.0, 9.0, 18.0};
    constexpr float side_weight[5] = {1.0f, 0.75f, 0.5f, 0.25f, 0.0f};  // share on the left
    constexpr double close_decay = 0.12;
    start_sound(out, 3.0 * note.length, true);
    double hz = midi_to_hz(note.pitch);
    Noise start(note_seed(note));
    Oscillator voices[5];
    double voice_hz[5];
    for (int v = 0; v < 5; ++v) {
        voices[v].phase = 0.5 + 0.5 * start.next();
        voice_hz[v] = hz * cents(spread_cents[v]);
    }
    Decay close(close_decay), level(note.length);
    Filter left, right;
    float open_hz = mix(1500.0f, 8000.0f, note.tone);
    for (size_t i = 0; i < out.left.size(); ++i) {
        float open = close.next();
        if (i % retune_interval == 0) {
            left.tune(300.0f + open_hz * open, 0.2f);
            right.tune(300.0f + open_hz * open, 0.2f);
        }
        float l = 0.0f, r = 0.0f;
        for (int v = 0; v < 5; ++v) {
            float x = voices[v].saw(voice_hz[v]);
            l += x * side_weight[v];
            r += x * (1.0f - side_weight[v]);
        }
        left.step(l);
        right.step(r);
        float gain = note.velocity * level.next();
        out.left[i] = left.low * gain;
        out.right[i] = right.low * gain;
    }
    fade_out_tail(out.left, note.length);
    fade_out_tail(out.right, note.length);
}

// Two-operator FM at an inharmonic ratio with a snap of noise: a struck metal bar, for the cube's
// steps. The length is the ring's decay.
void play_clank(const Note& note, Sound& out)
{
    constexpr double ratio = 1.4142;
    constexpr double overtone = 2.76;
    constexpr double index_decay = 0.08;
    constexpr double snap_decay = 0.006;
    start_sound(out, 4.0 * note.length, false);
    double hz = midi_to_hz(note.pitch);
    Oscillator carrier, modulator, upper;
    Decay index(index_decay), ring(note.length), high_ring(0.4 * note.length), snap(snap_decay);
    Noise noise(note_seed(note));
    Filter crisp;
    crisp.tune(4000.0, 0.2f);
    for (float& sample : out.left) {
        float depth = 0.8f + 5.0f * index.next();
        double bent = hz * (1.0 + depth * modulator.sine(hz * ratio) * 0.25);
        crisp.step(noise.next());
        float x = carrier.sine(bent) * ring.next() + 0.4f * upper.sine(hz * overtone) * high_ring.next()
            + 0.6f * crisp.high * snap.next();
        sample = note.velocity * x;
    }
    fade_out_tail(out.left, note.length);
}

// A wave breaking: a burst of noise and a low boom that ease off as (1 - x)² over the note's
// length, a low-pass sweeping down from a hiss to a rumble as the water calms.
void play_swell(const Note& note, Sound& out)
{
    constexpr double attack = 0.002;
    constexpr double top_hz = 8000.0;
    constexpr double bottom_hz = 180.0;
    constexpr double boom_decay = 0.5;
    start_sound(out, note.length, true);
    double boom_hz = midi_to_hz(note.pitch);
    Noise noise_left(note_seed(note)), noise_right(note_seed(note) + 1);
    Filter left, right;
    Oscillator boom;
    Decay boom_level(boom_decay), boom_bend(0.05);
    for (size_t i = 0; i < out.left.size(); ++i) {
        double t = double(i) / sample_rate;
        double x = t / note.length;
        if (i % retune_interval == 0) {
            double hz = bottom_hz * std::pow(top_hz / bottom_hz, std::pow(1.0 - x, 1.5));
            left.tune(hz, 0.35f);
            right.tune(hz, 0.35f);
        }
        left.step(noise_left.next());
        right.step(noise_right.next());
        float calm = float((1.0 - x) * (1.0 - x) * std::min(1.0, t / attack));
        float low = 0.9f * boom.sine(boom_hz * (1.0 + 0.5 * boom_bend.next())) * boom_level.next();
        float sway = float(0.25 * std::sin(two_pi * x));
        out.left[i] = note.velocity * (calm * left.low * (1.0f + sway) + low * calm);
        out.right[i] = note.velocity * (calm * right.low * (1.0f - sway) + low * calm);
    }
}

// Noise through a band-pass that climbs for the whole length while it grows louder, with a sine
// rising two octaves from the note's pitch: the run-up to a downbeat, cut off just before it.
void play_riser(const Note& note, Sound& out)
{
    constexpr double from_hz = 250.0;
    constexpr double climb = 40.0;  // the band-pass ends this many times higher
    constexpr double cut = 0.004;
    start_sound(out, note.length, true);
    Noise noise_left(note_seed(note)), noise_right(note_seed(note) + 1);
    Filter left, right;
    Oscillator whistle;
    double hz = midi_to_hz(note.pitch);
    for (size_t i = 0; i < out.left.size(); ++i) {
        double t = double(i) / sample_rate;
        double x = t / note.length;
        if (i % retune_interval == 0) {
            left.tune(from_hz * std::pow(climb, x), 0.55f);
            right.tune(from_hz * std::pow(climb, x), 0.55f);
        }
        left.step(noise_left.next());
        right.step(noise_right.next());
        float tone = 0.15f * whistle.sine(hz * std::pow(4.0, x));
        double left_to_play = double(out.left.size() - 1 - i) / sample_rate;
        float level = note.velocity * float(x * x) * float(std::min(1.0, left_to_play / cut));
        out.left[i] = (left.band + tone) * level;
        out.right[i] = (right.band + tone) * level;
    }
}
