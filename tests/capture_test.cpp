// The capture tool run as a user runs it, in a scratch directory: frame and sample counts of a range,
// two captures alike to the pixel, the soundtrack cut to the sample, the contact sheet, and every
// refusal leaving nothing behind.
#include "music_clip.h"
#include "show/audio.h"

#include <gtest/gtest.h>

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int width = 640;
constexpr int height = 480;
constexpr int clip_seconds = 3;

struct Outcome {
    int status;
    std::string errors;  // standard error
};

struct Picture {
    unsigned width = 0, height = 0;
    std::vector<unsigned char> rgba;
};

Picture read_png(const fs::path& path)
{
    Picture picture;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return picture;
    image.format = PNG_FORMAT_RGBA;
    picture.width = image.width;
    picture.height = image.height;
    picture.rgba.resize(PNG_IMAGE_SIZE(image));
    png_image_finish_read(&image, nullptr, picture.rgba.data(), 0, nullptr);
    return picture;
}

std::string output_of(const std::string& command)
{
    std::string text;
    if (std::FILE* pipe = popen(command.c_str(), "r")) {
        char chunk[65536];
        for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;)
            text.append(chunk, got);
        pclose(pipe);
    }
    return text;
}

std::string read_bytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every case works in its own directory, with standard error kept beside it.
class CaptureTool : public testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "capture_test.XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root = pattern;
        work = root / "work";
        fs::create_directory(work);
    }
    void TearDown() override { fs::remove_all(root); }

    // The show's pictures and meshes, and a three-second test clip as its music, in work/data.
    void give_data_with_clip()
    {
        fs::create_directory(work / "data");
        for (const auto& entry : fs::directory_iterator("data"))
            if (entry.path().extension() != ".mp3")
                fs::create_symlink(fs::absolute(entry.path()), work / "data" / entry.path().filename());
        write_file(work / "data/dot.mp3", encode_mp3(test_signal(clip_seconds * audio_rate)));
    }

    // Runs the shell command in work/; what it writes on standard error is kept in errors.txt.
    Outcome shell(const std::string& command)
    {
        int status = std::system(("cd " + work.string() + " && " + command).c_str());
        return {WEXITSTATUS(status), read_bytes(root / "errors.txt")};
    }

    std::string tool_command(const std::string& arguments)
    {
        return std::string(capture_tool) + " " + arguments + " >/dev/null 2>" + (root / "errors.txt").string();
    }

    Outcome capture(const std::string& arguments, const std::string& environment = "")
    {
        return shell(environment + " " + tool_command(arguments));
    }

    // The files in work/ apart from the data.
    std::vector<std::string> outputs()
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(work))
            if (entry.path().string().find("/work/data") == std::string::npos)
                names.push_back(entry.path().lexically_relative(work).string());
        return names;
    }

    fs::path root, work;
};

long long video_frame_count(const fs::path& video)
{
    return std::atoll(output_of("ffprobe -v error -count_frames -select_streams v:0 -show_entries "
                                "stream=nb_read_frames -of csv=p=0 " + video.string()).c_str());
}

std::string frame_hashes(const fs::path& video)
{
    return output_of("ffmpeg -v error -i " + video.string() + " -map 0:v -f framemd5 -");
}

// The sample frames of a 16-bit stereo WAV file, checking its header on the way.
std::vector<short> wav_samples(const fs::path& path)
{
    std::string bytes = read_bytes(path);
    if (bytes.size() < 44 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 8, "WAVEfmt ") != 0)
        return {};
    uint32_t data_bytes;
    std::memcpy(&data_bytes, &bytes[40], 4);
    EXPECT_EQ(data_bytes, bytes.size() - 44);
    std::vector<short> samples((bytes.size() - 44) / 2);
    std::memcpy(samples.data(), &bytes[44], samples.size() * 2);
    return samples;
}

