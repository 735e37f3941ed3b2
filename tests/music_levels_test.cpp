// How the soundtrack in data/ lands where the pictures hit hardest: decoded straight from the file,
// the closing flash lifts the music, the cube's steps stand out from the other beats of their bars,
// and the break after the last step arrives as a downbeat of its own. And the whole soundtrack's
// loudness as a broadcast meter reads it (EBU R128, ffmpeg's ebur128 filter; slow): the quiet scenes
// sit well under the loud ones, so the range is wide, and no peak comes near full scale.
#include "assets/data_directory.h"
#include "platform/mp3_decoder.h"
#include "show/demo.h"
#include "show/music_hits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int rate = 44100;

// The mono level of the music over [from, from + seconds), in dB of full scale (RMS).
class Levels {
public:
    Levels() : decoder_(open_mp3(data_file(music_file).c_str(), rate)) {}
    ~Levels() { close_mp3(decoder_); }
    bool opened() const { return decoder_ != nullptr; }

    double rms_db(double from, double seconds)
    {
        const int frames = int(std::lround(seconds * rate));
        std::vector<short> pcm(size_t(frames) * mp3_channel_count);
        seek_mp3(decoder_, off_t(std::lround(from * rate)));
        int got = read_mp3(decoder_, reinterpret_cast<unsigned char*>(pcm.data()), frames * mp3_bytes_per_frame);
        double sum = 0.0;
        for (int i = 0; i < got / mp3_bytes_per_frame; ++i) {
            double mono = (pcm[size_t(2 * i)] + pcm[size_t(2 * i + 1)]) / 65536.0;
            sum += mono * mono;
        }
        return 10.0 * std::log10(sum / frames + 1e-20);
    }

private:
    Mp3Decoder decoder_;
};

// The number after `label` in the meter's summary, which ends its report.
double summary_value(const std::string& report, const std::string& label)
{
    size_t summary = report.rfind("Summary:");
    size_t at = summary == std::string::npos ? summary : report.find(label, summary);
    if (at == std::string::npos)
        return NAN;
    return std::strtod(report.c_str() + at + label.size(), nullptr);
}

std::string meter_report(const std::string& path)
{
    std::string command = "ffmpeg -nostats -hide_banner -i '" + path + "' -af ebur128=peak=true -f null - 2>&1";
    std::string report;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            report.append(buffer, got);
        pclose(pipe);
    }
    return report;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : 0.5 * (values[n / 2 - 1] + values[n / 2]);
}

// The white flash of the closing scene: the 0.4 s after it at least 6 dB above the 0.4 s before.
TEST(MusicLevels, TheClosingFlashLiftsTheMusic)
{
    Levels levels;
    ASSERT_TRUE(levels.opened());
    constexpr double window = 0.4;
    const double flash = scene_start(closing_scene);
    double lift = levels.rms_db(flash, window) - levels.rms_db(flash - window, window);
    std::printf("the closing flash lifts the music by %.1f dB\n", lift);
    EXPECT_GE(lift, 6.0);
}

// Each step of the cube is a beat of its own bar: the first 60 ms after it, by the median over the
// steps, at least 3 dB above the mean level of the first 60 ms after the bar's other three beats. The break's downbeat
// just after the last step stands out as clearly from the step before it.
TEST(MusicLevels, TheCubeStepsAndTheBreakStandOut)
{
    Levels levels;
    ASSERT_TRUE(levels.opened());
    constexpr double attack = 0.06;
    std::vector<double> accents;
    double last_step = 0.0;
    for (const MusicHit& hit : music_hits()) {
        if (hit.kind != HitKind::cube_step)
            continue;
        double others = 0.0;
        for (int beat = 1; beat < 4; ++beat)
            others += levels.rms_db(hit.time + beat * beat_period / 4, attack) / 3.0;
        accents.push_back(levels.rms_db(hit.time, attack) - others);
        last_step = hit.time;
    }
    ASSERT_EQ(accents.size(), 21u);
    const double break_start = scene_table[2];
    ASSERT_LT(break_start - last_step, attack + 0.01);
    double arrival = levels.rms_db(break_start, attack) - levels.rms_db(last_step, break_start - last_step);
    std::printf("the steps stand %.1f dB above the other beats, the break %.1f dB above the last step\n",
                median(accents), arrival);
    EXPECT_GE(median(accents), 3.0);
    EXPECT_GE(arrival, 3.0);
}

TEST(Loudness, TheRangeIsWideAndThePeaksStayUnderFullScale)
{
    const std::string path = data_file(music_file);
    const std::string report = meter_report(path);
    double range = summary_value(report, "LRA:");
    double true_peak = summary_value(report, "Peak:");
    ASSERT_FALSE(std::isnan(range) || std::isnan(true_peak)) << report;
    std::printf("loudness range %.1f LU, true peak %.1f dBFS\n", range, true_peak);
    EXPECT_GE(range, 6.0);
    EXPECT_LT(true_peak, -0.5);

    Mp3Decoder decoder = open_mp3(path.c_str(), rate);
    ASSERT_NE(decoder, nullptr);
    std::vector<short> pcm(1 << 16);
    long clipped = 0;
    const int bytes = int(pcm.size() * sizeof(short));
    for (int got; (got = read_mp3(decoder, reinterpret_cast<unsigned char*>(pcm.data()), bytes)) > 0;)
        for (int i = 0; i < got / int(sizeof(short)); ++i)
            clipped += pcm[size_t(i)] == 32767 || pcm[size_t(i)] == -32768;
    close_mp3(decoder);
    std::printf("%ld samples at full scale\n", clipped);
    EXPECT_EQ(clipped, 0);
}

}  // namespace
