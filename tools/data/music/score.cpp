// The soundtrack's arrangement in A minor at 150 beats a minute: a tempo map whose sections start
// exactly where the scenes do, the parts each section plays, and the hits the pictures need, placed
// at their exact moments with the groove cleared around them.
#include "score.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

#include "show/music_hits.h"

namespace {

constexpr double nominal_bar = 1.6;  // 4/4 at 150 beats a minute
constexpr int steps_per_bar = 16;

// A run of equal bars.
struct Section {
    double start;
    double bar;  // seconds
    int bars;

    double at(double bar_position) const { return start + bar_position * bar; }
    double step() const { return bar / steps_per_bar; }
};

// From start to end in the whole number of bars closest to 150 beats a minute (a stretch of a
// fraction of a percent), so that the next section's downbeat falls on its scene's first moment.
Section fitted(double start, double end)
{
    int bars = int(std::lround((end - start) / nominal_bar));
    return {start, (end - start) / bars, bars};
}

struct Chord {
    int root;  // pitch class, 0 = C
    bool minor;
};

int pitch_class(const char*& text)
{
    constexpr int naturals[7] = {9, 11, 0, 2, 4, 5, 7};  // A to G
    int pitch = naturals[*text++ - 'A'];
    if (*text == '#') {
        ++text;
        return (pitch + 1) % 12;
    }
    if (*text == 'b') {
        ++text;
        return (pitch + 11) % 12;
    }
    return pitch;
}

// "Am F C G": a letter, an optional sharp or flat, and m for minor.
std::vector<Chord> progression(const char* names)
{
    std::vector<Chord> chords;
    for (const char* text = names; *text;) {
        if (*text == ' ') {
            ++text;
            continue;
        }
        int root = pitch_class(text);
        bool minor = *text == 'm';
        text += minor;
        chords.push_back({root, minor});
    }
    return chords;
}

int third(Chord chord) { return chord.minor ? 3 : 4; }
int bass_root(Chord chord) { return 33 + (chord.root + 3) % 12; }  // A1 … G#2
int chord_root(Chord chord) { return bass_root(chord) + 24; }      // A3 … G#4

// A value that moves evenly across the bars of a part.
struct Ramp {
    float from, to;
    Ramp(float value) : from(value), to(value) {}
    Ramp(float start, float end) : from(start), to(end) {}
    float at(int bar, int first, int last) const
    {
        return from + (to - from) * float(bar - first) / float(std::max(1, last - first));
    }
};

struct Writer {
    Score score;
    std::vector<std::pair<double, Chord>> harmony;  // when each chord begins

