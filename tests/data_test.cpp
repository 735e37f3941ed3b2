// The data generator: the same bytes on every run, and a clear refusal of an unusable target.
#include "assets/mesh_table.h"
#include "assets/picture_table.h"
#include "show/demo.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

static std::string read_file(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

static int run(const std::string& command) { return std::system((command + " 2>/dev/null").c_str()); }

TEST(DataSet, TwoRunsWriteTheSameBytes)
{
    char pattern[] = "/tmp/ninescenes-data-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    std::string scratch = pattern;
    ASSERT_EQ(run(std::string(data_tool) + " " + scratch + "/a"), 0);
    ASSERT_EQ(run(std::string(data_tool) + " " + scratch + "/b"), 0);
    for (const PictureEntry& picture : picture_table) {
        const char* name = picture.name;
        std::string a = read_file(scratch + "/a/" + name + ".jpg");
        ASSERT_GT(a.size(), 500u) << name;  // the smallest, a spark on black, takes 776 bytes
        EXPECT_EQ(a.substr(0, 2), "\xFF\xD8") << name << " is a JPEG";
        EXPECT_TRUE(a == read_file(scratch + "/b/" + name + ".jpg")) << name << " differs between runs";
    }
    for (const char* name : mesh_names) {
        std::string a = read_file(scratch + "/a/" + name + mesh_extension);
        ASSERT_GT(a.size(), 1000u) << name;
        EXPECT_TRUE(a == read_file(scratch + "/b/" + name + mesh_extension)) << name << " differs between runs";
    }
    std::string music = read_file(scratch + "/a/" + music_file);
    ASSERT_GT(music.size(), 1000000u);
    EXPECT_EQ(music.substr(0, 2), "\xFF\xFB") << "an MPEG-1 Layer III frame";
    EXPECT_TRUE(music == read_file(scratch + "/b/" + music_file)) << "the music differs between runs";
    std::ofstream(scratch + "/plain-file") << "x";
    EXPECT_NE(run(std::string(data_tool) + " " + scratch + "/plain-file"), 0);
    EXPECT_NE(run(std::string(data_tool)), 0);
    EXPECT_EQ(run("rm -rf " + scratch), 0);
}
