#include <sys/stat.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "support/recording_report.h"
#include "support/temp_dir.h"
#include "tools/merge_fas_routines.h"

namespace tulvarine {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempDir;
using Texts = std::vector<std::string>;

class BatchReport : public testing::RecordingReport<BatchMergeReport> {
public:
    void ShowProgressBar(int maximum) override { bar.push_back("show " + std::to_string(maximum)); }
    void SetProgressPosition(int position) override { bar.push_back(std::to_string(position)); }
    void HideProgressBar() override { bar.push_back("hide"); }
    void FileStarted(std::size_t index, const std::string& name) override {
        files.push_back(std::to_string(index) + " " + name);
    }
    void FocusIdList() override { focused = true; }

    Texts bar, files;
    bool focused = false;
};

class BatchMerge : public ::testing::Test {
protected:
    BatchMerge() { fs::create_directory(dir.Path("genes")); }
    void Gene(const std::string& name, const std::string& bytes) { dir.Write("genes/" + name, bytes); }
    bool Merge(const std::string& ids, const std::string& folder = "genes/") {
        return MergeFolderById({folder.empty() ? "" : dir.Path(folder), ids}, report);
    }
    std::string Output() const { return ReadBytes(dir.Path("genes.merged.1.fas")); }

    TempDir dir;
    BatchReport report;
};

// A later piece fills the last line and ends it; a record ends with one CR LF.
TEST_F(BatchMerge, JoinsEachIdsPiecesInFileOrderAndWrapsThem) {
    Gene("b.FAS", ">x1 gene b\r\nCCCC\r\n>y\r\nTT\r\n");
    Gene("a.fa", ">x1\nAAAA\n>z\n" + std::string(130, 'G') + "\n");
    Gene("notes.txt", ">x1\nNNNN\n");  // no FASTA file
    EXPECT_TRUE(Merge("x1\nz\n"));
    EXPECT_EQ(Output(), ">x1\r\nAAAACCCC\r\n>z\r\n" + std::string(60, 'G') + "\r\n" + std::string(60, 'G') +
                            "\r\n" + std::string(10, 'G') + "\r\n");
    EXPECT_EQ(report.files, (Texts{"0 a.fa", "1 b.FAS"}));
    EXPECT_EQ(report.progress, (Texts{"1 / 2", "2 / 2", "2 / 2", "100% Done!"}));
    EXPECT_EQ(report.bar, (Texts{"show 2", "1", "2", "show 2", "2", "hide"}));
    EXPECT_EQ(report.statuses, (Texts{"Info:    Merging, please wait...", "Info:    Output the final sequences...",
                                      "Info:    Merge successfully!"}));
}

TEST_F(BatchMerge, MatchesIdsIgnoringCaseAndKeepsTheListsSpellingAndDuplicates) {
    Gene("1.fa", ">abc\nAA\n>ABC second record\nCC\n>gone\nTT\n");
    Gene("2.fa", ">Abc\nGG\n");
    EXPECT_TRUE(Merge("ABC\n\n  absent \t\nabc\nABC\r\n"));
    EXPECT_EQ(Output(), ">ABC\r\nAACC\r\nGG\r\n>absent\r\n\r\n>abc\r\nAACC\r\nGG\r\n>ABC\r\nAACC\r\nGG\r\n");
}

// Headers are trimmed lines of ">" and a non-space byte; a lone CR ends a line;
// NUL and Ctrl-Z are dropped; nothing before the first header counts.
TEST_F(BatchMerge, ReadsEveryLineEndingAndSkipsWhatIsNoRecord) {
    Gene("1-lf.fa", "AAAA\n>\n  >x  desc\n> x\nAC \n G\tT\n");
    Gene("2-crlf.fa", ">x\r\nGG\r\n\r\n");
    Gene("3-cr.fa", ">y\rTT\r>x\rCC\r");
    Gene("4-nul.fa", std::string(">x\0\x1A\nA\0C\n", 9));
    Gene("5-none.fa", "ACGT\nACGT\n");
    EXPECT_TRUE(Merge("x\ny"));
    EXPECT_EQ(Output(), ">x\r\n> xACG\tTGG\r\nCC\r\nAC\r\n>y\r\nTT\r\n");
}

TEST_F(BatchMerge, IdsThatLookLikePathsAreOnlyRecordNames) {
    Gene("1.fa", ">../evil\nAA\n>a/b\nCC\n>x|y\nGG\n");
    EXPECT_TRUE(Merge("../evil\na/b\nx|y\n"));
    EXPECT_EQ(Output(), ">../evil\r\nAA\r\n>a/b\r\nCC\r\n>x|y\r\nGG\r\n");
    // Nothing but the output was written: genes/, its file and the output.
    EXPECT_EQ(std::distance(fs::recursive_directory_iterator(dir.Root()), {}), 3);
}

TEST_F(BatchMerge, RefusesWhatItCannotMergeAndWritesNothing) {
    EXPECT_FALSE(Merge(" \n\n"));
    EXPECT_EQ(report.LastStatus(), "Error:    No ID list provided!");
    EXPECT_TRUE(report.focused);

    const fs::path before = fs::current_path();
    fs::current_path(dir.Root());
    EXPECT_FALSE(Merge("x", ""));
    fs::current_path(before);
    EXPECT_EQ(report.LastStatus(), "Error:    No folder provided!");
    EXPECT_FALSE(fs::exists(dir.Path(".merged.1.fas")));

    EXPECT_FALSE(Merge("x", "genes"));
    EXPECT_EQ(report.LastStatus(), "Error:    No fasta file in " + dir.Path("genes") + "!");
    EXPECT_FALSE(Merge("x", "missing/"));
    EXPECT_EQ(report.LastStatus(), "Error:    Cannot read the folder " + dir.Path("missing") +
                                       ": No such file or directory");
    EXPECT_EQ(ReadBytes(dir.Path("genes.merged.1.fas")), "<missing>");
    EXPECT_TRUE(report.bar.empty());
}

TEST_F(BatchMerge, AFileThatCannotBeReadStopsTheMerge) {
    Gene("a.fa", ">x\nAA\n");
    fs::create_symlink("/proc/self/mem", dir.Path("genes/broken.fa"));  // reading fails, whoever reads
    dir.Write("genes.merged.1.fas", "an older merge");
    EXPECT_FALSE(Merge("x"));
    EXPECT_EQ(report.LastStatus(), "Error:    Cannot read " + dir.Path("genes/broken.fa") + ": Input/output error");
    EXPECT_EQ(Output(), "an older merge");
    EXPECT_EQ(report.bar.back(), "hide");
}

TEST_F(BatchMerge, AnOutputThatCannotBeWrittenIsAnError) {
    Gene("a.fa", ">x\nAA\n");
    fs::create_directory(dir.Path("genes.merged.1.fas"));
    EXPECT_FALSE(Merge("x"));
    EXPECT_EQ(report.LastStatus(), "Error:    Cannot write " + dir.Path("genes.merged.1.fas") + ": Is a directory");
    EXPECT_TRUE(fs::is_directory(dir.Path("genes.merged.1.fas")));
    EXPECT_EQ(report.bar.back(), "hide");
}

// A hidden file (another run's temporary output) is no gene file; a folder
// box ending in "//" still writes beside the folder.
TEST_F(BatchMerge, SkipsHiddenFilesAndWritesBesideAFolderGivenWithSlashes) {
    Gene("a.fa", ">x\nAC\n");
    Gene(".a.fa.merged.1.fas.part-1-2", ">x\nTT\n");
    EXPECT_TRUE(Merge("x", "genes//"));
    EXPECT_EQ(Output(), ">x\r\nAC\r\n");
    EXPECT_EQ(report.files, (Texts{"0 a.fa"}));
    EXPECT_FALSE(fs::exists(dir.Path("genes/.merged.1.fas")));
}

TEST(ListIdsOfMergeFile, ListsHeadersAsReadOnePerLine) {
    TempDir dir;
    testing::RecordingReport<> report;
    const std::string path = dir.Write("a.fa", ">a desc\r\nAC\n  >indented\n>\n>b\r>a\n");
    EXPECT_EQ(ListIdsOfMergeFile(path, report), "a\r\nb\r\na\r\n");
    EXPECT_EQ(ListIdsOfMergeFile(dir.Path("missing.fa"), report), std::nullopt);
    EXPECT_EQ(report.LastStatus(), "Error:    Cannot open " + dir.Path("missing.fa") + ": No such file or directory");
}

class ManualReport : public testing::RecordingReport<ManualMergeReport> {
public:
    void FirstFileLoaded(const std::string& path) override {
        loaded = path;
        list.clear();
    }
    void RecordsMerged(const Texts& lines) override { list.insert(list.end(), lines.begin(), lines.end()); }

