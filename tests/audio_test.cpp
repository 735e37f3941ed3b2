// The music stream on SDL's dummy audio driver (which consumes buffers in real time) and on its disk
// driver (which writes what the device would play to a file). The MP3 clips are the test clip of
// music_clip.h, at a variable bit rate, whose small frames lean furthest on the frames before them
// and whose frame offsets only a full index can find: the hard case for an exact seek.
#include "music_clip.h"
#include "show/audio.h"

#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;

constexpr int clip_seconds = 2;
constexpr int clip_frames = clip_seconds * audio_rate;
constexpr long clip_ms = clip_seconds * 1000;
constexpr int channels = 2;
constexpr auto patience = std::chrono::seconds(20);  // generous: only a hang exhausts it
constexpr auto poll_interval = milliseconds(2);
constexpr auto settle_time = milliseconds(150);      // several device buffers

fs::path clip_dir;

fs::path clip_path(const char* name) { return clip_dir / name; }

std::vector<short> read_samples(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<short> samples(bytes.size() / sizeof(short));
    std::memcpy(samples.data(), bytes.data(), samples.size() * sizeof(short));
    return samples;
}

long frames_to_ms_rounded_up(long frames) { return (frames * 1000 + audio_rate - 1) / audio_rate; }

bool wait_until(const std::function<bool()>& condition)
{
    auto give_up = std::chrono::steady_clock::now() + patience;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > give_up)
            return false;
        std::this_thread::sleep_for(poll_interval);
    }
    return true;
}

void settle() { std::this_thread::sleep_for(settle_time); }

// Largest difference between n stereo frames of a and b.
int largest_difference(const short* a, const short* b, int n)
{
    int largest = 0;
    for (int i = 0; i < n * channels; ++i)
        largest = std::max(largest, std::abs(a[i] - b[i]));
    return largest;
}

class AudioTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        std::string pattern = (fs::temp_directory_path() / "audio_test.XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        clip_dir = pattern;
        std::vector<unsigned char> clip = encode_mp3(test_signal(clip_frames));
        write_file(clip_path("clip.mp3"), clip);

        std::mt19937 random(1);
        std::vector<unsigned char> damaged = clip;
        for (size_t i = damaged.size() * 3 / 10; i < damaged.size() * 7 / 10; ++i)
            damaged[i] = static_cast<unsigned char>(random());
        write_file(clip_path("damaged.mp3"), damaged);

        std::vector<unsigned char> noise(50000);
        for (unsigned char& byte : noise)
            byte = static_cast<unsigned char>(random());
        write_file(clip_path("noise.mp3"), noise);

        std::string text = "This is a text file, not music.\n";
        write_file(clip_path("text.mp3"), std::vector<unsigned char>(text.begin(), text.end()));
        write_file(clip_path("empty.mp3"), {});
    }

    static void TearDownTestSuite() { fs::remove_all(clip_dir); }

    void SetUp() override
    {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        ASSERT_EQ(SDL_Init(0), 0);
    }

    void TearDown() override
    {
        audio_close();
        SDL_Quit();
    }

    static std::string clip() { return clip_path("clip.mp3").string(); }
};

TEST_F(AudioTest, OpensPausedPlaysStopsAndResumes)
{
    ASSERT_TRUE(audio_init(audio_rate));
    ASSERT_TRUE(music_open(clip().c_str()));
    settle();
    EXPECT_FALSE(music_is_playing());
    EXPECT_EQ(music_position_ms(), 0);

    music_play();
    EXPECT_TRUE(music_is_playing());
    EXPECT_TRUE(wait_until([] { return music_position_ms() > 0; }));

    music_stop();
    EXPECT_FALSE(music_is_playing());
    long stopped_at = music_position_ms();
    settle();
    EXPECT_EQ(music_position_ms(), stopped_at);

    music_play();
    EXPECT_TRUE(wait_until([stopped_at] { return music_position_ms() > stopped_at; }));
}

