#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/recording_report.h"
#include "support/temp_dir.h"
#include "tools/align_format_routines.h"
#include "tools/aligner_fixtures.h"

namespace tulvarine {
namespace {

namespace fs = std::filesystem;
using testing::ScopedEnvironment;
using testing::TempDir;
using testing::UngappedRecords;

struct RecordingBatch : testing::RecordingReport<BatchAlignmentReport> {
    void ShowFiles(const TextArray& names) override { lines = names; }
    void SetFileLine(std::size_t index, const std::string& text) override { lines.at(index) = text; }
    void HandOver(const std::string& folder) override { handedOver.push_back(folder); }

    TextArray lines, handedOver;
};

struct RecordingConversion : testing::RecordingReport<FormatConversionReport> {
    void AddLine(const std::string& text) override { lines.push_back(text); }
    void AppendToLastLine(const std::string& note) override { lines.back() += note; }

    TextArray lines;
};

class AlignFormatRoutines : public ::testing::Test {
protected:
    AlignFormatRoutines() { fs::create_directories(Program()); }
    std::string Program() const { return dir.Path("program"); }
    std::string Folder(const std::string& name) const {
        fs::create_directories(dir.Path(name));
        return dir.Path(name);
    }
    // The tools are missing: neither beside the program nor on PATH.
    ScopedEnvironment NoTools() const {
        fs::create_directories(dir.Path("empty"));
        return ScopedEnvironment("PATH", dir.Path("empty"));
    }
    TextArray Files(const std::string& folder) const {
        TextArray names;
        for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TempDir dir;
};

TEST_F(AlignFormatRoutines, BatchAlignsEachFileOnceAndKeepsFailuresForTheNextRun) {
    const std::string in = Folder("in");
    dir.Write("in/a.fas", testing::kDnaFasta);
    dir.Write("in/B.fa", testing::kDnaFasta);
    dir.Write("in/c d.fas", testing::kDnaFasta);
    dir.Write("in/empty.fas", "");
    dir.Write("in/words.fasta", "not FASTA at all\n");
    dir.Write("in/notes.txt", testing::kDnaFasta);
    Folder("in/sub.fas");
    const BatchAlignmentSettings settings{in, Aligner::kMafft, Program()};

    RecordingBatch first;
    RunBatchAlignment(settings, first);
    EXPECT_EQ(first.lines, (TextArray{"a.fas    Aligned", "B.fa    Aligned", "c d.fas    Error! Space in Filename!",
                                      "empty.fas    Failed!", "words.fasta    Failed!"}));
    EXPECT_EQ(first.progress.front(), "Aligning 1/5");
    EXPECT_EQ(first.progress.back(), "Done!");
    EXPECT_EQ(first.statuses, TextArray{"Error:        3 of 5 files not aligned: c d.fas, empty.fas, words.fasta"});
    EXPECT_EQ(first.handedOver, TextArray{in + "_align_Mafft"});
    EXPECT_EQ(Files(in + "_align_Mafft"), (TextArray{"B.fa", "a.fas"}));  // no empty or partial result
    EXPECT_EQ(UngappedRecords(in + "_align_Mafft/a.fas"), UngappedRecords(in + "/a.fas"));

    dir.Write("in/empty.fas", testing::kDnaFasta);  // mended: tried again
    RecordingBatch second;
    RunBatchAlignment(settings, second);
    EXPECT_EQ(second.lines,
              (TextArray{"a.fas    Aligned before. Pass!", "B.fa    Aligned before. Pass!",
                         "c d.fas    Error! Space in Filename!", "empty.fas    Aligned", "words.fasta    Failed!"}));
}

TEST_F(AlignFormatRoutines, BatchWithEachAlignerWritesBesideTheFolderWithoutItsTrailingSlash) {
    const struct {
        Aligner aligner;
        const char* suffix;
        const char* file;
    } cases[] = {{Aligner::kMuscle, "_align_Muscle", "x.fas"},
                 {Aligner::kMafft, "_align_Mafft", "x.fas"},
                 {Aligner::kPrankProtein, "_align_PrankAA", "x.fas.best.fas"},
                 {Aligner::kPrankDna, "_align_PrankDNA", "x.fas.best.fas"},
                 {Aligner::kPrankCodon, "_align_PrankCodon", "x.fas.best.fas"}};
    const std::string in = Folder("in");
    dir.Write("in/x.fas", testing::kDnaFasta);
    for (const auto& c : cases) {
        RecordingBatch view;
        RunBatchAlignment({in + "/", c.aligner, Program()}, view);
        EXPECT_EQ(view.handedOver, TextArray{in + c.suffix});
        EXPECT_EQ(Files(in + c.suffix), TextArray{c.file});
        EXPECT_EQ(view.statuses, TextArray{"Info:    Alignment completed!"});
    }
}

TEST_F(AlignFormatRoutines, BatchWithAMissingToolMakesItsFolderAndSaysWhichTool) {
    const auto noTools = NoTools();
    const std::string in = Folder("in");
    dir.Write("in/x.fas", testing::kDnaFasta);
    const struct {
        Aligner aligner;
        const char* suffix;
        const char* message;
    } cases[] = {
        {Aligner::kMuscle, "_align_Muscle", "Error:        There is no Muscle aligner available in folder 'tools'!"},
        {Aligner::kMafft, "_align_Mafft", "Error:        There is no Mafft aligner available in folder 'tools'!"},
        {Aligner::kPrankCodon, "_align_PrankCodon",
         "Error:        There is no Prank aligner available in folder 'tools'!"}};
    for (const auto& c : cases) {
        RecordingBatch view;
        RunBatchAlignment({in, c.aligner, Program()}, view);
        EXPECT_EQ(view.statuses, TextArray{c.message});
        EXPECT_EQ(view.lines, TextArray{"x.fas"});
        EXPECT_TRUE(view.progress.empty());
        EXPECT_TRUE(view.handedOver.empty());
        EXPECT_TRUE(fs::is_directory(in + c.suffix));
        EXPECT_TRUE(Files(in + c.suffix).empty());
    }
}

TEST_F(AlignFormatRoutines, BadFoldersEndTheBatchWithAReason) {
    RecordingBatch untouched;
    RunBatchAlignment({"", Aligner::kMuscle, Program()}, untouched);
    EXPECT_TRUE(untouched.statuses.empty() && untouched.lines.empty() && untouched.progress.empty());

    const std::string missing = dir.Path("missing");
    const std::string none = Folder("none");
    dir.Write("none/readme.txt", "x");
    const std::string blocked = Folder("blocked");
    dir.Write("blocked/x.fas", testing::kDnaFasta);
    dir.Write("blocked_align_Muscle", "a file where the output folder would go");
    const std::string linked = Folder("linked");
    dir.Write("linked/x.fas", testing::kDnaFasta);
    fs::create_directory_symlink(linked, linked + "_align_Muscle");

    const std::pair<std::string, std::string> cases[] = {
        {missing, "Error:        Cannot read the folder " + missing + ": No such file or directory"},
        {none, "Error:        No FASTA files (*.fa*) in the folder " + none},
        {blocked, "Error:        Cannot create the folder " + blocked + "_align_Muscle: File exists"},
        {linked, "Error:        The output folder is the input folder; nothing written: " + linked + "_align_Muscle"}};
    for (const auto& [folder, message] : cases) {
        RecordingBatch view;
        RunBatchAlignment({folder, Aligner::kMuscle, Program()}, view);
        EXPECT_EQ(view.statuses, TextArray{message});
        EXPECT_TRUE(view.handedOver.empty());
    }
    EXPECT_FALSE(fs::exists(none + "_align_Muscle"));
    EXPECT_EQ(Files(linked), TextArray{"x.fas"});  // the input was not replaced
}

TEST_F(AlignFormatRoutines, BatchReportsAFolderItCannotWriteIn) {
    if (::geteuid() == 0) GTEST_SKIP() << "the administrator writes into read-only folders";
    const std::string in = Folder("in");
    dir.Write("in/x.fas", testing::kDnaFasta);
    Folder("in_align_Muscle");
    fs::permissions(in + "_align_Muscle", fs::perms::owner_read | fs::perms::owner_exec);
    RecordingBatch view;
    RunBatchAlignment({in, Aligner::kMuscle, Program()}, view);
    EXPECT_EQ(view.statuses, TextArray{"Error:        Cannot write in the folder " + in + "_align_Muscle: Permission denied"});
    fs::permissions(in + "_align_Muscle", fs::perms::owner_all);
}

TEST_F(AlignFormatRoutines, ConversionWritesEachCheckedFormatIntoItsFolder) {
    const std::string in = Folder("aligned");
    dir.Write("aligned/a.fas", ">a\nATG-CA\n>b\nATGGCA\n");
    dir.Write("aligned/b c.fas", ">c\nAT-GCA\n>d\nATGGCA\n");  // a blank is passed whole: converted
    RecordingConversion view;
    ConvertAlignmentFormats({in + "/", {true, true, true, true}, Program()}, view);

    EXPECT_EQ(view.lines, (TextArray{"a.fas => phylipi", "b c.fas => phylipi", "a.fas => phylips",
                                     "b c.fas => phylips", "a.fas => paml", "b c.fas => paml", "a.fas => nexus",
                                     "b c.fas => nexus"}));
    EXPECT_EQ(view.progress, (TextArray{"1/2", "2/2", "1/2", "2/2", "1/2", "2/2", "1/2", "2/2", "Done!"}));
    EXPECT_EQ(view.statuses, TextArray{"Info:    Format conversion completed!"});
    for (const char* format : {"phylipi", "phylips", "paml"})
        EXPECT_EQ(Files(in + "_" + format), (TextArray{"a.fas.phy", "b c.fas.phy"})) << format;
    EXPECT_EQ(Files(in + "_nexus"), (TextArray{"a.fas.nex", "b c.fas.nex"}));
}

TEST_F(AlignFormatRoutines, ConversionMarksFailuresAndNeedsPrank) {
    const std::string in = Folder("aligned");
    dir.Write("aligned/a.fas", ">a\nATG-CA\n>b\nATGGCA\n");
    dir.Write("aligned/words.fas", "not an alignment\n");

    RecordingConversion failing;
    ConvertAlignmentFormats({in, {false, false, false, true}, Program()}, failing);
    EXPECT_EQ(failing.lines, (TextArray{"a.fas => nexus", "words.fas => nexus    Failed!"}));
    EXPECT_EQ(failing.statuses, TextArray{"Error:        1 of 2 conversions failed: words.fas => nexus"});
    EXPECT_FALSE(fs::exists(in + "_phylipi"));

    RecordingConversion nothingChecked;
    ConvertAlignmentFormats({in, {}, Program()}, nothingChecked);
    EXPECT_TRUE(nothingChecked.lines.empty());
    EXPECT_EQ(nothingChecked.progress, TextArray{"Done!"});
    EXPECT_EQ(nothingChecked.statuses, TextArray{"Info:    Format conversion completed!"});

    const auto noTools = NoTools();
    fs::remove_all(in + "_nexus");
    RecordingConversion missing;
    ConvertAlignmentFormats({in, {true, true, true, true}, Program()}, missing);
    EXPECT_EQ(missing.statuses, TextArray{"Error:        There is no prank aligner available in folder 'tools'!"});
    EXPECT_TRUE(missing.lines.empty());
    EXPECT_FALSE(fs::exists(in + "_nexus"));
}

}  // namespace
}  // namespace tulvarine
