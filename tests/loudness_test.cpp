// The whole soundtrack's loudness as a broadcast meter reads it (EBU R128, ffmpeg's ebur128 filter):
// the quiet scenes sit well under the loud ones, so the range is wide, and no peak comes near full
// scale. Slow: ffmpeg meters all four minutes.
#include "assets/data_directory.h"
#include "platform/mp3_decoder.h"
#include "show/demo.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

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

    Mp3Decoder decoder = open_mp3(path.c_str(), 44100);
    ASSERT_NE(decoder, nullptr);
    std::vector<short> pcm(1 << 16);
    long clipped = 0;
    for (int got; (got = read_mp3(decoder, reinterpret_cast<unsigned char*>(pcm.data()), int(pcm.size() * 2))) > 0;)
        for (int i = 0; i < got / 2; ++i)
            clipped += pcm[size_t(i)] == 32767 || pcm[size_t(i)] == -32768;
    close_mp3(decoder);
    std::printf("%ld samples at full scale\n", clipped);
    EXPECT_EQ(clipped, 0);
}

}  // namespace
