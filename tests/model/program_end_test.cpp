#include <filesystem>

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
    const std::string scratch = dir.Path("scratch");
    ASSERT_TRUE(Leftovers::Make(scratch, [&] { return fs::create_directory(scratch); }));
    dir.Write("scratch/inner", "what a tool left");
    const std::string unrelated = dir.Write("unrelated.fas", "never kept");

    Leftovers::RemoveAll();
    EXPECT_EQ(EntryCount(dir), 1u);
    EXPECT_EQ(ReadBytes(unrelated), "never kept");
    EXPECT_FALSE(Leftovers::Make(dir.Path("too-late"), [&] { return fs::create_directory(dir.Path("too-late")); }));
    EXPECT_FALSE(fs::exists(dir.Path("too-late")));
}

}  // namespace
}  // namespace tulvarine