    std::string loaded;
    Texts list;
};

class ManualMerge : public ::testing::Test {
protected:
    std::string Saved() {
        EXPECT_TRUE(SaveMergeTable({first, second}, table, report));
        return ReadBytes(first + ".merged.2.fas");
    }

    TempDir dir;
    MergeTable table;
    ManualReport report;
    std::string first = dir.Write("1.fas", ">a\nAAA\n>b\nC\n  C\n>a\nTT\n");
    std::string second = dir.Write("2.fas", "junk\n>b\nGG\n>c\nTT\n>d\n");
};

TEST_F(ManualMerge, AppendsPerIdMovesMergedEntriesLastAndAccumulates) {
    ASSERT_TRUE(LoadFirstMergeFasta(first, table, report));
    EXPECT_EQ(report.loaded, first);
    EXPECT_TRUE(AddSecondMergeFasta(second, table, report));
    EXPECT_EQ(report.list, (Texts{"b        added successfully", "c        added successfully",
                                  "d        added successfully"}));
    EXPECT_EQ(report.progress, (Texts{"1/2", "2/2", "3/2"}));
    EXPECT_EQ(report.LastStatus(), "Info:    Add sucessfully!");
    EXPECT_TRUE(AddSecondMergeFasta(second, table, report));
    EXPECT_EQ(Saved(), ">a\r\nAAA\r\n>b\r\nCCGGGG\r\n>c\r\nTTTT\r\n>d\r\n\r\n");
    EXPECT_EQ(report.LastStatus(), "Info:    Save successful!");
    EXPECT_EQ(report.LastProgress(), "4/4");
}

TEST_F(ManualMerge, ANewFirstFileStartsANewTable) {
    ASSERT_TRUE(LoadFirstMergeFasta(first, table, report));
    ASSERT_TRUE(AddSecondMergeFasta(second, table, report));
    const std::string other = dir.Write("other.fas", ">b\nA\n");
    ASSERT_TRUE(LoadFirstMergeFasta(other, table, report));
    EXPECT_TRUE(report.list.empty());
    first = other;
    EXPECT_EQ(Saved(), ">b\r\nA\r\n");
}

TEST_F(ManualMerge, FilesThatCannotBeReadChangeNothing) {
    ASSERT_TRUE(LoadFirstMergeFasta(first, table, report));
    const std::string missing = dir.Path("missing.fas");
    EXPECT_FALSE(LoadFirstMergeFasta(missing, table, report));
    EXPECT_EQ(report.LastStatus(), "Error:    Cannot open " + missing + ": No such file or directory");
    EXPECT_EQ(report.loaded, first);
    EXPECT_FALSE(AddSecondMergeFasta("/proc/self/mem", table, report));
    EXPECT_EQ(report.LastStatus(), "Error:    Cannot read /proc/self/mem: Input/output error");
    const std::string fifo = dir.Path("fifo.fas");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(AddSecondMergeFasta(fifo, table, report));  // at once: no writer is waited for
    EXPECT_EQ(report.LastStatus(), "Error:    Cannot open " + fifo + ": not a regular file");
    EXPECT_TRUE(AddSecondMergeFasta(dir.Write("none.fas", "ACGT\n"), table, report));  // no record, no empty name
    EXPECT_EQ(Saved(), ">a\r\nAAA\r\n>b\r\nCC\r\n");
}

TEST_F(ManualMerge, SaveFailuresAreReported) {
    EXPECT_FALSE(SaveMergeTable({"", second}, table, report));
    EXPECT_EQ(report.LastStatus(), "Error:    No 1st fasta file provided!");
    fs::create_directory(first + ".merged.2.fas");
    EXPECT_FALSE(SaveMergeTable({first, second}, table, report));
    EXPECT_EQ(report.LastStatus(), "Error:    Cannot write " + first + ".merged.2.fas: Is a directory");
}

// A file added under the name Save writes stays as it is, whatever the
// boxes show by then.
TEST_F(ManualMerge, SaveNeverReplacesAFileThatWentIntoTheTable) {
    ASSERT_TRUE(LoadFirstMergeFasta(first, table, report));
    const std::string added = dir.Write("1.fas.merged.2.fas", ">e\nAA\n");
    ASSERT_TRUE(AddSecondMergeFasta(added, table, report));
    EXPECT_FALSE(SaveMergeTable({first, ""}, table, report));
    EXPECT_EQ(report.LastStatus(), "Error:    Cannot create " + added + ": it is an input of this run");
    EXPECT_EQ(ReadBytes(added), ">e\nAA\n");
}

}  // namespace
}  // namespace tulvarine
