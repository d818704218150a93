#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "support/folder_entries.h"
#include "support/recording_report.h"
#include "support/temp_dir.h"
#include "tools/align_format_routines.h"
#include "tools/aligner_fixtures.h"

namespace tulvarine {
namespace {

namespace fs = std::filesystem;

struct RecordingBatch : testing::RecordingReport<BatchAlignmentReport> {
    void ShowFiles(const TextArray& names) override { lines = names; }
    void SetFileLine(std::size_t index, const std::string& text) override { lines.at(index) = text; }
    void HandOver(const std::string& folder) override { handedOver.push_back(folder); }
    TextArray lines, handedOver;
};

struct RecordingConversion : testing::RecordingReport<FormatConversionReport> {
    void AddLine(const std::string& text) override { lines.push_back(text); }
    TextArray lines;
};

class AlignFormatRoutines : public ::testing::Test {
protected:
    AlignFormatRoutines() { fs::create_directory(dir.Path("program")); }  // the tools' working folder
    std::string Folder(const std::string& name, const TextArray& files = {}, const char* bytes = testing::kDnaFasta) {
        fs::create_directories(dir.Path(name));
        for (const std::string& file : files) dir.Write(name + "/" + file, bytes);
        return dir.Path(name);
    }
    RecordingBatch Batch(const std::string& folder, Aligner aligner) {
        RecordingBatch report;
        RunBatchAlignment({folder, aligner, dir.Path("program")}, report);
        return report;
    }

