// The data generator: its files, the same bytes on every run, a set left incomplete or spoilt made
// whole again by --if-stale, and a clear refusal of an unusable target or command line.
#include "assets/mesh_table.h"
#include "assets/picture_table.h"
#include "show/demo.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string read_file(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Every file of a data set, the manifest last.
std::vector<std::string> data_set_names()
{
    std::vector<std::string> names;
    for (const PictureEntry& picture : picture_table)
        names.push_back(std::string(picture.name) + picture_extension);
    for (const char* name : mesh_names)
        names.push_back(std::string(name) + mesh_extension);
    names.push_back(music_file);
    names.push_back("manifest");
    return names;
}

// One data set made at the start, as the reference the cases compare with.
class DataSet : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        std::string pattern = (fs::temp_directory_path() / "ninescenes-data-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        scratch = pattern;
        ASSERT_EQ(run(std::string(data_tool) + " reference"), 0);
    }
    static void TearDownTestSuite() { fs::remove_all(scratch); }

    // Runs the shell command in the scratch directory; its exit status, or 128 + the signal.
    static int run(const std::string& command)
    {
        int status = std::system(("cd " + scratch.string() + " && { " + command + "; } 2>errors.txt").c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    static std::string errors() { return read_file(scratch / "errors.txt"); }

    static fs::path scratch;
};

fs::path DataSet::scratch;

TEST_F(DataSet, WritesPicturesMeshesAndMusic)
{
    for (const std::string& name : data_set_names())
        EXPECT_GT(read_file(scratch / "reference" / name).size(), 500u) << name;
    for (const PictureEntry& picture : picture_table)
        EXPECT_EQ(read_file(scratch / "reference" / (std::string(picture.name) + ".jpg")).substr(0, 2), "\xFF\xD8")
            << picture.name << " is a JPEG";
    std::string music = read_file(scratch / "reference" / music_file);
    ASSERT_GT(music.size(), 1000000u);
    EXPECT_EQ(music.substr(0, 2), "\xFF\xFB") << "an MPEG-1 Layer III frame";
}

// A run stopped by a full disk while writing the music (a file size limit, the signal it raises
// ignored) or killed writing a picture (the signal left to kill it), a picture cut short afterwards,
// the music replaced by a link to another file: no file is left cut short under its own name, and
// the next --if-stale makes the set whole, byte for byte the reference (every run writes the same
// bytes), the link replaced and the file it named untouched.
TEST_F(DataSet, IfStaleMakesWholeWhatARunLeftIncompleteOrWasSpoilt)
{
    const std::string tool = data_tool;
    const std::string music_limit = "ulimit -f 3000";  // 3 MB: the pictures fit, the music does not
    const std::string picture_limit = "ulimit -f 40";  // 40 KB: the first larger picture does not fit
    struct Case {
        const char* what;
        std::string spoil;
        int status;
    } cases[] = {
        {"disk full", "(" + music_limit + " && trap '' XFSZ && exec " + tool + " set)", 1},
        {"killed", "(" + picture_limit + " && exec " + tool + " set)", 128 + SIGXFSZ},
        {"picture cut short", "cp -r reference set && truncate -s 16000 set/mag.jpg", 0},
        {"music a link", "cp -r reference set && echo other > other && ln -sf ../other set/dot.mp3", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(scratch / "set");
        ASSERT_EQ(run(c.spoil), c.status) << errors();
        for (const std::string& name : data_set_names()) {
            std::string spoilt = read_file(scratch / "set" / name);
            if (c.status != 0 && !spoilt.empty()) {
                EXPECT_TRUE(spoilt == read_file(scratch / "reference" / name)) << name << " is left incomplete";
            }
        }
        ASSERT_EQ(run(tool + " --if-stale set"), 0) << errors();
        for (const std::string& name : data_set_names())
            EXPECT_TRUE(read_file(scratch / "set" / name) == read_file(scratch / "reference" / name)) << name;
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(scratch / "set" / music_file)));
    }
    EXPECT_EQ(read_file(scratch / "other"), "other\n");
    if (HasFailure())
        return;
    fs::file_time_type whole = fs::last_write_time(scratch / "set/manifest");
    ASSERT_EQ(run(tool + " --if-stale set"), 0);
    EXPECT_EQ(fs::last_write_time(scratch / "set/manifest"), whole) << "a whole set is left as it is";
}

// A bad command line is refused with the usage line and makes nothing; a folder that cannot be made
// is refused with the system's reason.
TEST_F(DataSet, RefusesABadCommandLineOrTarget)
{
    for (const char* arguments : {"", "--if-stale", "--fast target", "target other"}) {
        SCOPED_TRACE(arguments);
        EXPECT_EQ(run(std::string(data_tool) + " " + arguments), 1);
        EXPECT_EQ(errors(), "usage: ninescenes-data [--if-stale] OUTDIR\n");
        EXPECT_FALSE(fs::exists(scratch / "--if-stale"));
        EXPECT_FALSE(fs::exists(scratch / "target"));
    }
    std::ofstream(scratch / "plain-file") << "x";
    EXPECT_EQ(run(std::string(data_tool) + " plain-file/target"), 1);
    EXPECT_NE(errors().find("cannot create directory plain-file/target: Not a directory"), std::string::npos)
        << errors();
}

}  // namespace