    void add(Track track, double time, double length, int pitch, float velocity, float tone)
    {
        score.tracks[track].push_back({time, length, pitch, velocity, tone});
    }
    // The chord sounding at t, or about to: a hit a little ahead of a bar line takes its chord.
    Chord chord_at(double t) const
    {
        constexpr double anticipation = 0.05;
        Chord chord = harmony.front().second;
        for (const auto& [start, next] : harmony)
            if (start <= t + anticipation)
                chord = next;
        return chord;
    }
};

// The parts below lay a pattern over bars [first, last) of a section.
struct Part {
    Writer& writer;
    const Section& section;
    int first, last;
};

Chord chord_of(const std::vector<Chord>& chords, int bars_per_chord, int bar)
{
    return chords[size_t(bar / bars_per_chord) % chords.size()];
}

// Sustained chords, one every bars_per_chord bars: root, fifth, octave and the third above it.
void pads(const Part& p, const char* names, int bars_per_chord, Ramp velocity, Ramp tone)
{
    std::vector<Chord> chords = progression(names);
    for (int bar = p.first; bar < p.last; bar += bars_per_chord) {
        Chord chord = chord_of(chords, bars_per_chord, bar - p.first);
        double length = std::min(bars_per_chord, p.last - bar) * p.section.bar;
        p.writer.harmony.push_back({p.section.at(bar), chord});
        int root = chord_root(chord) - 12;
        for (int interval : {0, 7, 12, 12 + third(chord)})
            p.writer.add(track_pad, p.section.at(bar), length, root + interval,
                         0.5f * velocity.at(bar, p.first, p.last), tone.at(bar, p.first, p.last));
    }
}

// A drum pattern of sixteen steps a bar: x a full hit, o a soft one.
void drums(const Part& p, Track track, const char* steps, Ramp velocity, double length, float tone = 0.5f)
{
    for (int bar = p.first; bar < p.last; ++bar)
        for (int step = 0; step < steps_per_bar; ++step) {
            char c = steps[step];
            if (c == 'x' || c == 'o')
                p.writer.add(track, p.section.at(bar) + step * p.section.step(), length, 0,
                             velocity.at(bar, p.first, p.last) * (c == 'x' ? 1.0f : 0.45f), tone);
        }
}

// A bass line of sixteen steps a bar on the chords' roots: r the root, o its octave, f the fifth,
// m the minor seventh, - holds the note before, . rests.
void bassline(const Part& p, const char* names, int bars_per_chord, const char* steps, Ramp velocity, Ramp tone)
{
    constexpr double gate = 0.8;
    constexpr char degrees[] = "rofm";
    constexpr int intervals[4] = {0, 12, 7, 10};
    std::vector<Chord> chords = progression(names);
    for (int bar = p.first; bar < p.last; ++bar) {
        int root = bass_root(chord_of(chords, bars_per_chord, bar - p.first));
        for (int step = 0; step < steps_per_bar; ++step) {
            const char* degree = std::strchr(degrees, steps[step]);
            if (!degree)
                continue;
            int held = 1;
            while (step + held < steps_per_bar && steps[step + held] == '-')
                ++held;
            p.writer.add(track_bass, p.section.at(bar) + step * p.section.step(),
                         (held - 1 + gate) * p.section.step(), root + intervals[degree - degrees],
                         velocity.at(bar, p.first, p.last), tone.at(bar, p.first, p.last));
        }
    }
}

// Sixteenth notes running up and down the chord over two octaves.
void arpeggio(const Part& p, const char* names, int bars_per_chord, Ramp velocity, Ramp tone)
{
    constexpr int walk[steps_per_bar] = {0, 1, 2, 3, 4, 2, 3, 1, 0, 1, 2, 3, 4, 5, 3, 2};
    std::vector<Chord> chords = progression(names);
    for (int bar = p.first; bar < p.last; ++bar) {
        Chord chord = chord_of(chords, bars_per_chord, bar - p.first);
        const int tones[3] = {0, third(chord), 7};
        for (int step = 0; step < steps_per_bar; ++step) {
            int pitch = chord_root(chord) + tones[walk[step] % 3] + 12 * (walk[step] / 3);
            p.writer.add(track_pluck, p.section.at(bar) + step * p.section.step(), 0.9 * p.section.step(),
                         pitch, velocity.at(bar, p.first, p.last), tone.at(bar, p.first, p.last));
        }
    }
}

int note_number(const std::string& name)
{
    const char* text = name.c_str();
    int pitch = pitch_class(text);
    return pitch + 12 * (std::atoi(text) + 1);
}

// A tune from bar `bar` on, `per_bar` steps a bar: note names (A4, F#5), . holds the note before,
// - rests, | marks a bar line for the reader.
void melody(const Part& p, Track track, int bar, int per_bar, const char* tune, float velocity, float tone,
            int transpose = 0)
{
    constexpr double gate = 0.92;
    std::string text = tune;
    std::replace(text.begin(), text.end(), '|', ' ');
    std::istringstream tokens(text);
    std::vector<std::string> steps;
    for (std::string token; tokens >> token;)
        steps.push_back(token);
    double step = p.section.bar / per_bar;
    for (size_t i = 0; i < steps.size(); ++i) {
        if (steps[i] == "." || steps[i] == "-")
            continue;
        size_t held = 1;
        while (i + held < steps.size() && steps[i + held] == ".")
            ++held;
        p.writer.add(track, p.section.at(bar) + double(i) * step, (double(held) - 1.0 + gate) * step,
                     note_number(steps[i]) + transpose, velocity, tone);
    }
}

// A snare roll over the part's bars: eighths, then sixteenths, growing louder, and an eighth of
// silence before the downbeat.
void roll(const Part& p)
{
    int steps = (p.last - p.first) * steps_per_bar;
    for (int i = 0; i < steps - 2; i += i < steps / 2 ? 2 : 1)
        p.writer.add(track_snare, p.section.at(p.first) + i * p.section.step(), 0.1, 0,
                     0.25f + 0.6f * float(i) / float(steps), 0.4f + 0.5f * float(i) / float(steps));
}

// A riser over the part, ending a sixteenth before the next downbeat: the silence sets it off.
void riser(const Part& p, float velocity)
{
    double start = p.section.at(p.first);
    p.writer.add(track_riser, start, p.section.at(p.last) - p.section.step() - start, 57, velocity, 0.5f);
}

const char* const four_to_the_floor = "x...x...x...x...";
const char* const backbeat = "....x.......x...";
const char* const sixteenths = "xoxoxoxoxoxoxoxo";
const char* const offbeats = "..x...x...x...x.";
const char* const downbeat = "x...............";
constexpr double closed_hat = 0.03;
constexpr double open_hat = 0.13;
constexpr double kick_decay = 0.22;
constexpr double snare_decay = 0.14;
constexpr double clap_decay = 0.12;
constexpr double crash_decay = 1.2;

// The main theme, over Am F C G twice, in eighths.
const char* const theme = "A4 C5 E5 . D5 C5 D5 . | C5 . A4 . . . - - | G4 C5 E5 . D5 C5 D5 . | B4 . G4 . D5 . . - |"
                          "E5 . A5 . G5 E5 D5 . | C5 . D5 . E5 . C5 . | G5 . E5 . C5 . E5 . | D5 . . . B4 . . - |";
// The cube's tune, over Am Am F G, in sixteenths.
const char* const cube_tune =
    "A4 . . A4 C5 . A4 . E5 . . D5 . C5 . . | A4 . . A4 C5 . A4 . G5 . . E5 . D5 . . |"
    "F5 . . E5 . C5 . . A4 . . C5 . F5 . . | D5 . . . G5 . . . B4 . . . D5 . . . |";
// The ring's plucked figure and the lead above it, over F G Em Am, in eighths.
const char* const ring_figure = "C5 . A4 . F4 . A4 C5 | D5 . B4 . G4 . B4 D5 | E5 . B4 . G4 . E4 . | A4 . C5 . E5 . A5 . |";
const char* const ring_tune = "A5 . . G5 F5 . C5 . | D5 . . . B4 . G4 . | G5 . . E5 . . B4 . | C5 . . . A4 . . - |";
// The column's slow line over Am Am G G F F E E, in eighths.
const char* const column_tune = "E5 . . . . . D5 . | C5 . . . . . . . | D5 . . . . . B4 . | G4 . . . . . . . |"
                                "C5 . . . . . A4 . | F4 . . . . . . . | G#4 . . . B4 . . . | E5 . . . . . . . |";
// The break's few long notes.
const char* const break_tune = "E5 . . . . . . . | C5 . . . . . . . | D5 . . . . . . . | B4 . . . - - - - |";

// The full groove on A minor's chords, a bar each: four to the floor, claps on the backbeat,
// sixteenth and open hats, the bass, the pad and the main theme; level scales the lot and tone
// opens the filters.
void full_groove(const Part& p, const char* bass, float level, float tone)
{
    const char* chords = "Am F C G";
    pads(p, chords, 1, 0.7f * level, tone);
    drums(p, track_kick, four_to_the_floor, level, kick_decay);
    drums(p, track_clap, backbeat, 0.75f * level, clap_decay);
    drums(p, track_hat, sixteenths, 0.5f * level, closed_hat);
    drums(p, track_hat, offbeats, 0.35f * level, open_hat);
    bassline(p, chords, 1, bass, 0.85f * level, tone - 0.2f);
    melody(p, track_lead, p.first, 8, theme, 0.8f * level, tone);
}

// Scene 0: out of silence, a pad that swells and opens as the tunnel fades in, then the arpeggio,
// the hats, the kick and the bass one after another; a riser and a roll in the fade to black.
void compose_tunnel(Writer& w, const Section& s)
{
    const char* chords = "Am F C G";
    pads({w, s, 0, 12}, chords, 2, {0.3f, 0.8f}, {0.05f, 0.5f});
    pads({w, s, 12, 24}, chords, 2, 0.8f, {0.5f, 0.65f});
    bassline({w, s, 0, 12}, chords, 2, "r---------------", {0.3f, 0.6f}, 0.05f);
    arpeggio({w, s, 4, 24}, chords, 2, {0.15f, 0.5f}, {0.05f, 0.85f});
    drums({w, s, 8, 22}, track_hat, sixteenths, {0.2f, 0.55f}, closed_hat);
    drums({w, s, 12, 23}, track_kick, four_to_the_floor, 0.9f, kick_decay);
    bassline({w, s, 12, 23}, chords, 2, "..r...r...r...r.", 0.7f, {0.2f, 0.45f});
    drums({w, s, 16, 23}, track_clap, backbeat, 0.7f, clap_decay);
    drums({w, s, 16, 23}, track_hat, offbeats, 0.35f, open_hat);
    riser({w, s, 20, 24}, 0.9f);
    roll({w, s, 22, 24});
}

// Scene 1: the first full groove and the main theme, then the arpeggio alone and a fill.
void compose_blobs(Writer& w, const Section& s)
{
    full_groove({w, s, 0, s.bars}, "..r...o...r...o.", 0.93f, 0.6f);
    arpeggio({w, s, 8, s.bars}, "Am F C G", 1, 0.35f, 0.6f);
    drums({w, s, 8, 9}, track_crash, downbeat, 0.6f, crash_decay);
    roll({w, s, s.bars - 1, s.bars});
}

// Scene 2's first seconds, while the camera swings in: no kick, a held bass, a riser.
void compose_cube_intro(Writer& w, const Section& s)
{
    const char* chords = "Dm Dm E E";
    Part all{w, s, 0, s.bars};
    pads(all, chords, 1, 0.5f, {0.3f, 0.6f});
    bassline(all, chords, 1, "r-------o-------", 0.6f, 0.2f);
    drums(all, track_hat, sixteenths, {0.2f, 0.5f}, closed_hat);
    drums({w, s, 2, s.bars}, track_kick, "x.......x.......", 0.8f, kick_decay);
    riser(all, 0.8f);
}

// Scenes 2 and 3 with the cube: bars locked to its steps, an acid bass opening bar by bar, the
// cube's tune in the middle and the arpeggio at the end.
void compose_cube(Writer& w, const Section& s)
{
    const char* chords = "Am Am F G";
    Part all{w, s, 0, s.bars};
    pads(all, chords, 1, 0.35f, 0.35f);
    drums(all, track_kick, four_to_the_floor, 0.95f, kick_decay);
    drums(all, track_snare, backbeat, 0.7f, snare_decay);
    drums({w, s, 8, s.bars}, track_clap, backbeat, 0.5f, clap_decay);
    drums(all, track_hat, sixteenths, 0.45f, closed_hat);
    drums({w, s, 8, s.bars}, track_hat, offbeats, 0.3f, open_hat);
    bassline(all, chords, 1, "r.ro.rf.r.or.rfm", 0.75f, {0.3f, 0.9f});
    melody(all, track_lead, 8, 16, cube_tune, 0.7f, 0.55f);
    melody(all, track_lead, 12, 16, cube_tune, 0.7f, 0.7f);
    arpeggio({w, s, 16, s.bars}, chords, 1, 0.4f, 0.8f);
    roll({w, s, s.bars - 1, s.bars});
}

// Scene 3's short break: no drums, the pad closing and the arpeggio opening under a few long
// notes, a riser into the ring.
void compose_break(Writer& w, const Section& s)
{
    const char* chords = "Am Am G G";
    Part all{w, s, 0, s.bars};
    pads(all, chords, 1, 0.6f, {0.6f, 0.3f});
    bassline({w, s, 0, 2}, chords, 1, "r---------------", 0.5f, 0.1f);
    arpeggio(all, chords, 1, 0.35f, {0.3f, 0.9f});
    melody(all, track_lead, 0, 8, break_tune, 0.5f, 0.4f);
    riser({w, s, 2, s.bars}, 0.8f);
}

// Scene 4: a broken beat, a syncopated bass, the ring's plucked figure, and the lead above it in
// the second half; a roll and a riser into the white flash.
void compose_ring(Writer& w, const Section& s)
{
    const char* chords = "F G Em Am";
    Part all{w, s, 0, s.bars};
    pads(all, chords, 1, 0.5f, 0.45f);
    drums(all, track_kick, "x.....x...x.....", 0.95f, kick_decay);
    drums(all, track_snare, "....x..o....x..o", 0.7f, snare_decay);
    drums(all, track_hat, "x.x.x.x.x.x.x.x.", 0.4f, closed_hat);
    drums(all, track_hat, "..............x.", 0.3f, open_hat);
    bassline(all, chords, 1, "r..r..r...r..o..", 0.8f, 0.45f);
    for (int bar = 0; bar < s.bars; bar += 4)
        melody(all, track_pluck, bar, 8, ring_figure, 0.5f, 0.7f);
    melody(all, track_lead, 8, 8, ring_tune, 0.6f, 0.5f);
    melody(all, track_lead, 12, 8, ring_tune, 0.6f, 0.6f, 12);
    drums({w, s, 8, 9}, track_crash, downbeat, 0.6f, crash_decay);
    roll({w, s, s.bars - 2, s.bars});
    riser({w, s, s.bars - 4, s.bars}, 0.8f);
}

// Scene 5: after the flash, a sparse start; then the groove under the chord stabs of the blob's
// flips (the hits), two bars to a chord.
void compose_flips(Writer& w, const Section& s)
{
    const char* chords = "Dm Dm Am Am Dm Dm Am Am F F E E";
    constexpr int sparse_bars = 4;
    Part all{w, s, 0, s.bars};
    Part sparse{w, s, 0, sparse_bars};
    Part groove{w, s, sparse_bars, s.bars};
    pads(all, chords, 1, 0.5f, {0.3f, 0.7f});
    arpeggio(all, chords, 1, 0.3f, {0.4f, 0.8f});
    drums(sparse, track_kick, downbeat, 0.7f, kick_decay);
    drums(sparse, track_hat, sixteenths, 0.25f, closed_hat);
    bassline(sparse, chords, 1, "r-------f-------", 0.6f, 0.2f);
    drums(groove, track_kick, four_to_the_floor, 0.95f, kick_decay);
    drums(groove, track_clap, backbeat, 0.7f, clap_decay);
    drums(groove, track_hat, sixteenths, 0.4f, closed_hat);
    drums(groove, track_hat, offbeats, 0.3f, open_hat);
    bassline(groove, chords, 1, "..r...r...r...r.", 0.8f, 0.5f);
    riser({w, s, s.bars - 2, s.bars}, 0.8f);
}

// Scenes 6 and 8, the choruses: the full groove under the main theme, doubled an octave up on its
// last time through, the arpeggio over it, a crash half-way and a fill into what follows.
void compose_chorus(Writer& w, const Section& s, float tone)
{
    constexpr int theme_bars = 8;
    Part all{w, s, 0, s.bars};
    full_groove(all, "..r.o.r...r.o.r.", 1.0f, tone);
    for (int bar = theme_bars; bar < s.bars; bar += theme_bars)
        melody(all, track_lead, bar, 8, theme, 0.75f, tone + 0.05f);
    melody(all, track_lead, s.bars - theme_bars, 8, theme, 0.4f, tone + 0.1f, 12);
    arpeggio(all, "Am F C G", 1, 0.35f, tone + 0.1f);
    drums({w, s, s.bars / 2, s.bars / 2 + 1}, track_crash, downbeat, 0.7f, crash_decay);
    roll({w, s, s.bars - 1, s.bars});
}

// Scene 7, the column: a half-time beat, a rolling bass, the arpeggio in front and a slow line in
// the second half, then a bar where the beat doubles, and a last bar where everything but the pad,
// the line's last note and the riser falls away, so that the closing flash lands in a space of its
// own.
void compose_column(Writer& w, const Section& s)
{
    const char* chords = "Am Am G G F F E E";
    Part all{w, s, 0, s.bars};
    Part playing{w, s, 0, s.bars - 1};
    Part half_time{w, s, 0, s.bars - 2};
    Part build{w, s, s.bars - 2, s.bars - 1};
    pads(all, chords, 1, 0.45f, 0.3f);
    drums(half_time, track_kick, "x.........x.....", 0.9f, kick_decay);
    drums(half_time, track_snare, "........x.......", 0.7f, 0.2);
    drums(build, track_kick, four_to_the_floor, 0.95f, kick_decay);
    drums(playing, track_hat, sixteenths, 0.3f, closed_hat);
    bassline(playing, chords, 1, ".rrr.rrr.rrr.rrr", 0.65f, {0.25f, 0.6f});
    arpeggio(playing, chords, 1, 0.45f, {0.5f, 0.9f});
    melody(all, track_lead, 8, 8, column_tune, 0.6f, 0.4f);
    roll(build);
    riser({w, s, s.bars - 4, s.bars}, 0.5f);
}

// The end picture: the groove thins out under a last quiet statement of the theme, and a long
// A minor chord rings into the final fade.
void compose_ending(Writer& w, const Section& s)
{
    const char* chords = "Am F C G";
    constexpr int chord_bars = 8;
    pads({w, s, 0, chord_bars}, chords, 1, 0.6f, {0.5f, 0.3f});
    pads({w, s, chord_bars, s.bars}, "Am", s.bars - chord_bars, 0.6f, 0.3f);
    drums({w, s, 0, 4}, track_kick, four_to_the_floor, 0.9f, kick_decay);
    drums({w, s, 0, 6}, track_hat, sixteenths, {0.4f, 0.1f}, closed_hat);
    bassline({w, s, 0, 4}, chords, 1, "..r...o...r...o.", 0.75f, 0.4f);
    bassline({w, s, 4, chord_bars}, chords, 1, "r---------------", 0.6f, 0.15f);
    bassline({w, s, chord_bars, s.bars}, "Am", 1, "r---------------", 0.5f, 0.1f);
    melody({w, s, 0, s.bars}, track_lead, 0, 8, theme, 0.5f, 0.4f);
    arpeggio({w, s, 4, chord_bars}, chords, 1, {0.35f, 0.1f}, 0.5f);
    drums({w, s, chord_bars, chord_bars + 1}, track_crash, downbeat, 0.5f, 2.5);
}

// Everything that would blur a hit — a drum sounding just before or after it — gives way to it, and
// a note of the bass or the tunes that starts close to it moves onto it.
void arrange_around(Writer& w, double hit)
{
    constexpr double clearance = 0.06;
    constexpr double pull = 0.04;
    for (Track track : {track_kick, track_snare, track_clap, track_hat}) {
        std::vector<Note>& notes = w.score.tracks[track];
        notes.erase(std::remove_if(notes.begin(), notes.end(),
                                   [hit](const Note& n) { return std::abs(n.time - hit) < clearance; }),
                    notes.end());
    }
    for (Track track : {track_bass, track_pluck, track_lead})
        for (Note& note : w.score.tracks[track])
            if (std::abs(note.time - hit) < pull) {
                note.length += note.time - hit;
                note.time = hit;
            }
}

void stab_chord(Writer& w, double t, double length, float velocity)
{
    Chord chord = w.chord_at(t);
    for (int interval : {0, third(chord), 7, 12})
        w.add(track_stab, t, length, chord_root(chord) + interval, velocity, 0.8f);
}

// One hit of the pictures, in full or as a flam into the hit just after it: then without its kick,
// and a step struck softly without its chord. A new section opens on a sub drop and a chord of the
// whole band under its crash; each step of the cube strikes its metal bar over a short chord.
void place_hit(Writer& w, const MusicHit& hit, bool in_full)
{
    double t = hit.time;
    if (in_full && hit.kind != HitKind::wave)
        w.add(track_kick, t, hit.kind == HitKind::section ? 0.6 : 0.3, 0, 1.0f, 1.0f);
    switch (hit.kind) {
    case HitKind::section:
        w.add(track_crash, t, 1.8, 0, 0.9f, 0.6f);
        w.add(track_drop, t, 1.5, bass_root(w.chord_at(t)), 1.0f, 0.5f);
        stab_chord(w, t, 0.4, 0.6f);
        break;
    case HitKind::cube_step:
        w.add(track_clank, t, 0.2, chord_root(w.chord_at(t)), in_full ? 1.5f : 0.6f, 0.5f);
        if (in_full)
            stab_chord(w, t, 0.1, 0.6f);
        break;
    case HitKind::wave:
        w.add(track_swell, t, 0.5 * wave_period, bass_root(w.chord_at(t)), 1.0f, 0.5f);
        break;
    case HitKind::blob_flip:
        w.add(track_clap, t, clap_decay, 0, 0.8f, 0.5f);
        stab_chord(w, t, 0.35, 0.5f);
        break;
    case HitKind::flash:
        w.add(track_crash, t, 3.0, 0, 1.0f, 1.0f);
        stab_chord(w, t, 0.6, 0.6f);
        break;
    }
}

// How loud each scene's music sits, in decibels: the choruses of scenes 6 and 8 on top, the blob
// flips (scene 5) and the column (scene 7) about 4 LU under them, the rest between, so that the show
// breathes. The hits the pictures need keep their full level over every scene.
constexpr float scene_levels_db[scene_table_size + 1] = {0.0f, -1.0f, -2.0f, -2.0f, -1.0f, -2.5f, 1.0f, -1.5f, 1.0f};

// Every note takes the level of the scene it starts in.
void apply_dynamics(Score& score)
{
    for (std::vector<Note>& track : score.tracks)
        for (Note& note : track) {
            int scene = int(std::upper_bound(scene_table, scene_table + scene_table_size, note.time) - scene_table);
            note.velocity *= std::pow(10.0f, scene_levels_db[scene] / 20.0f);
        }
}

}  // namespace