TEST_F(AudioTest, PlaysToTheExactEndThenSilence)
{
    ASSERT_TRUE(audio_init(audio_rate));
    ASSERT_TRUE(music_open(clip().c_str()));
    music_seek_ms(int(clip_ms) - 200);
    music_play();
    EXPECT_TRUE(wait_until([] { return music_position_ms() >= clip_ms; }));
    settle();
    EXPECT_EQ(music_position_ms(), clip_ms);
    EXPECT_TRUE(music_is_playing());
}

TEST_F(AudioTest, SeeksLandOnTheExactMillisecond)
{
    ASSERT_TRUE(audio_init(audio_rate));
    ASSERT_TRUE(music_open(clip().c_str()));
    music_seek_ms(1234);
    EXPECT_EQ(music_position_ms(), 1234);
    // Every whole millisecond reads back: the seek rounds down to a sample, the position rounds up.
    for (int ms = 0; ms < clip_ms; ++ms) {
        music_seek_ms(ms);
        ASSERT_EQ(music_position_ms(), ms);
    }
    music_seek_ms(-250);
    EXPECT_EQ(music_position_ms(), 0);

    // Past the end the device plays silence and the stream stays where it was sent.
    int past_end = int(clip_ms) + 500;
    music_seek_ms(past_end);
    music_play();
    settle();
    EXPECT_EQ(music_position_ms(), past_end);
    music_seek_ms(500);
    EXPECT_TRUE(wait_until([] { return music_position_ms() > 500; }));
}

// Fast-forward seeks on every frame while the audio thread keeps decoding.
TEST_F(AudioTest, SeekingOnEveryFrameWhilePlaying)
{
    ASSERT_TRUE(audio_init(audio_rate));
    ASSERT_TRUE(music_open(clip().c_str()));
    music_play();
    constexpr int seek_count = 1000;
    constexpr int ms_per_seek = 3;  // runs past the end of the clip
    for (int i = 0; i < seek_count; ++i) {
        music_seek_ms(i * ms_per_seek);
        ASSERT_GE(music_position_ms(), i * ms_per_seek);
        if (i % 100 == 0)
            std::this_thread::sleep_for(poll_interval);  // lets the audio thread decode between seeks
    }
    EXPECT_TRUE(music_is_playing());
    // A jump back from past the end: the audio thread takes a whole second to play 1000 ms.
    music_seek_ms(100);
    EXPECT_LT(music_position_ms(), 1100);
    EXPECT_TRUE(wait_until([] { return music_position_ms() > 100; }));
}

// The disk driver writes every buffer the device plays; after the seek the stream must be the clip
// from exactly the sought sample, as a straight decode of the whole file has it.
TEST_F(AudioTest, PlaysFromTheSoughtSample)
{
    fs::path played = clip_path("played.raw");
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", played.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "1", 1);  // milliseconds between buffers: faster than real time
    ASSERT_TRUE(audio_init(audio_rate));
    ASSERT_TRUE(music_open(clip().c_str()));
    constexpr int seek_ms = 1234;
    constexpr int seek_frame = seek_ms * audio_rate / 1000;  // 54419
    constexpr int compared_frames = 8192;
    music_seek_ms(seek_ms);
    music_play();
    EXPECT_TRUE(wait_until([] { return music_position_ms() >= seek_ms + 400; }));
    audio_close();

    std::vector<short> reference = decode_straight(clip_path("clip.mp3"));
    ASSERT_EQ(reference.size(), size_t(clip_frames) * channels);
    // The device wrote silent buffers while paused; the music starts on the first buffer that
    // is not silent.
    std::vector<short> output = read_samples(played);
    constexpr size_t buffer_samples = 1024 * channels;
    size_t start = 0;
    while (start + buffer_samples <= output.size()
           && std::all_of(output.begin() + long(start), output.begin() + long(start + buffer_samples),
                          [](short s) { return s == 0; }))
        start += buffer_samples;
    ASSERT_GE(output.size(), start + compared_frames * channels);

    const short* heard = output.data() + start;
    const short* expected = reference.data() + size_t(seek_frame) * channels;
    constexpr int decoder_noise = 2;         // allowance for the decoder restarting after a seek
    constexpr int one_sample_off = 200;      // what the tone alone changes in one sample
    EXPECT_LE(largest_difference(heard, expected, compared_frames), decoder_noise);
    EXPECT_GT(largest_difference(heard, expected - channels, compared_frames), one_sample_off);
    EXPECT_GT(largest_difference(heard, expected + channels, compared_frames), one_sample_off);
}