    testing::TempDir dir;
};

TEST_F(AlignFormatRoutines, BatchAlignsEachFileOnceAndTriesFailuresAgain) {
    const std::string in = Folder("in", {"a.fas", "B.fa", "c d.fas", "notes.txt"});
    dir.Write("in/empty.fas", "");
    dir.Write("in/words.fasta", "not FASTA at all\n");
    Folder("in/sub.fas");

    const RecordingBatch first = Batch(in + "/", Aligner::kMafft);
    const auto why = [](const std::string& file) { return "mafft wrote no result: " + file + " holds no sequence"; };
    EXPECT_EQ(first.lines, (TextArray{"a.fas    Aligned", "B.fa    Aligned", "c d.fas    Error! Space in Filename!",
                                      "empty.fas    Failed! " + why(in + "/empty.fas"), "words.fasta    Failed! " + why(in + "/words.fasta")}));
    EXPECT_EQ(first.progress.front(), "Aligning 1/5");
    EXPECT_EQ(first.LastProgress(), "Done!");
    EXPECT_EQ(first.statuses, TextArray{"Error:        3 of 5 files not aligned: c d.fas (a blank in the file name), "
                                        "empty.fas (" + why(in + "/empty.fas") + "), words.fasta (" + why(in + "/words.fasta") + ")"});
    EXPECT_EQ(first.handedOver, TextArray{in + "_align_Mafft"});
    EXPECT_EQ(testing::FolderEntries(in + "_align_Mafft"), (TextArray{"B.fa", "a.fas"}));  // nothing empty or partial
    EXPECT_EQ(testing::UngappedRecords(in + "_align_Mafft/a.fas"), testing::UngappedRecords(in + "/a.fas"));

    dir.Write("in/empty.fas", testing::kDnaFasta);  // mended
    EXPECT_EQ(Batch(in, Aligner::kMafft).lines,
              (TextArray{"a.fas    Aligned before. Pass!", "B.fa    Aligned before. Pass!",
                         "c d.fas    Error! Space in Filename!", "empty.fas    Aligned", "words.fasta    Failed! " + why(in + "/words.fasta")}));

    // A batch that aligned nothing leaves the conversion alone.
    const std::string bad = Folder("bad", {"x.fas"}, "not FASTA at all\n");
    const RecordingBatch none = Batch(bad, Aligner::kMafft);
    EXPECT_EQ(none.statuses, TextArray{"Error:        1 of 1 files not aligned: x.fas (" + why(bad + "/x.fas") +
                                       "); nothing to hand to the format conversion"});
    EXPECT_TRUE(none.handedOver.empty());
}

// A listed file that a FIFO replaces before its turn is refused with the
// reason (a tool would wait on it for good), and the batch goes on.
TEST_F(AlignFormatRoutines, AFileThatBecomesAFifoBeforeItsTurnIsRefusedAndTheBatchGoesOn) {
    const std::string in = Folder("in", {"a.fas", "b.fas", "c.fas"});
    const std::string b = in + "/b.fas";
    fs::create_directory(dir.Path("program/tools"));
    testing::WriteShellProgram(dir.Path("program/tools/muscle"),
                               "[ -p '" + b + "' ] || { rm '" + b + "' && mkfifo '" + b + "'; }\n" +
                                   testing::kHandBackTool);
    const RecordingBatch report = Batch(in, Aligner::kMuscle);
    const std::string why = "Cannot read " + b + ": not a regular file";
    EXPECT_EQ(report.lines, (TextArray{"a.fas    Aligned", "b.fas    Failed! " + why, "c.fas    Aligned"}));
    EXPECT_EQ(report.statuses, TextArray{"Error:        1 of 3 files not aligned: b.fas (" + why + ")"});
    EXPECT_EQ(report.handedOver, TextArray{in + "_align_Muscle"});
    EXPECT_EQ(testing::ReadBytes(in + "_align_Muscle/c.fas"), testing::kDnaFasta);
}

TEST_F(AlignFormatRoutines, MissingToolsAreNamedAfterTheOutputFolderIsMade) {
    const std::string in = Folder("in", {"x.fas"});
    const testing::ScopedPath noTools(Folder("empty"));
    const std::pair<Aligner, std::string> cases[] = {
        {Aligner::kMuscle, "Error:        There is no Muscle aligner available in folder 'tools'!"},
        {Aligner::kMafft, "Error:        There is no Mafft aligner available in folder 'tools'!"},
        {Aligner::kPrankCodon, "Error:        There is no Prank aligner available in folder 'tools'!"}};
    for (const auto& [aligner, message] : cases) {
        const RecordingBatch report = Batch(in, aligner);
        EXPECT_EQ(report.statuses, TextArray{message});
        EXPECT_TRUE(report.progress.empty() && report.handedOver.empty());
    }
    EXPECT_EQ(testing::FolderEntries(dir.Root().string()),
              (TextArray{"empty", "in", "in_align_Mafft", "in_align_Muscle", "in_align_PrankCodon", "program"}));

    RecordingConversion conversion;
    ConvertAlignmentFormats({in, {true, true, true, true}, dir.Path("program")}, conversion);
    EXPECT_EQ(conversion.statuses, TextArray{"Error:        There is no prank aligner available in folder 'tools'!"});
    EXPECT_FALSE(fs::exists(in + "_nexus"));
}

TEST_F(AlignFormatRoutines, BadFoldersEndTheBatchWithAReason) {
    EXPECT_TRUE(Batch("", Aligner::kMuscle).statuses.empty());
    const std::string missing = dir.Path("missing");
    const std::string none = Folder("none", {"readme.txt"});
    const std::string blocked = Folder("blocked", {"x.fas"});
    dir.Write("blocked_align_Muscle", "a file where the output folder would go");
    const std::string linked = Folder("linked", {"x.fas"});
    fs::create_directory_symlink(linked, linked + "_align_Muscle");
    const std::pair<std::string, std::string> cases[] = {
        {missing, "Error:        Cannot read the folder " + missing + ": No such file or directory"},
        {none, "Error:        No FASTA files (*.fa*) in the folder " + none},
        {blocked, "Error:        Cannot create the folder " + blocked + "_align_Muscle: File exists"},
        {linked, "Error:        The output folder is the input folder; nothing written: " + linked + "_align_Muscle"}};
    for (const auto& [folder, message] : cases) EXPECT_EQ(Batch(folder, Aligner::kMuscle).statuses, TextArray{message});
    EXPECT_FALSE(fs::exists(none + "_align_Muscle"));
    EXPECT_EQ(testing::FolderEntries(linked), TextArray{"x.fas"});

    if (::geteuid() == 0) return;  // the administrator writes into read-only folders
    fs::permissions(Folder("blocked_align_Mafft"), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(Batch(blocked, Aligner::kMafft).statuses,
              TextArray{"Error:        Cannot write in the folder " + blocked + "_align_Mafft: Permission denied"});
}

TEST_F(AlignFormatRoutines, ConversionConvertsEachFileIntoEachCheckedFormat) {
    const std::string in = Folder("aligned", {"a.fas", "b c.fas"}, ">a\nATG-CA\n>b\nATGGCA\n");
    dir.Write("aligned/words.fas", "not an alignment\n");
    RecordingConversion report;
    ConvertAlignmentFormats({in + "/", {true, false, true, true}, dir.Path("program")}, report);
    const std::string why = "prank exited with code 255: Input file format unrecognized. Only FASTA format supported. "
                            "Exiting.";
    EXPECT_EQ(report.lines, (TextArray{"a.fas => phylipi", "b c.fas => phylipi", "words.fas => phylipi    Failed! " + why,
                                       "a.fas => paml", "b c.fas => paml", "words.fas => paml    Failed! " + why,
                                       "a.fas => nexus", "b c.fas => nexus", "words.fas => nexus    Failed! " + why}));
    EXPECT_EQ(report.progress, (TextArray{"1/3", "2/3", "3/3", "1/3", "2/3", "3/3", "1/3", "2/3", "3/3", "Done!"}));
    EXPECT_EQ(report.statuses, TextArray{"Error:        3 of 9 conversions failed: words.fas => phylipi (" + why +
                                         "), words.fas => paml (" + why + "), words.fas => nexus (" + why + ")"});
    EXPECT_EQ(testing::FolderEntries(in + "_paml"), (TextArray{"a.fas.phy", "b c.fas.phy"}));  // a blank is passed whole
    EXPECT_EQ(testing::FolderEntries(in + "_nexus"), (TextArray{"a.fas.nex", "b c.fas.nex"}));
    EXPECT_FALSE(fs::exists(in + "_phylips"));

    RecordingConversion nothingChecked;
    ConvertAlignmentFormats({in, {}, dir.Path("program")}, nothingChecked);
    EXPECT_EQ(nothingChecked.progress, TextArray{"Done!"});
    EXPECT_EQ(nothingChecked.statuses, TextArray{"Info:    Format conversion completed!"});
}

}  // namespace
}  // namespace tulvarine
