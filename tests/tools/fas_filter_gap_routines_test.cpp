#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

#include "support/recording_report.h"
#include "support/temp_dir.h"
#include "tools/fas_filter_gap_routines.h"

namespace tulvarine {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempDir;

class BarReport : public testing::RecordingReport<GapFilterReport> {
public:
    void StartBar(int maximum) override { barMaximum = maximum, barPosition = 0; }
    void MoveBar(int position) override { barPosition = position; }
    int barMaximum = -1, barPosition = -1;
};

class GapFilter : public ::testing::Test {
protected:
    // Runs the filter on input bytes; returns the output bytes.
    std::string Cut(const std::string& bytes, GapRegion region, GapTreatment treatment, float threshold = 0.25f) {
        settings = {dir.Write("in.fas", bytes), threshold, region, treatment};
        EXPECT_TRUE(CutGapColumns(settings, report)) << report.LastStatus();
        return ReadBytes(GapFilterOutputPath(settings));
    }

    TempDir dir;
    GapFilterSettings settings;
    BarReport report;
};

// Four records; column gaps 0, 1, 2, 0, 4, 1: at 0.25 a column with one gap
// stays and one with two goes. Blanks go, "*" and lower case stay.
constexpr char kFour[] = "stray line\n>a one\nA-G*-T\n>b\nAC-T-A\n>c\nA c-a-c\n>d\r\nACGT-\xE3\x80\x80-\n";

TEST_F(GapFilter, EveryColumnRemovesReplacesOrBoth) {
    EXPECT_EQ(Cut(kFour, GapRegion::kAllColumns, GapTreatment::kRemove),
              ">a one\r\nA-*T\r\n>b\r\nACTA\r\n>c\r\nAcac\r\n>d\r\nACT-\r\n");
    EXPECT_EQ(report.LastStatus(), "Info:        Cut alignment successfully!");
    EXPECT_EQ(report.LastProgress(), "Done! Output = in.fas.cut.all.fas");
    EXPECT_EQ(Cut(kFour, GapRegion::kAllColumns, GapTreatment::kReplace),
              ">a one\r\nANG*NT\r\n>b\r\nACNTNA\r\n>c\r\nAcNaNc\r\n>d\r\nACGTNN\r\n");
    EXPECT_EQ(Cut(kFour, GapRegion::kAllColumns, GapTreatment::kRemoveThenReplace),
              ">a one\r\nAN*T\r\n>b\r\nACTA\r\n>c\r\nAcac\r\n>d\r\nACTN\r\n");
    EXPECT_EQ(report.statuses.front(), "Info:        Cutting started, please wait...");
    // Record d had one gap left, c none; the bar ends at the last record.
    for (const char* text : {"Seq 4-1  replaced", "Seq 3-0  replaced", "Saving >a one"})
        EXPECT_NE(std::find(report.progress.begin(), report.progress.end(), text), report.progress.end()) << text;
    EXPECT_NE(std::find(report.progress.begin(), report.progress.end(), "loading >d  No. = 4"), report.progress.end());
    EXPECT_EQ(report.barPosition, 4);
    EXPECT_EQ(report.barMaximum, 4);
}

TEST_F(GapFilter, EveryColumnOfRaggedRowsAndThresholdsAtTheEdges) {
    // Past its end a row has no gap; a header without sequence lines gives an empty line.
    const std::string ragged = ">a\nAC--\n>b\nA-\n>c\n";
    EXPECT_EQ(Cut(ragged, GapRegion::kAllColumns, GapTreatment::kRemove, 0.34f), ">a\r\nAC--\r\n>b\r\nA-\r\n>c\r\n\r\n");
    EXPECT_EQ(Cut(ragged, GapRegion::kAllColumns, GapTreatment::kRemove, 0.33f), ">a\r\nA\r\n>b\r\nA\r\n>c\r\n\r\n");
    EXPECT_EQ(Cut(ragged, GapRegion::kAllColumns, GapTreatment::kRemove, 0), ">a\r\nA\r\n>b\r\nA\r\n>c\r\n\r\n");
    EXPECT_EQ(Cut(ragged, GapRegion::kAllColumns, GapTreatment::kRemove, 1), ">a\r\nAC--\r\n>b\r\nA-\r\n>c\r\n\r\n");
    EXPECT_EQ(Cut(ragged, GapRegion::kAllColumns, GapTreatment::kRemove, -1), ">a\r\n\r\n>b\r\n\r\n>c\r\n\r\n");
    EXPECT_EQ(report.LastProgress(), "Done! Output = in.fas.cut.all.fas");
}

TEST_F(GapFilter, AThresholdOfExactlyTheShareOfGapsKeepsTheColumn) {
    // 0.1, 0.7 and 0.9 have no exact binary form: a column with k gaps in ten
    // records stays at k / 10, and the next, with one gap more, goes.
    for (const int k : {1, 7, 9}) {
        std::string input, expected;
        for (int j = 0; j < 10; ++j) {
            const std::string first = j < k ? "-" : "A";
            input += ">" + std::to_string(j) + "\n" + first + "C" + (j <= k ? "-" : "G") + "\n";
            expected += ">" + std::to_string(j) + "\r\n" + first + "C\r\n";
        }
        for (const GapRegion region : {GapRegion::kAllColumns, GapRegion::kEndColumns})
            EXPECT_EQ(Cut(input, region, GapTreatment::kRemove, float(k) / 10), expected) << k << " of 10";
    }
}

TEST_F(GapFilter, EndColumnsGoOnlyInUnbrokenRunsFromEitherEnd) {
    const std::string two = ">1\n--AC-\n>2\n-GAC-\n";
    EXPECT_EQ(Cut(two, GapRegion::kEndColumns, GapTreatment::kRemove, 0.5f), ">1\r\n-AC\r\n>2\r\nGAC\r\n");
    EXPECT_EQ(Cut(two, GapRegion::kEndColumns, GapTreatment::kRemove, 0.25f), ">1\r\nAC\r\n>2\r\nAC\r\n");
    EXPECT_EQ(report.LastProgress(), "Done! Output = " + GapFilterOutputPath(settings));
    // Inner gap-rich columns stay; only the end gaps of each record become N.
    const std::string inner = ">1\n--A--C-*\n>2\n-GA--CT*\n";
    EXPECT_EQ(Cut(inner, GapRegion::kEndColumns, GapTreatment::kRemoveThenReplace, 0.5f),
              ">1\r\nNA--C-*\r\n>2\r\nGA--CT*\r\n");
    EXPECT_EQ(Cut(inner, GapRegion::kEndColumns, GapTreatment::kReplace, 0.5f), ">1\r\nNNA--C-*\r\n>2\r\nNGA--CT*\r\n");
    // A negative threshold takes every column of the first record and stops there.
    EXPECT_EQ(Cut(">1\nAC\n>2\nACGT\n", GapRegion::kEndColumns, GapTreatment::kRemove, -1), ">1\r\n\r\n>2\r\nGT\r\n");
}

TEST_F(GapFilter, EveryColumnOfALargeAlignment) {
    // 200 rows of 100 000 columns, over 16 MB: read in stretches on several
    // threads. Every 1 000th column is all gaps and goes; the next holds a gap
    // in every tenth row, stays, and that gap becomes N.
    std::string input, expected;
    for (int j = 0; j < 200; ++j) {
        std::string row(100000, 'A'), kept;
        for (std::size_t c = 0; c < row.size(); ++c) {
            row[c] = c % 1000 == 7 || (c % 1000 == 8 && j % 10 == 0) ? '-' : "ACGT"[(c + std::size_t(j)) % 4];
            if (c % 1000 != 7) kept += row[c] == '-' ? 'N' : row[c];
        }
        input += ">row " + std::to_string(j) + "\n";
        for (std::size_t at = 0; at < row.size(); at += 60) input += row.substr(at, 60) + "\n";
        expected += ">row " + std::to_string(j) + "\r\n" + kept + "\r\n";
    }
    EXPECT_TRUE(Cut(input, GapRegion::kAllColumns, GapTreatment::kRemoveThenReplace) == expected);
    EXPECT_EQ(report.barPosition, 200);
}

TEST(ReplaceEndGaps, OnlyTheEndRunsWithinTheFirstRecordsLength) {
    std::string gappy = "--A-C--";
    EXPECT_EQ(ReplaceEndGaps(gappy, 7), 4u);
    EXPECT_EQ(gappy, "NNA-CNN");
    std::string shorter = "-A--";  // shorter than the first record: its trailing gaps stay
    EXPECT_EQ(ReplaceEndGaps(shorter, 6), 1u);
    EXPECT_EQ(shorter, "NA--");
    std::string allGaps = "----";
    EXPECT_EQ(ReplaceEndGaps(allGaps, 4), 4u);
    EXPECT_EQ(allGaps, "NNNN");
}

TEST(GapThresholdOf, EmptyIsTheDefaultAndNoNumberIsZero) {
    EXPECT_FLOAT_EQ(GapThresholdOf(""), 0.25f);
    EXPECT_FLOAT_EQ(GapThresholdOf("abc"), 0.0f);
    EXPECT_FLOAT_EQ(GapThresholdOf(" \xEF\xBC\x90.\xEF\xBC\x95x"), 0.5f);  // full-width 0 and 5
    EXPECT_FLOAT_EQ(GapThresholdOf("-0.1"), -0.1f);
}

TEST_F(GapFilter, UnusableInputsAndOutputsWriteNothing) {
    // A missing input, or one that would never end, is named before the run starts.
    settings = {dir.Path("missing.fas"), 0.25f, GapRegion::kAllColumns, GapTreatment::kRemove};
    EXPECT_FALSE(CutGapColumns(settings, report));
    EXPECT_EQ(report.statuses, (std::vector<std::string>{"Error:        Cannot read " + settings.inputPath +
                                                         ": No such file or directory"}));
    settings.inputPath = "/dev/zero";
    EXPECT_FALSE(CutGapColumns(settings, report));
    EXPECT_EQ(report.LastStatus(), "Error:        Cannot read /dev/zero: not a regular file");
    EXPECT_TRUE(report.progress.empty());

    settings.inputPath = dir.Write("plain.fas", "ACGT\n >x\n");  // ">" not first
    EXPECT_FALSE(CutGapColumns(settings, report));
    EXPECT_EQ(report.LastStatus(), "Info:        Cut alignment failed!");
    EXPECT_FALSE(fs::exists(GapFilterOutputPath(settings)));

    // The output name is taken by a folder.
    settings.inputPath = dir.Write("in.fas", kFour);
    settings.region = GapRegion::kEndColumns;
    fs::create_directory(GapFilterOutputPath(settings));
    EXPECT_FALSE(CutGapColumns(settings, report));
    EXPECT_EQ(report.LastStatus(), "Error:        Cannot create " + GapFilterOutputPath(settings) + "!");

    settings.inputPath.clear();
    report.statuses.clear();
    EXPECT_FALSE(CutGapColumns(settings, report));
    EXPECT_TRUE(report.statuses.empty());
}

}  // namespace
}  // namespace tulvarine