// A range at an exact and at a fractional rate: the frames of the video and of the PNG folder
// number the range times the rate, the WAV is the music's very samples over the same frames, and
// a second capture gives the same pixels and the same video.
TEST_F(CaptureTool, RangesAreFrameAndSampleExactAndRepeatable)
{
    give_data_with_clip();
    std::vector<short> music = decode_straight(work / "data/dot.mp3");
    ASSERT_EQ(music.size(), size_t(clip_seconds) * audio_rate * 2);
    struct Case {
        const char* range;
        long long frames, first_sample, samples;
    };
    const Case cases[] = {
        {"--from 1 --to 1.5 --fps 30 --toggle B@1.2 --toggle j@1.3", 15, 44100, 22050},
        // 29.97 frames rounded to 30; 30 × 1001/60000 s from 0.5005 s
        {"--from 0.5 --to 1 --fps 60000/1001", 30, 22072, 22072},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.range);
        for (const char* run : {"a", "b"}) {
            std::string r = run;
            Outcome result = capture("--out " + r + ".mp4 --png " + r + " --wav " + r + ".wav " + c.range);
            ASSERT_EQ(result.status, 0) << result.errors;
            EXPECT_EQ(video_frame_count(work / (r + ".mp4")), c.frames);
            EXPECT_EQ(std::distance(fs::directory_iterator(work / r), fs::directory_iterator()), c.frames);
            std::vector<short> cut = wav_samples(work / (r + ".wav"));
            ASSERT_EQ(cut.size(), size_t(c.samples) * 2);
            EXPECT_TRUE(std::equal(cut.begin(), cut.end(), music.begin() + c.first_sample * 2));
        }
        for (long long n = 0; n < c.frames; ++n) {
            char name[32];
            std::snprintf(name, sizeof name, "%06lld.png", n);
            Picture a = read_png(work / "a" / name);
            ASSERT_EQ(a.width, unsigned(width)) << name;
            EXPECT_TRUE(a.rgba == read_png(work / "b" / name).rgba) << name;
        }
        EXPECT_EQ(frame_hashes(work / "a.mp4"), frame_hashes(work / "b.mp4"));

        // The video's first frame is the PNG's, upright and in its colours, but for the encoding.
        std::string decoded = output_of("ffmpeg -v error -i " + (work / "a.mp4").string()
                                        + " -frames:v 1 -f rawvideo -pix_fmt rgb24 -");
        ASSERT_EQ(decoded.size(), size_t(width) * height * 3);
        Picture first = read_png(work / "a/000000.png");
        double difference = 0;
        for (size_t i = 0; i < size_t(width) * height; ++i)
            for (int k = 0; k < 3; ++k)
                difference += std::abs(int(first.rgba[i * 4 + k]) - int((unsigned char)decoded[i * 3 + k]));
        EXPECT_LT(difference / (width * height * 3), 4.0);
        for (const std::string& name : outputs())
            EXPECT_EQ(name.find(".part"), std::string::npos) << name;
        fs::remove_all(work / "a");
        fs::remove_all(work / "b");
    }
}

// --at keeps working: single moments named by the millisecond, the frames before them drawn at the
// step; and the contact sheet lays a labelled frame of every scene (at 2 frames per second, quick).
TEST_F(CaptureTool, MomentsAndContactSheet)
{
    Outcome result = capture("--png frames --at 2.5,0.25 --step 0.5 --contact-sheet sheet.png --fps 2");
    ASSERT_EQ(result.status, 1) << "--fps does not go with --at";
    result = capture("--png frames --at 2.5,0.25 --step 0.5");
    ASSERT_EQ(result.status, 0) << result.errors;
    for (const char* name : {"frames/000250.png", "frames/002500.png"})
        EXPECT_EQ(read_png(work / name).width, unsigned(width)) << name;

    result = capture("--contact-sheet sheet.png --fps 2");
    ASSERT_EQ(result.status, 0) << result.errors;
    Picture sheet = read_png(work / "sheet.png");
    constexpr int columns = 3, gap = 8, thumb_width = width / 2, thumb_height = height / 2, label_height = 26;
    ASSERT_EQ(sheet.width, unsigned(gap + columns * (thumb_width + gap)));
    ASSERT_EQ(sheet.height, unsigned(gap + 3 * (thumb_height + label_height + gap)));
    // Each cell: a frame that is not one flat colour, and light lettering under it.
    for (int scene = 0; scene < 9; ++scene) {
        int left = gap + scene % columns * (thumb_width + gap);
        int top = gap + scene / columns * (thumb_height + label_height + gap);
        auto pixel = [&](int x, int y) { return &sheet.rgba[(size_t(y) * sheet.width + x) * 4]; };
        int distinct = 0, lettering = 0;
        for (int y = 0; y < thumb_height; ++y)
            for (int x = 0; x < thumb_width; ++x)
                distinct += std::memcmp(pixel(left + x, top + y), pixel(left, top), 3) != 0;
        for (int y = top + thumb_height; y < top + thumb_height + label_height; ++y)
            for (int x = left; x < left + thumb_width; ++x)
                lettering += pixel(x, y)[0] > 200;
        EXPECT_GT(distinct, thumb_width * thumb_height / 4) << "scene " << scene;
        EXPECT_GT(lettering, 50) << "scene " << scene;
    }
}

