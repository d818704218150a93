#include <filesystem>

#include <gtest/gtest.h>

#include "model/residue_colour.h"
#include "support/recording_report.h"
#include "support/temp_dir.h"
#include "tools/cmp2align_routines.h"

namespace tulvarine {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempDir;

class Report : public testing::RecordingReport<AlignmentComparisonReport> {
public:
    void ShowComparison(std::shared_ptr<const ComparisonResult> shown) override { result = std::move(shown); }
    std::shared_ptr<const ComparisonResult> result;
};

class CompareAlignmentsTest : public ::testing::Test {
protected:
    // Compares two files holding these bytes.
    bool Compare(std::string_view first, std::string_view second) {
        return CompareAlignments({dir.Write("1.fas", first), dir.Write("2.fas", second)}, report);
    }
    TempDir dir;
    Report report;
};

TEST_F(CompareAlignmentsTest, ReportsSharedRecordsColumnsAndTheSameOnes) {
    // The second file holds the shared records in another order, with CR LF
    // line ends and a blank after a header; a record of the first is not shared.
    ASSERT_TRUE(Compare(">s1\nac-\ngu\n>s2 x\nACTGT\n>only1\nAAAAAAA\n", ">s2 x \r\nACTGT\r\n>s1\r\nA-CGT\r\n"));
    ASSERT_TRUE(report.result);
    const ComparisonResult& result = *report.result;
    EXPECT_TRUE(report.statuses.empty());
    EXPECT_EQ(result.ReportText(),
              "==>There are 2 IDs shared between the 2 alignments:\r\n>s2 x\r\n>s1\r\n"
              "\r\n==>Counting the alignment matrix for each alignment:\r\n"
              "1-1-\r\n2-2-\r\n3-0-\r\n4-3-\r\n5-4-\r\n\r\n"
              "1-1-\r\n2-0-\r\n3-2-\r\n4-3-\r\n5-4-\r\n\r\n"
              "\r\n==>Identifying the same columns between the 2 alignment:\r\n"
              "1-1-\r\n4-3-\r\n5-4-\r\n"
              "Same columns: 3\r\nRaw 1 columns: 5\r\nRaw 2 columns: 5\r\n");
    EXPECT_EQ(result.ReportLineCount(), 26u);
    EXPECT_EQ(result.ReportLine(25), "");
    EXPECT_EQ(result.ProportionCaption(), "Proportion Conserved Columns: 60%");

    // The grid shows the first alignment's residues, upper-cased, in rows of
    // the second's order; a U is yellow.
    ASSERT_EQ(result.GridRows(), 3u);
    ASSERT_EQ(result.GridColumns(), 4u);
    EXPECT_EQ(result.GridText(0, 1), "");
    EXPECT_EQ(result.GridText(1, 0), ">s2 x");
    EXPECT_EQ(result.GridText(2, 1) + result.GridText(2, 2) + result.GridText(2, 3), "AGU");
    EXPECT_EQ(ResidueColour(result.GridResidue(2, 3)), (CellColour{255, 255, 0}));
    EXPECT_EQ(result.ConservedColumnsText(), ">s2 x\r\nAGT\r\n>s1\r\nAGU\r\n");
}

TEST_F(CompareAlignmentsTest, ProportionOfSameColumns) {
    const std::string three = ">a\nAC--GTACGT\n>b\nA---GTACGT\n>c\nAC--GTAC-T\n";
    ASSERT_TRUE(Compare(three, three));
    // Two all-gap columns are one same column.
    EXPECT_EQ(report.result->ReportLine(report.result->ReportLineCount() - 4), "Same columns: 9");
    EXPECT_EQ(report.result->ProportionCaption(), "Proportion Conserved Columns: 90%");
    ASSERT_TRUE(Compare(">a\nACG\n>b\nAC-\n", ">a\nA-CG\n>b\nAC--\n"));
    EXPECT_EQ(report.result->ProportionCaption(), "Proportion Conserved Columns: 57.1429%");
    // Neither alignment has a column.
    ASSERT_TRUE(Compare(">a\n\n>b\n", ">a\n\n>b\n"));
    EXPECT_EQ(report.result->ProportionCaption(), "Proportion Conserved Columns: NA");
}

TEST_F(CompareAlignmentsTest, WithoutSharedIdsOneEmptyColumnIsTheSame) {
    ASSERT_TRUE(Compare(">a\nACGT\n", ">b\nACGT\n"));
    const ComparisonResult& result = *report.result;
    EXPECT_EQ(result.ReportLine(0), "==>There are 0 IDs shared between the 2 alignments:");
    EXPECT_EQ(result.ReportLine(result.ReportLineCount() - 6), "==>Identifying the same columns between the 2 alignment:");
    EXPECT_EQ(result.ReportLine(result.ReportLineCount() - 5), "");
    EXPECT_EQ(result.ProportionCaption(), "Proportion Conserved Columns: 25%");
    EXPECT_EQ(result.GridRows(), 1u);
    EXPECT_EQ(result.ConservedColumnsText(), "");
}

TEST_F(CompareAlignmentsTest, BadFilesStopTheRunBeforeAnythingIsShown) {
    const std::string good = dir.Write("good.fas", ">a\nAC\n");
    // An empty box stops without a word; a missing file is named.
    EXPECT_FALSE(CompareAlignments({good, ""}, report));
    EXPECT_TRUE(report.statuses.empty());
    EXPECT_FALSE(CompareAlignments({dir.Path("missing.fas"), good}, report));
    EXPECT_EQ(report.LastStatus(), "Error:        Cannot read " + dir.Path("missing.fas") + ": No such file or directory");
    // No header line, or a header alone: no sequence.
    for (const char* bytes : {"", "ACGT\nACGT\n", "  >a  \r\n\r\n"}) {
        EXPECT_FALSE(CompareAlignments({good, dir.Write("bad.fas", bytes)}, report));
        EXPECT_EQ(report.LastStatus(), "Error:    No sequence in alignment file!") << bytes;
        EXPECT_FALSE(CompareAlignments({dir.Write("bad.fas", bytes), good}, report));
        EXPECT_EQ(report.LastStatus(), "Error:    No sequence in alignment file!") << bytes;
    }
    const std::string folder = dir.Root().string();
    EXPECT_FALSE(CompareAlignments({good, folder}, report));
    EXPECT_EQ(report.LastStatus(), "Error:        Cannot read " + folder + ": not a regular file");
    EXPECT_FALSE(report.result);
}

TEST_F(CompareAlignmentsTest, SavesTheGridAndNeverWritesOverAnInput) {
    ASSERT_TRUE(Compare(">a\nAC-T\n>b\nACGT\n", ">b\nACG-T\n>a\nAC--T\n"));
    const std::string out = dir.Path("out.fas");
    EXPECT_TRUE(SaveConservedColumns(report.result.get(), out, report));
    EXPECT_EQ(report.LastStatus(), "Info:    Save successful!");
    EXPECT_EQ(ReadBytes(out), ">b\r\nACGT\r\n>a\r\nAC-T\r\n");

    const std::string input = report.result->Inputs()[1];
    const std::string before = ReadBytes(input);
    for (const std::string& path : {input, dir.Path("no/such/folder.fas"), std::string()}) {
        EXPECT_FALSE(SaveConservedColumns(report.result.get(), path, report));
        EXPECT_EQ(report.LastStatus(), "Info:    Save failure!") << path;
    }
    EXPECT_EQ(ReadBytes(input), before);
    // The grid of no run is saved as an empty file.
    EXPECT_TRUE(SaveConservedColumns(nullptr, out, report));
    EXPECT_EQ(ReadBytes(out), "");
}

TEST(LoadAlignmentView, ShowsEachLineOrSaysWhyItCannot) {
    struct Lines : LineSink {
        void AppendLine(std::string_view line) override { lines.emplace_back(line); }
        std::vector<std::string> lines;
    } view;
    TempDir dir;
    testing::RecordingReport<> report;
    EXPECT_TRUE(LoadAlignmentView(dir.Write("a.fas", ">a\r\nAC\n\nGT"), view, report));
    EXPECT_EQ(view.lines, (std::vector<std::string>{">a", "AC", "", "GT"}));
    EXPECT_FALSE(LoadAlignmentView(dir.Path("gone.fas"), view, report));
    EXPECT_EQ(report.LastStatus(), "Error:        Cannot read " + dir.Path("gone.fas") + ": No such file or directory");
    EXPECT_EQ(view.lines.size(), 4u);
}

}  // namespace
}  // namespace tulvarine
