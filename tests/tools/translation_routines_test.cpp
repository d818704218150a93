#include <signal.h>
#include <sys/resource.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "support/recording_report.h"
#include "support/temp_dir.h"
#include "tools/translation_routines.h"

namespace tulvarine {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempDir;

class FolderReport : public testing::RecordingReport<FolderTranslationReport> {
public:
    void OutputFolderChosen(const std::string& folder) override { chosen = folder; }
    void ClearFiles() override { files.clear(); }
    void AddFile(const std::string& name) override { files.push_back(name); }

    std::string chosen;
    std::vector<std::string> files;
};

class TranslateFolderTest : public ::testing::Test {
protected:
    TranslateFolderTest() {
        fs::create_directory(dir.Path("in"));
        a = dir.Write("in/a.fa", ">a\nATGTTT\n");
        b = dir.Write("in/b.fa", ">b\nTGG\n");
    }
    bool Run(const std::string& out) {
        return TranslateFolder({dir.Path("in/"), out, GeneticCode::kStandard}, report);
    }

    TempDir dir;
    std::string a, b;
    FolderReport report;
};

TEST_F(TranslateFolderTest, TranslatesEveryFileIntoTheChosenFolder) {
    EXPECT_TRUE(Run(""));
    EXPECT_EQ(report.chosen, dir.Path("in_AA"));
    EXPECT_EQ(report.files, (std::vector<std::string>{"a.fa", "b.fa"}));
    EXPECT_EQ(ReadBytes(dir.Path("in_AA/a.fa")), ">a\r\nMF\r\n");
    EXPECT_EQ(ReadBytes(dir.Path("in_AA/b.fa")), ">b\r\nW\r\n");
    EXPECT_EQ(report.LastProgress(), "Done!");
    EXPECT_TRUE(report.statuses.empty());
}

TEST_F(TranslateFolderTest, AnOutputLinkedToAnyInputIsRefusedAndTheBatchGoesOn) {
    fs::create_directory(dir.Path("out"));
    fs::create_symlink(b, dir.Path("out/a.fa"));  // a's output would replace input b
    EXPECT_FALSE(Run(dir.Path("out")));
    EXPECT_EQ(ReadBytes(b), ">b\nTGG\n");
    EXPECT_EQ(ReadBytes(dir.Path("out/b.fa")), ">b\r\nW\r\n");  // translated from the real input
    EXPECT_EQ(report.statuses.front(), "Error:        Not written over an input: " + dir.Path("out/a.fa"));
    EXPECT_EQ(report.LastStatus(), "Error:        1 of 2 files not translated: a.fa");
    EXPECT_EQ(report.LastProgress(), "Failed: 1 of 2");
}

TEST_F(TranslateFolderTest, AWriteThatFailsPartWayLeavesNoFileUnderTheOutputName) {
    dir.Write("in/big.fa", ">big\n" + std::string(30000, 'A') + "\n");
    fs::create_directory(dir.Path("out"));
    dir.Write("out/big.fa", "an older translation");
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved;
    limit.rlim_cur = 5000;  // the disk fills up in the middle of big.fa
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const bool translated = Run(dir.Path("out"));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_FALSE(translated);
    EXPECT_EQ(ReadBytes(dir.Path("out/big.fa")), "an older translation");
    EXPECT_EQ(report.LastStatus(), "Error:        1 of 3 files not translated: big.fa");
    EXPECT_EQ(ReadBytes(dir.Path("out/a.fa")), ">a\r\nMF\r\n");
}

TEST_F(TranslateFolderTest, RefusesItsOwnInputFolderAndAnEmptyBox) {
    EXPECT_FALSE(Run(dir.Path("in")));
    EXPECT_EQ(report.LastStatus(), "Error:        The output folder is the input folder; nothing written: " + dir.Path("in"));
    EXPECT_TRUE(report.files.empty());

    FolderReport quiet;
    EXPECT_FALSE(TranslateFolder({"", "", GeneticCode::kStandard}, quiet));
    EXPECT_TRUE(quiet.statuses.empty() && quiet.progress.empty() && quiet.chosen.empty());
}

TEST(TranslatePastedSequences, FastaTextGoesThroughTheWorkFileWhichIsRemoved) {
    TempDir dir;
    testing::RecordingReport<> report;
    EXPECT_EQ(TranslatePastedSequences({">x\natgtga\n", GeneticCode::kEuplotidNuclear, dir.Root().string()}, report),
              ">x\r\nMC\r\n");
    EXPECT_EQ(TranslatePastedSequences({"ATG TTT\nTAA", GeneticCode::kStandard, ""}, report), "MF*");
    EXPECT_TRUE(fs::is_empty(dir.Root()));
    EXPECT_EQ(TranslatePastedSequences({"", GeneticCode::kStandard, dir.Root().string()}, report), std::nullopt);
    EXPECT_TRUE(report.statuses.empty());

    EXPECT_EQ(TranslatePastedSequences({">x\nATG\n", GeneticCode::kStandard, dir.Path("missing")}, report), std::nullopt);
    EXPECT_EQ(report.LastStatus(),
              "Error:        Cannot write the working file " + dir.Path("missing/tmp.fas") + ": No such file or directory");
}

}  // namespace
}  // namespace tulvarine