TEST_F(AudioTest, FilesThatAreNotMusicGiveSilence)
{
    ASSERT_TRUE(audio_init(audio_rate));
    for (const char* name : {"missing.mp3", "text.mp3", "noise.mp3", "empty.mp3"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(music_open(clip().c_str()));  // a failed open also drops the stream before it
        EXPECT_FALSE(music_open(clip_path(name).c_str()));
        music_play();
        EXPECT_FALSE(music_is_playing());
        music_seek_ms(1000);
        EXPECT_EQ(music_position_ms(), 0);
        music_stop();
    }
    audio_close();
    audio_close();
}

// Where the damage begins the decoder gives up; the device plays silence from there on, and a seek
// back brings the music back.
TEST_F(AudioTest, DamagedStreamFallsSilentWhereTheDamageBegins)
{
    fs::path damaged = clip_path("damaged.mp3");
    long intact_frames = long(decode_straight(damaged).size()) / channels;
    ASSERT_GT(intact_frames, 0);
    ASSERT_LT(intact_frames, clip_frames);
    long intact_ms = frames_to_ms_rounded_up(intact_frames);

    ASSERT_TRUE(audio_init(audio_rate));
    ASSERT_TRUE(music_open(damaged.c_str()));
    music_seek_ms(int(intact_ms) - 200);
    music_play();
    EXPECT_TRUE(wait_until([intact_ms] { return music_position_ms() >= intact_ms; }));
    settle();
    EXPECT_EQ(music_position_ms(), intact_ms);
    EXPECT_TRUE(music_is_playing());

    music_seek_ms(0);
    EXPECT_TRUE(wait_until([] { return music_position_ms() > 0; }));
}

// The bytes this process has read so far.
long long bytes_read()
{
    std::ifstream io("/proc/self/io");
    std::string field;
    long long count = 0;
    while (io >> field >> count && field != "rchar:") {
    }
    return count;
}

// Opening indexes the first minutes only: a file of many frames (here twenty minutes of them) is no
// slower to open than the show's own soundtrack.
TEST_F(AudioTest, OpeningReadsOnlyTheFirstMinutes)
{
    std::vector<unsigned char> clip = encode_mp3(test_signal(20 * audio_rate)), long_file;
    for (int i = 0; i < 60; ++i)
        long_file.insert(long_file.end(), clip.begin(), clip.end());
    write_file(clip_path("long.mp3"), long_file);
    long long before = bytes_read();
    ASSERT_TRUE(music_open(clip_path("long.mp3").c_str()));
    EXPECT_LT(bytes_read() - before, (long long)long_file.size() / 3);
}

TEST_F(AudioTest, StopAndCloseAreSafeAtAnyTime)
{
    music_play();
    music_seek_ms(1000);
    music_stop();
    audio_close();
    EXPECT_FALSE(music_is_playing());
    EXPECT_EQ(music_position_ms(), 0);

    ASSERT_TRUE(audio_init(audio_rate));
    ASSERT_TRUE(music_open(clip().c_str()));
    music_play();
    music_stop();
    music_stop();
    audio_close();
    audio_close();

    // ESC and SPACE on the same frame: the clock still seeks after the music is closed.
    music_seek_ms(5000);
    music_play();
    EXPECT_FALSE(music_is_playing());
    EXPECT_EQ(music_position_ms(), 0);
}

TEST_F(AudioTest, WithoutADeviceTheShowIsSilent)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    EXPECT_FALSE(audio_init(audio_rate));
    EXPECT_TRUE(music_open(clip().c_str()));
    music_play();
    EXPECT_FALSE(music_is_playing());
    music_seek_ms(1234);
    EXPECT_EQ(music_position_ms(), 1234);
    music_stop();
    audio_close();
    audio_close();
}

}  // namespace
