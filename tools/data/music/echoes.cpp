// The soundtrack's two shared effects: a ping-pong delay and a room reverb, each fed by a mono send
// and adding its stereo output to the mix.
#include <array>
#include <thread>

#include "dsp.h"

namespace {

// The reverb's comb and allpass lengths in samples at 44100 Hz, mutually prime so that their
// echoes never line up; the right side's are a little longer, which makes the two sides differ.
constexpr std::array<int, 8> comb_lengths = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
constexpr std::array<int, 4> allpass_lengths = {556, 441, 341, 225};
constexpr int right_side_offset = 23;
constexpr float comb_feedback = 0.84f;   // how long the room rings
constexpr float comb_damping = 0.25f;    // how much duller each pass gets
constexpr float allpass_feedback = 0.5f;
constexpr float reverb_input_gain = 0.03f;

// A feedback comb whose loop passes through a one-pole low-pass.
struct Comb {
    std::vector<float> line;
    size_t position = 0;
    float damped = 0.0f;

    explicit Comb(int length) : line(size_t(length), 0.0f) {}
    float step(float x)
    {
        float out = line[position];
        damped = out * (1.0f - comb_damping) + damped * comb_damping;
        line[position] = x + damped * comb_feedback;
        position = position + 1 == line.size() ? 0 : position + 1;
        return out;
    }
};

// Spreads each echo into many without colouring the sound.
struct Allpass {
    std::vector<float> line;
    size_t position = 0;

    explicit Allpass(int length) : line(size_t(length), 0.0f) {}
    float step(float x)
    {
        float delayed = line[position];
        line[position] = x + delayed * allpass_feedback;
        position = position + 1 == line.size() ? 0 : position + 1;
        return delayed - x;
    }
};

void add_reverb_side(const std::vector<float>& send, int offset, std::vector<float>& out)
{
    std::vector<Comb> combs;
    for (int length : comb_lengths)
        combs.emplace_back(length + offset);
    std::vector<Allpass> allpasses;
    for (int length : allpass_lengths)
        allpasses.emplace_back(length + offset);
    for (size_t i = 0; i < send.size(); ++i) {
        float x = send[i] * reverb_input_gain;
        float wet = 0.0f;
        for (Comb& comb : combs)
            wet += comb.step(x);
        for (Allpass& allpass : allpasses)
            wet = allpass.step(wet);
        out[i] += wet;
    }
}

}  // namespace

void add_ping_pong_delay(const std::vector<float>& send, double delay_seconds, float feedback,
                         std::vector<float>& left, std::vector<float>& right)
{
    constexpr float dulling = 0.35f;  // the one-pole low-pass in the loop
    size_t length = size_t(to_samples(delay_seconds));
    std::vector<float> left_line(length, 0.0f), right_line(length, 0.0f);
    float left_damped = 0.0f, right_damped = 0.0f;
    size_t position = 0;
    for (size_t i = 0; i < send.size(); ++i) {
        float left_out = left_line[position];
        float right_out = right_line[position];
        left_damped += dulling * (left_out - left_damped);
        right_damped += dulling * (right_out - right_damped);
        // The send enters on the left; each side's echo feeds the other.
        left_line[position] = send[i] + feedback * right_damped;
        right_line[position] = feedback * left_damped;
        left[i] += left_out;
        right[i] += right_out;
        position = position + 1 == length ? 0 : position + 1;
    }
}

void add_reverb(const std::vector<float>& send, std::vector<float>& left, std::vector<float>& right)
{
    // The two sides share nothing but the send: one of them runs on a thread of its own.
    std::thread right_side([&] { add_reverb_side(send, right_side_offset, right); });
    add_reverb_side(send, 0, left);
    right_side.join();
}
