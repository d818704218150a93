#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "model/file_bytes.h"
#include "model/paths.h"
#include "support/temp_dir.h"

namespace tulvarine {
namespace {

using testing::TempDir;

TEST(StripTrailingBackslash, RemovesOneTrailingSlashButKeepsTheRoot) {
    for (const auto& [given, expected] : std::initializer_list<std::pair<std::string, std::string>>{
             {"/data/in/", "/data/in"}, {"/data/in", "/data/in"}, {"/data/in//", "/data/in/"},
             {"/", "/"}, {"", ""}, {"in\\", "in\\"}}) {
        std::string path = given;
        StripTrailingBackslash(path);
        EXPECT_EQ(path, expected) << given;
    }
}

TEST(StripTrailingSlashes, RemovesEverySlashButKeepsTheRoot) {
    for (const auto& [given, expected] : std::initializer_list<std::pair<std::string, std::string>>{
             {"/data/in//", "/data/in"}, {"/data/in", "/data/in"}, {"//", "/"}, {"/", "/"}, {"", ""}}) {
        std::string path = given;
        StripTrailingSlashes(path);
        EXPECT_EQ(path, expected) << given;
    }
}

TEST(JoinPath, JoinsWithOneSlash) {
    EXPECT_EQ(JoinPath("/data/in", "a b'c\".fas"), "/data/in/a b'c\".fas");
    EXPECT_EQ(JoinPath("", "tmp.fas"), "/tmp.fas");
}

TEST(IsSamePlace, SeesThroughTrailingSlashesDotsAndLinks) {
    TempDir dir;
    const std::string in = dir.Path("in");
    std::filesystem::create_directory(in);
    std::filesystem::create_directory(dir.Path("other"));
    std::filesystem::create_directory_symlink(in, dir.Path("link"));
    const std::string file = dir.Write("in/a.fas", ">a\n");
    ASSERT_EQ(::link(file.c_str(), dir.Path("other/hard.fas").c_str()), 0);
    dir.Write("other/a.fas", ">a\n");

    EXPECT_TRUE(IsSamePlace(in, in + "/"));
    EXPECT_TRUE(IsSamePlace(in, dir.Path("other/../in/.")));
    EXPECT_TRUE(IsSamePlace(in, dir.Path("link")));
    EXPECT_TRUE(IsSamePlace(file, dir.Path("link/a.fas")));
    EXPECT_TRUE(IsSamePlace(file, dir.Path("other/hard.fas")));

    EXPECT_FALSE(IsSamePlace(in, dir.Path("other")));
    EXPECT_FALSE(IsSamePlace(file, dir.Path("other/a.fas")));  // same bytes, another file
    EXPECT_FALSE(IsSamePlace(in, in + "_AA"));                 // missing
    EXPECT_FALSE(IsSamePlace("", ""));
}

TEST(Folders, ListableAndMadeOneLevelDeep) {
    TempDir dir;
    EXPECT_TRUE(CanListFolder(dir.Root().string()));
    EXPECT_FALSE(CanListFolder(dir.Write("plain.fas", "x")));
    EXPECT_FALSE(CanListFolder(dir.Path("missing")));
    EXPECT_FALSE(CanListFolder(""));

    EXPECT_TRUE(MakeFolder(dir.Path("out")));
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path("out")));
    EXPECT_TRUE(MakeFolder(dir.Path("out")));              // already there
    EXPECT_FALSE(MakeFolder(dir.Path("plain.fas")));       // a file stands in its place
    EXPECT_FALSE(MakeFolder(dir.Path("deep/er")));         // one level only
    EXPECT_FALSE(std::filesystem::exists(dir.Path("deep")));
}

TEST(ReadWholeFile, GivesEveryByteOrNothing) {
    TempDir dir;
    const std::string bytes("a\r\nb\0c\x1A\xff", 9);
    std::string read = "old";
    EXPECT_TRUE(ReadWholeFile(dir.Write("f.fas", bytes), read));
    EXPECT_EQ(read, bytes);
    EXPECT_TRUE(ReadWholeFile(dir.Write("empty.fas", ""), read));
    EXPECT_EQ(read, "");

    read = "old";
    EXPECT_FALSE(ReadWholeFile(dir.Path("missing.fas"), read));
    EXPECT_EQ(read, "");
    read = "old";
    EXPECT_FALSE(ReadWholeFile(dir.Root().string(), read));  // a folder
    EXPECT_EQ(read, "");
}

}  // namespace
}  // namespace tulvarine