// With --at, --step sets the times of the frames drawn before a moment, over which the tunnel's turn
// accumulates: the moment at a step of a quarter second is the frame of a range at four frames a
// second, and not the one drawn at the default step.
TEST_F(CaptureTool, StepSetsTheTimesOfTheFramesBeforeAMoment)
{
    ASSERT_EQ(capture("--png quarter --at 10 --step 0.25").status, 0);
    ASSERT_EQ(capture("--png range --from 10 --to 10.25 --fps 4").status, 0);
    ASSERT_EQ(capture("--png sixtieth --at 10").status, 0);
    Picture moment = read_png(work / "quarter/010000.png");
    ASSERT_EQ(moment.width, unsigned(width));
    EXPECT_TRUE(moment.rgba == read_png(work / "range/000000.png").rgba);
    EXPECT_FALSE(moment.rgba == read_png(work / "sixtieth/010000.png").rgba);
}

// Each refusal is one line on standard error and status 1, before any work, and leaves no file.
TEST_F(CaptureTool, RefusesWithOneLineAndLeavesNothing)
{
    const char* refused[][2] = {
        {"", ""},
        {"--out x.mp4 --fast", ""},
        {"--out x.mp4 --fps", ""},
        {"--out x.mp4 --fps 0", ""},
        {"--out x.mp4 --fps 30/0", ""},
        {"--out x.mp4 --fps 2997/", ""},
        {"--out x.mp4 --fps 5000", ""},
        {"--out x.mp4 --from 5 --to 3", ""},
        {"--out x.mp4 --from 2 --to 2.001", ""},
        {"--out x.mp4 --to 241", ""},
        {"--out x.mp4 --from -1", ""},
        {"--out x.mp4 --toggle X@5", ""},
        {"--out x.mp4 --toggle B@", ""},
        {"--out x.mp4 --step 0.5", ""},
        {"--png frames --at 1,,2", ""},
        {"--png frames --at 1 --out x.mp4", ""},
        {"--out missing/x.mp4", ""},
        {"--png /proc/forbidden --at 1", ""},
        {"--contact-sheet /proc/sheet.png", ""},
        {"--out x.mp4", "PATH=/nonexistent"},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c[0]);
        Outcome result = capture(c[0], c[1]);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.errors.find('\n'), result.errors.size() - 1) << result.errors;
        EXPECT_TRUE(outputs().empty());
    }
    EXPECT_NE(capture("--out x.mp4", "PATH=/nonexistent").errors.find("ffmpeg"), std::string::npos);
}