Score compose_score()
{
    const double* S = scene_table;
    Writer w;
    compose_tunnel(w, fitted(0.0, S[0]));
    compose_blobs(w, fitted(S[0], S[1]));
    compose_cube_intro(w, fitted(S[1], beat_start));
    // Locked to the cube: its last step falls a moment before the break, on the bar after these.
    compose_cube(w, {beat_start, beat_period, int((S[2] - beat_start) / beat_period)});
    compose_break(w, fitted(S[2], S[3]));
    compose_ring(w, fitted(S[3], S[4]));
    compose_flips(w, fitted(S[4], S[5]));
    compose_chorus(w, fitted(S[5], S[6]), 0.7f);
    compose_column(w, fitted(S[6], S[7]));
    compose_chorus(w, fitted(S[7], end_picture_start), 0.75f);
    compose_ending(w, {end_picture_start, nominal_bar, int(std::ceil((music_fade_end - end_picture_start) / nominal_bar))});
    apply_dynamics(w.score);
    std::vector<MusicHit> hits = music_hits();
    for (const MusicHit& hit : hits)
        arrange_around(w, hit.time);
    // One kick to a moment, and none for a hit just before another: a flam into the later one.
    constexpr double flam = 0.1;
    for (size_t i = 0; i < hits.size(); ++i) {
        bool shared = i > 0 && hits[i - 1].time == hits[i].time;
        double gap = i + 1 < hits.size() ? hits[i + 1].time - hits[i].time : flam;
        place_hit(w, hits[i], !shared && (gap == 0.0 || gap >= flam));
    }
    return w.score;
}
