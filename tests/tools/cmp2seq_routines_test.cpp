#include <gtest/gtest.h>

#include "support/recording_report.h"
#include "support/temp_dir.h"
#include "tools/aligner_fixtures.h"
#include "tools/aligners.h"
#include "tools/cmp2seq_routines.h"

namespace tulvarine {
namespace {

using testing::ReadBytes;
using testing::RecordingReport;
using testing::TempDir;

TEST(PairFastaText, KeepsTheBoxesAsTheyAreWithCrLfBreaks) {
    EXPECT_EQ(PairFastaText("ATGAAAAGA", "ATAAAGAGA"), ">Seq1\r\nATGAAAAGA\r\n>Seq2\r\nATAAAGAGA\r\n");
    EXPECT_EQ(PairFastaText("AT G\nCC\n", "A"), ">Seq1\r\nAT G\r\nCC\r\n\r\n>Seq2\r\nA\r\n");
}

TEST(ReadAlignedPair, FindsTheRecordsByHeader) {
    TempDir dir;
    // Wrapped, second record first, a description after the name, lines before the first header.
    const auto pair = ReadAlignedPair(dir.Write("a.fas", "muscle says hi\r\n>Seq2\r\nAT-\r\nGA\r\n>Seq1 x\nATG\nAA"));
    ASSERT_TRUE(pair);
    EXPECT_EQ(pair->sequence1, "ATGAA");
    EXPECT_EQ(pair->sequence2, "AT-GA");

    // Any header without ">Seq1" goes to sequence 2, a later one over an earlier.
    const auto three = ReadAlignedPair(dir.Write("b.fas", ">other\nCC\n>Seq3\nGG\n"));
    ASSERT_TRUE(three);
    EXPECT_EQ(three->sequence1, "");
    EXPECT_EQ(three->sequence2, "GG");

    EXPECT_FALSE(ReadAlignedPair(dir.Write("c.fas", "no header\nATG\n")));
    EXPECT_FALSE(ReadAlignedPair(dir.Write("d.fas", "")));
    EXPECT_FALSE(ReadAlignedPair(dir.Path("missing.fas")));
}

class AlignSequencePairTest : public ::testing::Test {
protected:
    PairAlignmentSettings Settings(std::string box1, std::string box2) {
        return {std::move(box1), std::move(box2), dir_.Root().string(), FindTool("", kMuscleTool),
                dir_.Root().string()};
    }
    TempDir dir_;
    RecordingReport<> report_;
};

TEST_F(AlignSequencePairTest, MuscleAlignsTheBoxes) {
    ASSERT_FALSE(FindTool("", kMuscleTool).empty()) << "muscle is not installed";
    const auto pair = AlignSequencePair(Settings("ATGAAACCC\nGGGTTTAAA", "ATGAAACCCTTTAAA"), report_);
    ASSERT_TRUE(pair);
    EXPECT_EQ(pair->sequence1, "ATGAAACCCGGGTTTAAA");
    EXPECT_EQ(pair->sequence2, "ATGAAACCC---TTTAAA");
    EXPECT_TRUE(report_.statuses.empty());
    EXPECT_EQ(ReadBytes(dir_.Path("2seq.fas")), ">Seq1\r\nATGAAACCC\r\nGGGTTTAAA\r\n>Seq2\r\nATGAAACCCTTTAAA\r\n");
    // MUSCLE read LF lines: no CR of the CR LF file is kept in its headers.
    EXPECT_EQ(ReadBytes(dir_.Path("2seq_align.fas")).find('\r'), std::string::npos);
}

TEST_F(AlignSequencePairTest, AFailedAlignmentSaysWhyAndNeverReadsAnEarlierOutput) {
    const auto script = [&](const std::string& name, const std::string& body) {
        return testing::WriteShellProgram(dir_.Path(name), body);
    };
    const std::pair<std::string, std::string> cases[] = {
        {std::string(), "the tool file does not exist"},
        {script("muscle", "echo 'reading input' >&2; echo 'ERROR: bad sequence' >&2; exit 3"),
         "muscle exited with code 3: ERROR: bad sequence"},
        {script("crashing", "kill -FPE $$"), "crashing ended by signal SIGFPE (arithmetic fault)"},
        {script("silent", "exit 0"), "silent wrote no result"},
    };
    for (const auto& [muscle, why] : cases) {
        dir_.Write("2seq_align.fas", ">Seq1\nAAA\n>Seq2\nCCC\n");
        PairAlignmentSettings settings = Settings("ATG", "ATA");
        settings.muscle = muscle;
        EXPECT_FALSE(AlignSequencePair(settings, report_));
        EXPECT_EQ(report_.LastStatus(), "Error:    Alignment failed! " + why);
        EXPECT_EQ(ReadBytes(dir_.Path("2seq_align.fas")), "<missing>");  // removed before the run
    }
}

TEST_F(AlignSequencePairTest, UnwritableWorkFolderStopsBeforeTheAligner) {
    PairAlignmentSettings settings = Settings("ATG", "ATA");
    settings.workFolder = dir_.Write("file", "x");  // a file where a folder should be
    EXPECT_FALSE(AlignSequencePair(settings, report_));
    EXPECT_EQ(report_.LastStatus(), "Error:        Cannot write " + settings.workFolder + "/2seq.fas: Not a directory");
}

TEST(DroppedSequenceText, TakesTheFirstRecordOrTheWholeText) {
    TempDir dir;
    RecordingReport<> report;
    EXPECT_EQ(DroppedSequenceText(dir.Write("a.fa", "junk\r\n >one x\r\nACG\r\nTT\r\n>two\r\nGG\r\n"), report), "ACG\nTT");
    EXPECT_EQ(DroppedSequenceText(dir.Write("b.txt", "ACG\nTT\n"), report), "ACG\nTT");
    EXPECT_TRUE(report.statuses.empty());
    EXPECT_EQ(DroppedSequenceText(dir.Write("cr.fa", ">one\rAC\rGT\r>two\rCC\r"), report), "AC\nGT");
    EXPECT_TRUE(report.statuses.empty());
    EXPECT_FALSE(DroppedSequenceText(dir.Path("none.fa"), report));
    EXPECT_EQ(report.LastStatus(), "Error:        Cannot open " + dir.Path("none.fa") + ": No such file or directory");
    // Headers and blanks only: no sequence, said so.
    const std::string headers = dir.Write("headers.fa", ">one\r\n  \r\n>two\r\nGG\r\n");
    EXPECT_FALSE(DroppedSequenceText(headers, report));
    EXPECT_EQ(report.LastStatus(), "Error:        No sequence in " + headers);
}

}  // namespace
}  // namespace tulvarine
