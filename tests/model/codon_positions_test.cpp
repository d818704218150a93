#include <gtest/gtest.h>

#include "model/sequence_set.h"
#include "support/fasta_file_test.h"
#include "support/recording_progress.h"
#include "support/temp_dir.h"

namespace tulvarine {
namespace {

using testing::RecordingProgress;

class CodonPositions : public testing::FastaFileTest {};

TEST_F(CodonPositions, TakeOneResiduePerWholeCodonUnderTheWholeHeader) {
    const SequenceSet set = Read(">s1 first record\nATGCC\nCGTAA\n>s2\nAT\n>s3\nATG---AAA\n>s4\n");
    EXPECT_EQ(set.GetFirstPositions(), ">s1 first record\r\nACG\r\n>s2\r\n\r\n>s3\r\nA-A\r\n>s4\r\n\r\n");
    EXPECT_EQ(set.GetSecondPositions(), ">s1 first record\r\nTCT\r\n>s2\r\n\r\n>s3\r\nT-A\r\n>s4\r\n\r\n");
    EXPECT_EQ(set.GetThirdPositions(), ">s1 first record\r\nGCA\r\n>s2\r\n\r\n>s3\r\nG-A\r\n>s4\r\n\r\n");
    EXPECT_EQ(SequenceSet().GetFirstPositions(), "");
}

TEST_F(CodonPositions, LongSequencesStayOnOneLineAndProgressNamesEachRecord) {
    std::string bytes, expected;
    for (int r = 1; r <= 3000; ++r) {
        const std::size_t codons = std::size_t(r % 500 == 0 ? 40000 : r % 50);
        std::string residues;
        for (std::size_t c = 0; c < codons; ++c) {
            residues += "ac";
            residues += "ACGT"[(c + std::size_t(r)) % 4];
        }
        bytes += ">id" + std::to_string(r) + " d\n" + residues + "TT\n";
        expected += ">id" + std::to_string(r) + " d\r\n";
        for (std::size_t c = 0; c < codons; ++c) expected += "ACGT"[(c + std::size_t(r)) % 4];
        expected += "\r\n";
    }
    const SequenceSet set = Read(bytes);
    RecordingProgress progress;
    EXPECT_TRUE(set.GetThirdPositions(&progress) == expected);
    ASSERT_EQ(progress.texts.size(), 3000u);
    EXPECT_EQ(progress.texts[2], "id3    3/3000");
    EXPECT_EQ(progress.Last(), "id3000    3000/3000");
}

}  // namespace
}  // namespace tulvarine
