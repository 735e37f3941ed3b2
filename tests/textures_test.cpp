// Pictures: the pixel conversions, the backdrop layouts, and what bad files do to the show.
#include "assets/data_directory.h"
#include "assets/jpeg.h"
#include "assets/textures.h"
#include "jpeg_encoder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

static int alpha_of(uint32_t texel) { return texel_channel(texel, 3); }

TEST(TextureConversion, LightMapAlphaFollowsRedDistanceFromGrey)
{
    EXPECT_EQ(alpha_of(convert_texel(TexelConversion::alpha_from_red, 0, 9, 9)), 255);
    EXPECT_EQ(alpha_of(convert_texel(TexelConversion::alpha_from_red, 255, 9, 9)), 255);
    EXPECT_EQ(alpha_of(convert_texel(TexelConversion::alpha_from_red, 127, 9, 9)), 1);
    EXPECT_EQ(alpha_of(convert_texel(TexelConversion::alpha_from_red, 128, 9, 9)), 1);
    uint32_t texel = convert_texel(TexelConversion::alpha_from_red, 10, 20, 30);
    EXPECT_EQ(texel_channel(texel, 0), 10);
    EXPECT_EQ(texel_channel(texel, 1), 20);
    EXPECT_EQ(texel_channel(texel, 2), 30);
}

TEST(TextureConversion, TitleTextIsGreyFromGreenAndClearWhereBlue)
{
    uint32_t texel = convert_texel(TexelConversion::grey_from_green, 10, 200, 255);
    EXPECT_EQ(texel_channel(texel, 0), 200);
    EXPECT_EQ(texel_channel(texel, 1), 200);
    EXPECT_EQ(texel_channel(texel, 2), 200);
    EXPECT_EQ(alpha_of(texel), 0);
    EXPECT_EQ(alpha_of(convert_texel(TexelConversion::grey_from_green, 0, 0, 0)), 255);
}

TEST(TextureConversion, OtherConversionsAreOpaqueAndSwappedExchangesRedAndBlue)
{
    for (TexelConversion conversion : {TexelConversion::plain_rgb, TexelConversion::black_mask}) {
        uint32_t texel = convert_texel(conversion, 1, 2, 3);
        EXPECT_EQ(texel_channel(texel, 0), 1);
        EXPECT_EQ(alpha_of(texel), 255);
    }
    uint32_t swapped = convert_texel(TexelConversion::swapped_rgb, 1, 2, 3);
    EXPECT_EQ(texel_channel(swapped, 0), 3);
    EXPECT_EQ(texel_channel(swapped, 2), 1);
}

TEST(TextureConversion, BorderMaskIsBlackWithInverseGreenOpacity)
{
    uint32_t dark = convert_backdrop_texel(TexelConversion::black_mask, 200, 0, 200);
    EXPECT_EQ(texel_channel(dark, 0), 0);
    EXPECT_EQ(texel_channel(dark, 1), 0);
    EXPECT_EQ(texel_channel(dark, 2), 0);
    EXPECT_EQ(alpha_of(dark), 255);
    EXPECT_EQ(alpha_of(convert_backdrop_texel(TexelConversion::black_mask, 0, 255, 0)), 0);
    EXPECT_EQ(alpha_of(convert_backdrop_texel(TexelConversion::alpha_from_red, 0, 128, 0)), 255) << "backdrops have no light-map mode";
    EXPECT_EQ(texel_channel(convert_backdrop_texel(TexelConversion::plain_rgb, 7, 8, 9), 2), 9);
}

TEST(BackdropLayout, TextureSizesFollowTheLongSide)
{
    PictureSize narrow = backdrop_texture_size(1024, PictureLayout::wide_backdrop);
    EXPECT_EQ(narrow.width, 1024);
    EXPECT_EQ(narrow.height, 512);
    EXPECT_EQ(backdrop_texture_size(1025, PictureLayout::wide_backdrop).width, 2048);
    EXPECT_EQ(backdrop_texture_size(2048, PictureLayout::wide_backdrop).width, 2048);
    EXPECT_EQ(backdrop_texture_size(640, PictureLayout::wide_backdrop).width, 1024);
    PictureSize tall = backdrop_texture_size(2000, PictureLayout::tall_backdrop);
    EXPECT_EQ(tall.width, 1024);
    EXPECT_EQ(tall.height, 2048);
    PictureSize picture = backdrop_picture_size(2000, PictureLayout::tall_backdrop);
    EXPECT_EQ(picture.width, 640);
    EXPECT_EQ(picture.height, 2000);
    EXPECT_EQ(backdrop_picture_size(1024, PictureLayout::wide_backdrop).height, 480);
}

