#include <sys/stat.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "model/file_bytes.h"
#include "support/recording_report.h"
#include "support/temp_dir.h"
#include "tools/fas_filter_routines.h"

namespace tulvarine {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempDir;

class FasFilter : public ::testing::Test {
protected:
    TempDir dir;
    testing::RecordingReport<> report;
};

TEST_F(FasFilter, IdsOfTheBoxAreTakenLiterallyAndNameTheirOutput) {
    const std::string input = dir.Write("in.fas", ">seq(1) x\nAAAC\n>seq11\nGG\n>aXb|c\nTT\n");
    // Blanks, ">" and CR LF line ends around the IDs; "(" and "." are plain bytes.
    IdFilterSettings settings{input, " >seq(1)\r\na.b\r\n\r\nseq1.*\r\n", false, false};
    ASSERT_TRUE(ExtractRecordsById(settings, report));
    EXPECT_EQ(ReadBytes(input + ".extr.fas"), ">seq(1) x\r\nAAAC\r\n");
    EXPECT_EQ(report.LastStatus(), "Info:        Extraction Complete!");
    EXPECT_EQ(report.LastProgress(), "Done! Outfile = in.fas.extr.fas");
    EXPECT_EQ(report.progress.front(), "Start extracting...");

    settings.remove = settings.reverseComplement = true;
    ASSERT_TRUE(ExtractRecordsById(settings, report));
    EXPECT_EQ(ReadBytes(input + ".remv.fas"), ">seq11\r\nCC\r\n>aXb|c\r\nAA\r\n");
    EXPECT_EQ(report.LastStatus(), "Info:        Deletion Complete!");
}

TEST_F(FasFilter, IdFilterDoesNothingWithoutInputOrIdsAndNamesWhatFails) {
    const std::string input = dir.Write("in.fas", ">a\nAC\n");
    EXPECT_FALSE(ExtractRecordsById({"", "a", false, false}, report));
    EXPECT_FALSE(ExtractRecordsById({input, "", false, false}, report));
    EXPECT_TRUE(report.statuses.empty());
    EXPECT_TRUE(report.progress.empty());

    fs::create_directory(input + ".extr.fas");
    EXPECT_FALSE(ExtractRecordsById({input, "a", false, false}, report));
    EXPECT_EQ(report.LastStatus(), "Error:        Cannot create " + input + ".extr.fas!");
    fs::create_symlink(input, input + ".remv.fas");  // the output would replace the input
    EXPECT_FALSE(ExtractRecordsById({input, "a", false, true}, report));
    EXPECT_EQ(report.LastStatus(), "Error:        Cannot create " + input + ".remv.fas!");
    EXPECT_EQ(report.LastProgress(), "Error! Cannot write in.fas.remv.fas: it is an input of this run");
    EXPECT_EQ(ReadBytes(input), ">a\nAC\n");
}

TEST_F(FasFilter, IdFileKeepsItsBytesOneLineEach) {
    std::string ids = "earlier";
    ASSERT_TRUE(ReadIdFile(dir.Write("ids.txt", "a\r\n\xE9t\xE9\nlast"), ids));
    EXPECT_EQ(ids, "a\n\xE9t\xE9\nlast\n");
    EXPECT_FALSE(ReadIdFile(dir.Path("missing.txt"), ids));
    EXPECT_EQ(ids, "a\n\xE9t\xE9\nlast\n");
}

TEST_F(FasFilter, CodonPositionsWriteTheChosenFilesAndNameOneThatFails) {
    const std::string input = dir.Write("in.fas", ">s1\nATGCCCGTAA\n>s2 x\nAT\n");
    CodonFilterSettings settings{input, {true, false, true}, CodonOutputPaths(input)};
    ASSERT_TRUE(ExtractCodonPositions(settings, report));
    EXPECT_EQ(ReadBytes(input + ".1st.fas"), ">s1\r\nACG\r\n>s2 x\r\n\r\n");
    EXPECT_FALSE(fs::exists(input + ".2nd.fas"));
    EXPECT_EQ(ReadBytes(input + ".3rd.fas"), ">s1\r\nGCA\r\n>s2 x\r\n\r\n");
    EXPECT_EQ(report.LastProgress(), "Done!");
    EXPECT_EQ(report.statuses, (std::vector<std::string>{"Info:        Extracting, please wait...",
                                                          "Info:        Extraction Complete!"}));

    // An empty box is skipped; a file that cannot be made does not stop the others.
    settings.write = {true, true, true};
    settings.outputPaths = {dir.Path("no folder/1.fas"), "", dir.Path("3.fas")};
    EXPECT_FALSE(ExtractCodonPositions(settings, report));
    EXPECT_EQ(ReadBytes(dir.Path("3.fas")), ">s1\r\nGCA\r\n>s2 x\r\n\r\n");
    EXPECT_EQ(report.LastStatus(), "Error:        Cannot create " + dir.Path("no folder/1.fas") + "!");
    EXPECT_EQ(report.LastProgress(), "Error! Cannot write 1.fas: No such file or directory");
}

TEST_F(FasFilter, LengthFilterBoundsAreInclusiveAndBlanksCount) {
    // Lengths 3, 4 (a blank counts), 5, 6; a ">" inside a line starts a record.
    const std::string input = dir.Write("in.fas", "skipped\n>r3\nACG\n>r4 x\nA C\nG\n>r5\nACGTA\nno>r6\nACGTAC\n");
    ASSERT_TRUE(FilterByLength({input, 4, 5}, report));
    EXPECT_EQ(ReadBytes(input + ".lenflt.fas"), ">r4 x\r\nA CG\r\n>r5\r\nACGTA\r\n");
    EXPECT_EQ(report.progress, (std::vector<std::string>{">r3    passed    0/1", ">r4 x    passed    1/2",
                                                          ">r5    passed    2/3", "no>r6    passed    2/4"}));
    EXPECT_EQ(report.LastStatus(), "Info:        Filtering Complete!");

    // Without a header line: one empty record, kept only when 0 is in range.
    const std::string plain = dir.Write("plain.fas", "ACGT\n");
    ASSERT_TRUE(FilterByLength({plain, 0, 0}, report));
    EXPECT_EQ(ReadBytes(plain + ".lenflt.fas"), "\r\n\r\n");
    ASSERT_TRUE(FilterByLength({plain, 1, -1}, report));
    EXPECT_EQ(ReadBytes(plain + ".lenflt.fas"), "");

    fs::create_directory(input + ".lenflt.fas.x");
    EXPECT_FALSE(FilterByLength({input + ".lenflt.fas.x", 0, 9}, report));  // a folder as input
    EXPECT_EQ(report.LastStatus(), "Error:        Cannot read " + input + ".lenflt.fas.x: not a regular file");
}

TEST_F(FasFilter, LengthFilterShowsALongHeaderCutAndWritesItWhole) {
    const std::string header = ">long " + std::string(2 << 20, 'h');
    const std::string input = dir.Write("long.fas", header + "\nACGT\n>short\nAC\n");
    ASSERT_TRUE(FilterByLength({input, 4, 4}, report));
    EXPECT_EQ(ReadBytes(input + ".lenflt.fas"), header + "\r\nACGT\r\n");
    EXPECT_EQ(report.progress, (std::vector<std::string>{header.substr(0, 1000) + "\u2026    passed    1/1",
                                                          ">short    passed    1/2"}));
}

TEST_F(FasFilter, LengthFilterOfALargeFileKeepsTheRecordsInOrder) {
    // Over 16 MB: read in stretches on several threads.
    std::string input = "junk before the first header\n", expected;
    int kept = 0, records = 0;
    while (input.size() < (std::size_t(18) << 20)) {
        const std::string header = ">r" + std::to_string(++records);
        const std::string sequence(std::size_t(100 + records % 300), "ACGT"[records % 4]);
        input += header + "\n";
        for (std::size_t at = 0; at < sequence.size(); at += 60) input += sequence.substr(at, 60) + "\n";
        if (sequence.size() >= 150 && sequence.size() <= 300) {
            expected += header + "\r\n" + sequence + "\r\n";
            ++kept;
        }
    }
    const std::string path = dir.Write("large.fas", input);
    ASSERT_TRUE(FilterByLength({path, 150, 300}, report));
    EXPECT_TRUE(ReadBytes(path + ".lenflt.fas") == expected);
    EXPECT_EQ(report.LastProgress(),
              ">r" + std::to_string(records) + "    passed    " + std::to_string(kept) + "/" + std::to_string(records));
    EXPECT_EQ(report.progress.size(), std::size_t(records));
}

class StatisticsRecorder : public testing::RecordingReport<StatisticsReport> {
public:
    void ShowStatistics(const std::string& text) override { shown = text; }
    void ShowBadSequenceNote(bool shown) override { note = shown; }
    void FiguresDone(int count) override { figures.push_back(count); }
    std::string shown = "earlier";
    bool note = true;
    std::vector<int> figures;
};

TEST(AlignmentStatisticsReport, FiveLinesAndTheBadSequenceNote) {
    TempDir dir;
    StatisticsRecorder report;
    ASSERT_TRUE(ComputeAlignmentStatistics(dir.Write("a.fas", ">s1\nACGT-A\n>s2\nAC-TTA\n>s3\nACGTTG\n"), report));
    EXPECT_EQ(report.shown,
              "No. of sequences:                3\r\nTotal alignment length:          6\r\n"
              "Total block length:              4\r\nMean identity score:             0.866667\r\n"
              "Potentially bad sequences:       No");
    EXPECT_FALSE(report.note);
    EXPECT_EQ(report.figures, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(report.LastStatus(), "Info:        Calculation complete!");

    // One record: no pair to compare shows 0.
    ASSERT_TRUE(ComputeAlignmentStatistics(dir.Write("one.fas", ">s1\nAC\n"), report));
    EXPECT_NE(report.shown.find("Mean identity score:             0\r\n"), std::string::npos);

    // A missing input leaves the report as it was and is named.
    const std::string shown = report.shown;
    EXPECT_FALSE(ComputeAlignmentStatistics(dir.Path("missing.fas"), report));
    EXPECT_EQ(report.LastStatus(), "Error:        Cannot read " + dir.Path("missing.fas") + ": No such file or directory");
    EXPECT_EQ(report.shown, shown);
}

// Every run of the page names an input that is missing or never ends (a FIFO
// without a writer, a device) at once, before anything is written.
TEST_F(FasFilter, MissingAndOddInputsAreNamedByEveryRun) {
    const std::string fifo = dir.Path("fifo.fas");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& input : {dir.Path("missing.fas"), fifo, std::string("/dev/zero")}) {
        const std::string named = "Error:        Cannot read " + input + ": " + ReadFailureReason(input);
        EXPECT_FALSE(ExtractRecordsById({input, "a", false, false}, report));
        EXPECT_EQ(report.LastStatus(), named);
        EXPECT_FALSE(ExtractCodonPositions({input, {true, true, true}, {dir.Path("1"), dir.Path("2"), dir.Path("3")}}, report));
        EXPECT_EQ(report.LastStatus(), named);
        EXPECT_FALSE(FilterByLength({input, 1, 10}, report));
        EXPECT_EQ(report.LastStatus(), named);
        std::string ids;
        EXPECT_FALSE(ReadIdFile(input, ids));
    }
    EXPECT_FALSE(fs::exists(dir.Path("1")));
}

}  // namespace
}  // namespace tulvarine
