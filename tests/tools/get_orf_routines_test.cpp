#include <filesystem>

#include <gtest/gtest.h>

#include "support/recording_report.h"
#include "support/temp_dir.h"
#include "tools/get_orf_routines.h"

namespace tulvarine {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempDir;

constexpr char kCdna[] = ">g1\nATGAAATGGTTTTAA\n";

OrfFileSettings Settings(const std::string& cdna, OrfMode mode = kLongestOrf) {
    OrfFileSettings settings;
    settings.cdnaPath = cdna;
    settings.mode = mode;
    settings.cutoff = 9;
    settings.reference = "MK";
    return settings;
}

class FindOrfsInFileTest : public ::testing::Test {
protected:
    TempDir dir;
    testing::RecordingReport<> report;
};

TEST_F(FindOrfsInFileTest, WritesBesideTheInputAndSaysWhere) {
    const std::string cdna = dir.Write("cdna.fa", kCdna);
    ASSERT_TRUE(FindOrfsInFile(Settings(cdna), report));
    // The reverse strand, TTA AAA CCA TTT CAT, holds no stop: all 15 bases.
    EXPECT_EQ(ReadBytes(cdna + ".orfs.long.fas"), ">g1 longest lenth=15\r\nttaaaaccatttcat\r\n");
    EXPECT_EQ(report.LastStatus(), "Info:        Saved into " + cdna + ".orfs.long.fas");
    EXPECT_EQ(report.LastProgress(), "1/1");
}

TEST_F(FindOrfsInFileTest, NeverWritesOverAnInputThroughALinkedOutputName) {
    const std::string cdna = dir.Write("cdna.fa", kCdna);
    for (OrfMode mode : {kLongestOrf, kAllOrfs, kMostSimilarOrf}) {
        const std::string output = cdna + (mode == kLongestOrf ? ".orfs.long.fas"
                                           : mode == kAllOrfs  ? ".orfs.all.fas"
                                                               : ".orfs.sim1.fas");
        fs::create_symlink(cdna, output);
        EXPECT_FALSE(FindOrfsInFile(Settings(cdna, mode), report));
        EXPECT_EQ(report.LastStatus(),
                  "Error:        Cannot write the output file " + output + ": it is an input of this run");
    }
    EXPECT_EQ(ReadBytes(cdna), kCdna);
}

TEST_F(FindOrfsInFileTest, ByProteinMapNeverReplacesItsProteinFile) {
    const std::string cdna = dir.Write("cdna.fa", kCdna);
    const std::string proteins = dir.Write("cdna.fa.orfs.sim2.fas", ">p1\nMKWF\n");  // named like the output
    const std::string map = dir.Write("map.txt", "g1\tp1\n");
    OrfFileSettings settings = Settings(cdna);
    settings.byProteinMap = true;
    settings.proteinPath = proteins;
    settings.mapPath = map;
    EXPECT_FALSE(FindOrfsInFile(settings, report));
    EXPECT_EQ(report.LastStatus(), "Error:        Cannot write the output file " + proteins + ": it is an input of this run");
    EXPECT_EQ(ReadBytes(proteins), ">p1\nMKWF\n");

    settings.proteinPath = dir.Write("pep.fa", ">p1\nMKWF\n");
    ASSERT_TRUE(FindOrfsInFile(settings, report));
    EXPECT_EQ(ReadBytes(cdna + ".orfs.sim2.fas").substr(0, 7), ">g1|p1 ");
}

TEST_F(FindOrfsInFileTest, UnreadableInputsAreNamedWithTheSystemsReason) {
    EXPECT_FALSE(FindOrfsInFile(Settings(dir.Path("missing.fa")), report));
    EXPECT_EQ(report.LastStatus(),
              "Error:        Cannot read the cDNA fasta file " + dir.Path("missing.fa") + ": No such file or directory");
    EXPECT_FALSE(FindOrfsInFile(Settings(dir.Root().string()), report));
    EXPECT_EQ(report.LastStatus(), "Error:        Cannot read the cDNA fasta file " + dir.Root().string() + ": not a regular file");
    EXPECT_FALSE(fs::exists(dir.Path("missing.fa.orfs.long.fas")));
}

}  // namespace
}  // namespace tulvarine