// Bad pictures: each case runs in a scratch directory, since the decoder appends to ./jpeg.err.
class BadPictures : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/ninescenes-pictures-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        scratch = pattern;
        ASSERT_NE(getcwd(home, sizeof home), nullptr);
        ASSERT_EQ(chdir(scratch.c_str()), 0);
    }
    void TearDown() override
    {
        EXPECT_EQ(chdir(home), 0);
        std::string command = "rm -rf " + scratch;
        EXPECT_EQ(std::system(command.c_str()), 0);
    }
    static int log_lines()
    {
        std::ifstream log(jpeg_log_path);
        int lines = 0;
        for (std::string line; std::getline(log, line);)
            ++lines;
        return lines;
    }
    std::string scratch;
    char home[4096];
};

// A picture of a gentle diagonal pattern as JPEG bytes, baseline or progressive.
static std::string patterned_jpeg(int width, int height, int components, bool progressive = false)
{
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * components);
    const size_t row_bytes = static_cast<size_t>(width) * components;
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<unsigned char>(40 + (i % row_bytes + i / row_bytes) % 100);
    return encode_jpeg(pixels, width, height, {components == 1 ? JCS_GRAYSCALE : JCS_RGB, progressive});
}

static void write_file(const char* path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

static void write_jpeg(const char* path, int width, int height, int components, bool truncate = false)
{
    std::string bytes = patterned_jpeg(width, height, components);
    write_file(path, truncate ? bytes.substr(0, bytes.size() * 3 / 4) : bytes);
}

// The same picture with a frame header claiming another size.
static std::string claiming_size(std::string bytes, int width, int height)
{
    size_t frame = bytes.find("\xFF\xC2");
    if (frame == std::string::npos)
        frame = bytes.find("\xFF\xC0");
    bytes[frame + 5] = static_cast<char>(height >> 8);
    bytes[frame + 6] = static_cast<char>(height);
    bytes[frame + 7] = static_cast<char>(width >> 8);
    bytes[frame + 8] = static_cast<char>(width);
    return bytes;
}

// The same progressive picture with its last scan repeated before the end marker.
static std::string repeating_last_scan(std::string bytes, int repeats)
{
    size_t last_scan = bytes.rfind("\xFF\xDA");
    std::string scan = bytes.substr(last_scan, bytes.size() - 2 - last_scan);
    std::string repeated;
    for (int i = 0; i < repeats; ++i)
        repeated += scan;
    return bytes.insert(bytes.size() - 2, repeated);
}

TEST_F(BadPictures, MissingFileEndsTheShowWithAMessageAndNoLog)
{
    EXPECT_EXIT(load_texture("data/absent.jpg", 3, TexelConversion::plain_rgb, Mipmaps::one_level), ::testing::ExitedWithCode(1), "data/absent.jpg");
    EXPECT_EQ(access(jpeg_log_path, F_OK), -1);
}

TEST_F(BadPictures, NotAJpegAppendsOneLogLinePerRun)
{
    std::ofstream("notes.jpg") << "this is a text file, not a picture\n";
    int width, height;
    EXPECT_EXIT(load_jpeg("notes.jpg", &width, &height), ::testing::ExitedWithCode(1), "JPEG");
    EXPECT_EQ(log_lines(), 1);
    EXPECT_EXIT(load_jpeg("notes.jpg", &width, &height), ::testing::ExitedWithCode(1), "JPEG");
    EXPECT_EQ(log_lines(), 2);
}

// Each crafted file is refused at once with one line naming it; a child that is still decoding after
// half a minute is stopped, which fails the case (the files once took minutes and gigabytes).
TEST_F(BadPictures, CraftedPicturesAreRefusedBeforeTheyCostTimeOrMemory)
{
    const std::string progressive = patterned_jpeg(256, 256, 3, true);
    const std::string small = patterned_jpeg(64, 64, 3);
    struct Crafted {
        const char* name;
        std::string bytes;
        const char* line;
        long long max_pixels = largest_picture_pixels;
    } cases[] = {
        {"huge.jpg", claiming_size(progressive, 65500, 65500), "cannot use picture huge.jpg: picture too large"},
        {"wide.jpg", claiming_size(patterned_jpeg(64, 64, 3), 16000, 64), "cannot use picture wide.jpg: picture too large"},
        {"scans.jpg", repeating_last_scan(progressive, 2000), "cannot use picture scans.jpg: too many scans"},
        {"png.jpg", "\x89PNG\r\n\x1a\n", "cannot use picture png.jpg: Not a JPEG file: starts with 0x89 0x50"},
        {"empty.jpg", "", "cannot use picture empty.jpg: Empty input file"},
        {"arithmetic.jpg", encode_jpeg(std::vector<unsigned char>(64 * 64 * 3, 90), 64, 64, {JCS_RGB, false, true}),
         "cannot use picture arithmetic.jpg: arithmetic-coded"},
        // A picture allowed 128 x 128 pixels, a little larger, and one padded past the bytes it may take.
        {"over.jpg", patterned_jpeg(129, 128, 3), "cannot use picture over.jpg: picture too large", 128 * 128},
        {"padded.jpg", small + std::string(largest_file_bytes(128 * 128), '\0'),
         "cannot use picture padded.jpg: file too large", 128 * 128},
    };
    for (const Crafted& c : cases) {
        SCOPED_TRACE(c.name);
        write_file(c.name, c.bytes);
        int width, height;
        EXPECT_EXIT(
            {
                alarm(30);
                load_jpeg(c.name, &width, &height, c.max_pixels);
                std::exit(0);
            },
            ::testing::ExitedWithCode(1), std::string("ninescenes: ") + c.line);
    }
    write_file("fine.jpg", repeating_last_scan(progressive, largest_scan_count - 11));
    int width = 0, height = 0;
    EXPECT_EQ(load_jpeg("fine.jpg", &width, &height).size(), 256u * 256u * 3u) << "a reasonable number of scans";
    write_file("fine.jpg", small + std::string(largest_file_bytes(128 * 128) - small.size(), '\0'));
    EXPECT_EQ(load_jpeg("fine.jpg", &width, &height, 128 * 128).size(), 64u * 64u * 3u) << "padded to its limit";
}

// A FIFO never ends and a device never stops: neither may block start-up in place of a picture or
// of the log.
TEST_F(BadPictures, OnlyRegularFilesAreOpened)
{
    ASSERT_EQ(mkfifo("pipe.jpg", 0600), 0);
    int width, height;
    EXPECT_EXIT(
        {
            alarm(30);
            load_jpeg("pipe.jpg", &width, &height);
        },
        ::testing::ExitedWithCode(1), "cannot use picture pipe.jpg: not a regular file");
    EXPECT_EXIT(
        {
            alarm(30);
            load_jpeg("/dev/zero", &width, &height);
        },
        ::testing::ExitedWithCode(1), "cannot use picture /dev/zero: not a regular file");

    ASSERT_EQ(mkfifo(jpeg_log_path, 0600), 0);
    write_jpeg("cut.jpg", 64, 64, 3, true);
    EXPECT_EXIT(
        {
            alarm(30);
            std::exit(load_jpeg("cut.jpg", &width, &height).size() == 64u * 64u * 3u ? 0 : 2);
        },
        ::testing::ExitedWithCode(0), "Premature end of JPEG file");
}

TEST_F(BadPictures, TruncatedFileWarnsOnceAndDecodes)
{
    write_jpeg("cut.jpg", 256, 192, 3, true);
    int width = 0, height = 0;
    std::vector<unsigned char> picture = load_jpeg("cut.jpg", &width, &height);
    EXPECT_EQ(width, 256);
    EXPECT_EQ(height, 192);
    EXPECT_EQ(picture.size(), 256u * 192u * 3u);
    EXPECT_EQ(log_lines(), 1);
}

TEST_F(BadPictures, GreyscaleDecodesAsRgb)
{
    write_jpeg("grey.jpg", 32, 16, 1);
    int width = 0, height = 0;
    std::vector<unsigned char> picture = load_jpeg("grey.jpg", &width, &height);
    ASSERT_EQ(picture.size(), 32u * 16u * 3u);
    for (size_t i = 0; i < picture.size(); i += 3) {
        EXPECT_EQ(picture[i], picture[i + 1]);
        EXPECT_EQ(picture[i], picture[i + 2]);
    }
    EXPECT_GT(picture[3 * 40], 30) << "grey levels survive, not zeros";
}

TEST_F(BadPictures, BackdropOfTheWrongLayoutIsRefused)
{
    write_jpeg("small.jpg", 100, 80, 3);
    EXPECT_EXIT(load_background_texture("small.jpg", 640, PictureLayout::wide_backdrop, TexelConversion::plain_rgb,
                                         Mipmaps::one_level), ::testing::ExitedWithCode(1),
                "small.jpg is 100 x 80, expected 640 x 480");
    EXPECT_EXIT(load_background_texture("small.jpg", 2000, PictureLayout::tall_backdrop, TexelConversion::plain_rgb,
                                         Mipmaps::one_level), ::testing::ExitedWithCode(1),
                "expected 640 x 2000");
}

// The data set is looked for in order: the directory named on the command line, and only there; data/
// in the working directory; the installed set beside the program, wherever its tree was moved; the
// source tree's data/, for a program in its build tree only.
TEST(DataDirectory, PlacesAreLookedInInOrder)
{
    const std::string installed_data = "../share/ninescenes/data";
    const struct {
        const char* given;
        DataPlaces places;
        std::vector<std::string> expected;
    } cases[] = {
        {"elsewhere", {"/opt/x/bin/ninescenes", "/b", "/s", installed_data}, {"elsewhere"}},
        {nullptr, {"/opt/x/bin/ninescenes", "/b", "/s", installed_data}, {"data", "/opt/x/share/ninescenes/data"}},
        {nullptr, {"/b/tools/ninescenes", "/b", "/s", installed_data}, {"data", "/b/share/ninescenes/data", "/s/data"}},
        {nullptr, {"/bin2/ninescenes", "/b", "/s", installed_data}, {"data", "/share/ninescenes/data"}},
        {nullptr, {"", "/b", "/s", installed_data}, {"data"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(data_candidates(c.given, c.places), c.expected) << c.places.program;
}

// The scratch directory has no data/: the test program, in its build tree, finds the source tree's.
// A tree moved elsewhere finds its own; with no place there, one line names every place looked in.
TEST_F(BadPictures, DataDirectoryIsFoundOrEveryPlaceNamed)
{
    ASSERT_TRUE(find_data_directory());
    EXPECT_EQ(data_file("dot.mp3"), this_program_places().source_tree + "/data/dot.mp3");

    const std::string installed = scratch + "/moved/share/ninescenes/data";
    const DataPlaces moved = {scratch + "/moved/bin/ninescenes", "/b", "/s", "../share/ninescenes/data"};
    testing::internal::CaptureStderr();
    EXPECT_FALSE(find_data_directory(nullptr, moved));
    std::string message = testing::internal::GetCapturedStderr();
    EXPECT_EQ(message, "ninescenes: no data directory; looked in " + scratch + "/data, " + installed + "\n");

    ASSERT_EQ(system(("mkdir -p " + installed).c_str()), 0);
    ASSERT_TRUE(find_data_directory(nullptr, moved));
    EXPECT_EQ(data_file("mag.jpg"), installed + "/mag.jpg");
    ASSERT_EQ(mkdir("data", 0777), 0);
    ASSERT_TRUE(find_data_directory(nullptr, moved));
    EXPECT_EQ(data_file("mag.jpg"), "data/mag.jpg");

    testing::internal::CaptureStderr();
    EXPECT_FALSE(find_data_directory("missing", moved)) << "a named directory is the only place looked in";
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "ninescenes: no data directory; looked in missing\n");
}
