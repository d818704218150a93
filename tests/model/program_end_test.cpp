#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "model/output_file.h"
#include "model/program_end.h"
#include "support/temp_dir.h"

namespace tulvarine {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempDir;

std::size_t EntryCount(const TempDir& dir) {
    return std::size_t(std::distance(fs::directory_iterator(dir.Root()), fs::directory_iterator()));
}

class ProgramEnd : public ::testing::Test {
protected:
    void TearDown() override {
        ClearStopRequest();
        Leftovers::Reopen();
    }
};

TEST_F(ProgramEnd, AnOutputInterruptedByTheEndNeverReachesItsName) {
    TempDir dir;
    const std::string path = dir.Write("out.fas", "older result");
    OutputFile out;
    ASSERT_TRUE(out.Open(path));
    out.Write("half of the new result");
    RequestStop();
    EXPECT_FALSE(out.Close());
    EXPECT_EQ(out.Error(), "the program is ending");
    EXPECT_EQ(ReadBytes(path), "older result");
    EXPECT_EQ(EntryCount(dir), 1u);  // the temporary file went too

    OutputFile later;
    EXPECT_FALSE(later.Open(dir.Path("later.fas")));
    EXPECT_EQ(later.Error(), "the program is ending");
    EXPECT_EQ(EntryCount(dir), 1u);
}

TEST_F(ProgramEnd, LeftoversGoEvenWhileTheirOwnersStillRun) {
    TempDir dir;
    OutputFile stuck;  // a writer that will never get to Close
    ASSERT_TRUE(stuck.Open(dir.Path("out.fas")));
    stuck.Write("partial");
    // What the maker returns is what is kept: here a name chosen as it is made.
    const std::string scratch = Leftovers::Make([&] {
        std::string name = dir.Path("scratch-XXXXXX");
        return ::mkdtemp(name.data()) != nullptr ? name : std::string();
    });
    ASSERT_TRUE(fs::is_directory(scratch));
    std::ofstream(scratch + "/inner") << "what a tool left";
    EXPECT_EQ(Leftovers::Make([] { return std::string(); }), "");  // nothing made, nothing kept
    const std::string unrelated = dir.Write("unrelated.fas", "never kept");

    Leftovers::RemoveAll();
    EXPECT_EQ(EntryCount(dir), 1u);
    EXPECT_EQ(ReadBytes(unrelated), "never kept");
    const std::string late = dir.Path("too-late");
    EXPECT_EQ(Leftovers::Make([&] { return fs::create_directory(late) ? late : std::string(); }), "");
    EXPECT_FALSE(fs::exists(late));
}

}  // namespace
}  // namespace tulvarine
