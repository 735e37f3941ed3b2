// The capture tool: PNG files named by the millisecond, and clear refusals of bad requests.
#include <gtest/gtest.h>

#include <png.h>

#include <cstdlib>
#include <string>
#include <unistd.h>

static int run(const std::string& arguments)
{
    return std::system((std::string(capture_tool) + " " + arguments + " >/dev/null 2>&1").c_str());
}

static bool png_size(const std::string& path, unsigned* width, unsigned* height)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return false;
    *width = image.width;
    *height = image.height;
    png_image_free(&image);
    return true;
}

TEST(Capture, WritesOneFramePerMomentNamedByTheMillisecond)
{
    char pattern[] = "/tmp/ninescenes-capture-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    std::string out = std::string(pattern) + "/frames";
    ASSERT_EQ(run("--png " + out + " --at 2.5,0.25 --step 0.5"), 0);
    for (const char* name : {"/000250.png", "/002500.png"}) {
        unsigned width = 0, height = 0;
        ASSERT_TRUE(png_size(out + name, &width, &height)) << name;
        EXPECT_EQ(width, 640u);
        EXPECT_EQ(height, 480u);
    }
    EXPECT_EQ(std::system(("rm -rf " + std::string(pattern)).c_str()), 0);
}

TEST(Capture, RefusesBadRequests)
{
    EXPECT_EQ(WEXITSTATUS(run("")), 1);
    EXPECT_EQ(WEXITSTATUS(run("--png /tmp/x --at")), 1);
    EXPECT_EQ(WEXITSTATUS(run("--png /tmp/x --at 1,,2")), 1);
    EXPECT_EQ(WEXITSTATUS(run("--png /tmp/x --at -3")), 1);
    EXPECT_EQ(WEXITSTATUS(run("--png /tmp/x --at 1 --step 0")), 1);
    EXPECT_EQ(WEXITSTATUS(run("--png /tmp/x --at 1 --fast")), 1);
    EXPECT_EQ(WEXITSTATUS(run("--png /proc/forbidden --at 1")), 1);
}
