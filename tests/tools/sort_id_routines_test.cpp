#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "model/file_bytes.h"
#include "support/recording_report.h"
#include "support/temp_dir.h"
#include "tools/sort_id_routines.h"

namespace tulvarine {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempDir;

class RecordingSortIdReport : public testing::RecordingReport<SortIdReport> {
public:
    void ClearLog() override { log = "<cleared>"; }
    void AppendLog(std::string_view text) override { log += text; }
    void SetProgressMaximum(std::int64_t maximum) override { bar.emplace_back(maximum, -1); }
    void SetProgressPosition(std::int64_t position) override { bar.emplace_back(-1, position); }

    std::string log;
    std::vector<std::pair<std::int64_t, std::int64_t>> bar;  // (maximum, -1) or (-1, position)
};

class SortIdTest : public ::testing::Test {
protected:
    bool Sort(SortOrder order, std::string_view bytes, std::string userOrder = {}) {
        input = dir.Write("in.fas", bytes);
        return SortFastaRecords({.inputPath = input, .order = order, .userOrder = std::move(userOrder), .idCount = 7},
                                report);
    }
    std::string Output(std::string_view suffix) const { return ReadBytes(input + std::string(suffix)); }

    TempDir dir;
    std::string input;
    RecordingSortIdReport report;
};

// Blank lines stay, lines are trimmed (tabs kept), CR LF and LF alike, NUL
// dropped, a line with ">" inside opens a record, lines before the first
// header line go, and a repeated header line keeps each record's own body.
constexpr char kMixed[] =
    "ignored\n>b\r\n  AC GT  \n\n>X\n\tTT\n>x\nG\0G\nx>y mid\nCC\n>a\nA\n>b\nSECOND\n";

TEST_F(SortIdTest, AlphabeticalKeepsEveryRecordInTheExchangeSortsOrder) {
    ASSERT_TRUE(Sort(SortOrder::kAlphabetical, std::string_view(kMixed, sizeof kMixed - 1)));
    EXPECT_EQ(Output(".auto.sort.1.fas"),
              ">a\r\nA\r\n>b\r\nAC GT\r\n\r\n>b\r\nSECOND\r\n>X\r\n\tTT\r\n>x\r\nGG\r\nx>y mid\r\nCC\r\n");
    EXPECT_EQ(report.log, "<cleared>>a\r\n>b\r\n>b\r\n>X\r\n>x\r\nx>y mid\r\n");
    EXPECT_EQ(report.statuses, (std::vector<std::string>{"Info:        Start Sorting!", "Info:        Sort successfully!"}));
    EXPECT_EQ(report.progress.back(), "Done!");
    EXPECT_EQ(report.progress.at(report.progress.size() - 2), "6/6");
    // Reading counts header lines against the preview's count, writing against n.
    using Bar = std::pair<std::int64_t, std::int64_t>;
    EXPECT_EQ(report.bar.front(), Bar(7, -1));
    EXPECT_NE(std::find(report.bar.begin(), report.bar.end(), Bar(6, -1)), report.bar.end());
    EXPECT_EQ(report.bar.back(), Bar(-1, 6));
}

TEST_F(SortIdTest, LengthOrdersGroupEqualLengthsAlphabetically) {
    const std::string bytes = ">c\nACG-T\n\nAC GT\n>b tab\there\nAAAAAAAAAAAA\n>a\nCCCCCCCCCC\n>c\nGG\n";
    ASSERT_TRUE(Sort(SortOrder::kLengthDescending, bytes));
    EXPECT_EQ(Output(".auto.sort.2.1.fas"),
              ">b tab\there\r\nAAAAAAAAAAAA\r\n>a\r\nCCCCCCCCCC\r\n>c\r\nACG-T\r\n\r\nAC GT\r\n>c\r\nGG\r\n");
    EXPECT_EQ(report.log, "<cleared>>b tab\there  len=12\r\n>a  len=10\r\n>c  len=10\r\n>c  len=2\r\n");
    EXPECT_EQ(report.progress, (std::vector<std::string>{"1/3", "2/3", "3/3", "Done!"}));

    ASSERT_TRUE(Sort(SortOrder::kLengthAscending, bytes));
    EXPECT_EQ(Output(".auto.sort.2.2.fas").substr(0, 10), ">c\r\nGG\r\n>a");
}

TEST_F(SortIdTest, UserOrderFindsLiteralIdsAndRenames) {
    const std::string bytes =
        ">seq2 desc\nAA\n\nTT\n>seq3\nC\n>SEQ3.2\nG\nx>y\n>HLA-A*02:01|x\nH\n>aX1\nN\n>seq(1)\nP\n>Abc\nQ\n";
    const std::string box = "seq2  new2\nseq3\n  \nseq3 a b\nHLA-A*02:01\na.1\nseq(1)\n>abc\t>renamed\r\nmissing\n";
    ASSERT_TRUE(Sort(SortOrder::kUserOrder, bytes, box));
    EXPECT_EQ(Output(".auto.sort.3.fas"),
              ">new2\r\nAA\r\nTT\r\n>seq3\r\nG\r\nx>y\r\n>seq3\r\nG\r\nx>y\r\n>HLA-A*02:01\r\nH\r\n>seq(1)\r\nP\r\n"
              ">renamed\r\nQ\r\n");
    EXPECT_EQ(report.log,
              "<cleared>seq2 ==> new2\r\nseq3 ==> seq3\r\nseq3 ==> seq3\r\nHLA-A*02:01 ==> HLA-A*02:01\r\n"
              "a.1 Not found\r\nseq(1) ==> seq(1)\r\n>abc ==> >renamed\r\nmissing Not found\r\n");
    // The blank third line moves nothing: the label goes from 2/9 to 4/9.
    EXPECT_EQ(report.progress.at(1), "2/9");
    EXPECT_EQ(report.progress.at(2), "4/9");
}

TEST_F(SortIdTest, FailuresSayWhichFileAndLeaveNoOutput) {
    // No file at the path: it is named, with the reason.
    SortSettings missing;
    missing.inputPath = dir.Path("missing.fas");
    EXPECT_FALSE(SortFastaRecords(missing, report));
    EXPECT_EQ(report.statuses, (std::vector<std::string>{"Error:        Cannot open " + missing.inputPath +
                                                         ": No such file or directory"}));

    // An output name that cannot be written, and one that is the input itself.
    fs::create_directory(dir.Path("in.fas.auto.sort.1.fas"));
    EXPECT_FALSE(Sort(SortOrder::kAlphabetical, ">a\nA\n"));
    EXPECT_EQ(report.LastStatus(), "Error:        Cannot write " + input + ".auto.sort.1.fas: Is a directory");
    fs::create_symlink(input, input + ".auto.sort.3.fas");
    EXPECT_FALSE(Sort(SortOrder::kUserOrder, ">a\nA\n", "a"));
    EXPECT_EQ(report.LastStatus(), "Error:        Cannot open " + input + ".auto.sort.3.fas: it is an input of this run");
    EXPECT_EQ(ReadBytes(input), ">a\nA\n");
    EXPECT_TRUE(fs::is_directory(input + ".auto.sort.1.fas"));
}

TEST_F(SortIdTest, AnUnreadableInputIsNamedAndNothingIsWritten) {
    ASSERT_TRUE(Sort(SortOrder::kAlphabetical, ">a\nA\n"));
    fs::permissions(input, fs::perms::none);
    if (::access(input.c_str(), R_OK) == 0) GTEST_SKIP() << "running as a user who may read anything";
    EXPECT_FALSE(SortFastaRecords({.inputPath = input, .order = SortOrder::kAlphabetical, .userOrder = {}, .idCount = 0},
                                  report));
    EXPECT_EQ(report.LastStatus(), "Error:        Cannot open " + input + ": Permission denied");
    ClassifySettings settings;
    settings.inputPath = input;
    settings.keywords = "a";
    EXPECT_FALSE(ClassifyByKeywords(settings, report));
    EXPECT_EQ(report.LastStatus(), "Error:        Cannot open " + input + ": Permission denied");
    EXPECT_FALSE(fs::exists(input + "a.class.fas"));
}

// An input that never ends (a FIFO without a writer) is named at once by both
// runs, as a missing one is; only an empty file box says nothing.
TEST_F(SortIdTest, OddAndMissingInputsAreNamedAtOnce) {
    const std::string fifo = dir.Path("fifo.fas");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(SortFastaRecords({.inputPath = fifo, .order = SortOrder::kAlphabetical, .userOrder = {}, .idCount = 0},
                                  report));
    EXPECT_EQ(report.LastStatus(), "Error:        Cannot open " + fifo + ": not a regular file");
    for (const std::string& path : {fifo, dir.Path("missing.fas")}) {
        EXPECT_FALSE(ClassifyByKeywords({.inputPath = path, .keywords = "a", .idCount = 0}, report));
        EXPECT_EQ(report.LastStatus(), "Error:        Cannot open " + path + ": " + ReadFailureReason(path));
    }
    report.statuses.clear();
    EXPECT_FALSE(SortFastaRecords({}, report));
    EXPECT_TRUE(report.statuses.empty());
}

TEST_F(SortIdTest, AnInputWithoutHeaderLinesGivesAnEmptyFile) {
    ASSERT_TRUE(Sort(SortOrder::kLengthAscending, "ACGT\r\nACGT\r"));
    EXPECT_EQ(Output(".auto.sort.2.2.fas"), "");
    // A lone CR ends a line as LF does: each record is one.
    ASSERT_TRUE(Sort(SortOrder::kAlphabetical, ">b\rGG\r>a\rTT\r"));
    EXPECT_EQ(Output(".auto.sort.1.fas"), ">a\r\nTT\r\n>b\r\nGG\r\n");
}

TEST(PreviewSortIds, ListsHeaderLinesOfSmallFilesWholeAndCutsLargeOnes) {
    TempDir dir;
    std::vector<std::string> parsed;
    struct Sink : ProgressSink {
        std::vector<std::string>* texts;
        void SetText(const std::string& text) override { texts->push_back(text); }
    } sink;
    sink.texts = &parsed;
    constexpr char kSmall[] = "x\n   >one  \r\nAC>GT\n>t\0wo\n\xE3\x80\x80>three\n";
    const std::string small = dir.Write("small.fas", std::string_view(kSmall, sizeof kSmall - 1));
    SortIdPreview preview = PreviewSortIds(small, &sink);
    EXPECT_EQ(preview.listing, "one  \r\ntwo\r\nthree\r\n");
    EXPECT_EQ(preview.count, 3);
    EXPECT_TRUE(preview.whole);
    EXPECT_EQ(parsed.back(), "Raw order: 3  parsed");

    std::string large;
    for (int i = 0; large.size() <= 1'000'000; ++i) large += ">r" + std::to_string(i) + "\n" + std::string(1990, 'A') + "\n";
    preview = PreviewSortIds(dir.Write("large.fas", large));
    EXPECT_EQ(preview.listing, "r0\r\nr1\r\nr2\r\nr3\r\nr4\r\nr5\r\nr6\r\nr7\r\nr8\r\nr9\r\n...file size > 1Mb\r\n"
                               "...Skip listing the raw IDs\r\n...Click Sort to continue\r\n");
    EXPECT_EQ(preview.count, 30000);
    EXPECT_FALSE(preview.whole);
    // 1,000,000 bytes exactly are still listed whole.
    const std::string exact = ">a\n" + std::string(1'000'000 - 6, 'C') + "\n>b";
    preview = PreviewSortIds(dir.Write("exact.fas", exact));
    EXPECT_EQ(preview.count, 2);
    EXPECT_TRUE(preview.whole);

    preview = PreviewSortIds(dir.Path("missing.fas"));
    EXPECT_EQ(preview.listing, "");
    EXPECT_EQ(preview.count, 0);
    EXPECT_EQ(PreviewDoneLabel(preview.count), "Raw order: 0  Done");
}

// Bytes this process has read so far ("rchar" of /proc/self/io); -1 when unknown.
long long BytesReadSoFar() {
    std::ifstream io("/proc/self/io");
    std::string key;
    long long value = 0;
    while (io >> key >> value)
        if (key == "rchar:") return value;
    return -1;
}

TEST(PreviewSortIds, ShowsLongHeadersCutAndReadsNoFurtherThanTheTenthOnesStart) {
    TempDir dir;
    // A whole listing: a header longer than the reader's pieces, blanks before one.
    const std::string wide = std::string(700'000, 'w');
    SortIdPreview preview = PreviewSortIds(dir.Write("wide.fas", ">" + wide + "\nAC\n  >b\n"));
    EXPECT_EQ(preview.listing, wide.substr(0, 1000) + "\u2026\r\nb\r\n");
    EXPECT_EQ(preview.count, 2);

    // A cut listing whose tenth header is 16 MiB long: only its start is read.
    std::string fasta;
    for (int i = 1; i <= 9; ++i) fasta += ">r" + std::to_string(i) + "\nAC\n";
    const std::string tenth = "r10 " + std::string(16 << 20, 'x');
    const std::string path = dir.Write("long.fas", fasta + ">" + tenth + "\nAC\n>r11\nAC\n");
    const long long before = BytesReadSoFar();
    ASSERT_GE(before, 0);
    preview = PreviewSortIds(path);
    EXPECT_LT(BytesReadSoFar() - before, 4 << 20);  // a block or two
    EXPECT_EQ(preview.listing, "r1\r\nr2\r\nr3\r\nr4\r\nr5\r\nr6\r\nr7\r\nr8\r\nr9\r\n" + tenth.substr(0, 1000) +
                                   "\u2026\r\n...file size > 1Mb\r\n...Skip listing the raw IDs\r\n...Click Sort to continue\r\n");
}

TEST(ClassifyByKeywords, WritesOneFilePerKeywordAndNothingOutsideTheInputsFolder) {
    TempDir dir;
    const std::string input = dir.Write("in.fas", ">Homo_1\nAA\n\n>mus_2\nCC\n>Mus_homo_3\nGG\n>mus_2\nTT\n");
    fs::create_directory(input + "x");  // a "/" keyword would write into it
    RecordingSortIdReport report;
    const std::string longKeyword(300, 'k');
    ClassifySettings settings;
    settings.inputPath = input;
    settings.keywords = "Homo\n\nmus\r\nx/evil\na:b|c\\d\n" + longKeyword + "\n";
    ASSERT_FALSE(ClassifyByKeywords(settings, report));
    EXPECT_EQ(ReadBytes(input + "Homo.class.fas"), ">Homo_1\r\nAA\r\n>Mus_homo_3\r\nGG\r\n");
    EXPECT_EQ(ReadBytes(input + "mus.class.fas"), ">mus_2\r\nCC\r\n>Mus_homo_3\r\nGG\r\n>mus_2\r\nTT\r\n");
    EXPECT_EQ(ReadBytes(input + "a:b|c\\d.class.fas"), "");
    EXPECT_TRUE(fs::is_empty(input + "x"));
    EXPECT_EQ(report.log, "Homo\r\nmus\r\nx/evil (not written)\r\na:b|c\\d\r\n" + longKeyword + " (not written)\r\n");
    EXPECT_EQ(report.progress, (std::vector<std::string>{"1/6", "3/6", "4/6", "5/6", "6/6", "Done!"}));
    EXPECT_EQ(report.LastStatus(), "Error:        Cannot open " + input + "x/evil.class.fas!");
}

}  // namespace
}  // namespace tulvarine