// Each entry of work/ (the data aside) as the user finds it: its name, then "/" for a folder, "@" for
// a symbolic link, "|" for a FIFO, and for a regular file "=" and what it holds.
std::vector<std::string> listing(const fs::path& work)
{
    std::vector<std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(work)) {
        std::string name = entry.path().lexically_relative(work).string();
        if (name.rfind("data", 0) == 0)
            continue;
        fs::file_status status = fs::symlink_status(entry.path());
        if (fs::is_symlink(status))
            name += "@";
        else if (fs::is_directory(status))
            name += "/";
        else if (fs::is_fifo(status))
            name += "|";
        else {
            std::string head = read_bytes(entry.path()).substr(0, 8);
            name += head.rfind("RIFF", 0) == 0 ? "=wav"
                : head.rfind("\x89PNG", 0) == 0 ? "=png"
                : head.size() == 8 && head.compare(4, 4, "ftyp") == 0 ? "=mp4"
                                                                      : "=text";
        }
        entries.push_back(name);
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

// What each output is, and what is left when a capture fails: a name that is not a new one or a
// regular file is refused before any work, and left as it was; a link to a file is written through;
// an output that cannot be made (two --at moments with one name, a name ffmpeg knows no container
// for, a folder holding earlier frames) is refused at once and leaves nothing; a rate that would
// overflow is refused, a step longer than the show is not; ffmpeg killed is named as such; music
// shorter than the range is said. Two captures to one name at once leave one whole video.
TEST_F(CaptureTool, OutputsAreWholeOrAbsentAndRefusedBeforeAnyWork)
{
    struct Case {
        const char* setup;
        const char* arguments;
        int status;
        const char* message;  // a part of the one line on standard error
        std::vector<std::string> left;
    } cases[] = {
        {"ln -s /dev/null null.wav", "--wav null.wav --to 0.5", 1, "not a regular file", {"null.wav@"}},
        {"mkfifo fifo.wav", "--wav fifo.wav --to 0.5", 1, "not a regular file", {"fifo.wav|"}},
        {"echo old > target.wav && ln -s target.wav link.wav", "--wav link.wav --to 0.5", 0, "",
         {"link.wav@", "target.wav=wav"}},
        {"", "--png pp --at 3,5,5.0004,7 --step 1", 1, "both be 005000.png", {}},
        {"mkdir adir.wav", "--out ok.mp4 --wav adir.wav --to 0.1", 1, "adir.wav: a folder", {"adir.wav/"}},
        {"", "--out noext --to 0.1", 1, "cannot make the video noext", {}},
        {"", "--out vids/ --to 0.1", 1, "not a file name", {}},
        {"", "--out x.mp4.tmp --to 0.1", 1, "cannot make the video x.mp4.tmp", {}},
        {"echo x > afile", "--png afile --to 0.1", 1, "afile: not a folder", {"afile=text"}},
        {"mkdir old && touch old/000000.png old/000007.png", "--png old --to 0.05", 1, "give --overwrite",
         {"old/", "old/000000.png=text", "old/000007.png=text"}},
        {"mkdir old && touch old/000000.png old/000007.png notes", "--png old --to 0.05 --overwrite", 0, "",
         {"notes=text", "old/", "old/000000.png=png", "old/000001.png=png", "old/000002.png=png"}},
        {"", "--out x.mp4 --fps 0.00000001/999999999", 1, "no frame lies between 0 and 240 s", {}},
        {"", "--png s --at 240 --step 999999999", 0, "", {"s/", "s/240000.png=png"}},
        {"mkdir bin && printf '#!/bin/sh\\nkill -9 $$\\n' > bin/ffmpeg && chmod +x bin/ffmpeg && export PATH=$PWD/bin:$PATH",
         "--out k.mp4 --to 0.1", 1, "ffmpeg was killed by signal 9", {"bin/", "bin/ffmpeg=text"}},
        {"", "--wav w.wav --from 2 --to 4", 0, "ends at 3.000 s: the soundtrack is silent from there", {"w.wav=wav"}},
    };
    give_data_with_clip();
    auto clear_work = [this] {
        for (const std::string& name : listing(work))
            fs::remove_all(work / name.substr(0, name.find_first_of("/@|=")));
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.setup) + " / " + c.arguments);
        clear_work();
        Outcome result = shell(std::string("{ ") + c.setup + (*c.setup ? "; " : "") + tool_command(c.arguments) + "; }");
        EXPECT_EQ(result.status, c.status) << result.errors;
        EXPECT_NE(result.errors.find(c.message), std::string::npos) << result.errors;
        if (c.status != 0) {
            EXPECT_EQ(result.errors.find('\n'), result.errors.size() - 1) << result.errors;
        }
        EXPECT_EQ(listing(work), c.left);
    }

    clear_work();
    Outcome both = shell("{ " + tool_command("--out s.mp4 --to 1") + " & " + tool_command("--out s.mp4 --to 0.5")
                         + " && wait $! ; }");
    EXPECT_EQ(both.status, 0) << both.errors;
    EXPECT_EQ(listing(work), std::vector<std::string>({"s.mp4=mp4"}));
    long long frames = video_frame_count(work / "s.mp4");
    EXPECT_TRUE(frames == 30 || frames == 60) << frames << " frames";
}

// ffmpeg failing and a capture interrupted end with status 1 and one line, and
// leave neither the output nor its partial file.
TEST_F(CaptureTool, FailedAndInterruptedCapturesLeaveNothing)
{
    give_data_with_clip();
    Outcome failed = capture("--out x.nosuchformat --wav x.wav --to 0.5");
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.errors.find("ninescenes-capture: cannot make the video x.nosuchformat: ffmpeg failed"), 0u)
        << failed.errors;
    EXPECT_EQ(failed.errors.find('\n'), failed.errors.size() - 1) << failed.errors;
    EXPECT_TRUE(outputs().empty());

    // Stopped while it draws (its folder of frames exists from the start).
    Outcome interrupted = shell("{ " + tool_command("--out x.mp4 --png frames --to 60") + " & pid=$!; "
                            "for i in $(seq 1 300); do [ -e frames/.part-* ] && break; sleep 0.1; done; sleep 2; "
                            "kill -TERM $pid; wait $pid; }");
    EXPECT_EQ(interrupted.status, 1);
    EXPECT_NE(interrupted.errors.find("interrupted"), std::string::npos) << interrupted.errors;
    fs::remove(work / "frames");
    EXPECT_TRUE(outputs().empty());
}

}  // namespace
