#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/paths.h"
#include "model/text.h"
#include "support/folder_entries.h"
#include "support/temp_dir.h"
#include "tools/aligner_fixtures.h"
#include "tools/aligners.h"

namespace tulvarine {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempDir;
using testing::UngappedRecords;

TEST(FindTool, ToolsFolderFirstThenPathElseMissing) {
    TempDir dir;
    for (const char* folder : {"program/tools", "bin", "empty"}) fs::create_directories(dir.Path(folder));
    for (const char* program : {"program/tools/muscle", "program/tools/mafft", "bin/mafft", "bin/muscle"}) {
        dir.Write(program, "#!/bin/sh\n");
        ::chmod(dir.Path(program).c_str(), std::string(program) == "program/tools/mafft" ? 0644 : 0755);
    }
    const testing::ScopedPath path(":" + dir.Path("empty") + ":" + dir.Path("bin"));
    EXPECT_EQ(FindTool(dir.Path("program"), "muscle"), dir.Path("program/tools/muscle"));
    EXPECT_EQ(FindTool(dir.Path("program"), "mafft"), dir.Path("bin/mafft"));  // the one beside is no program
    EXPECT_EQ(FindTool(dir.Path("program"), "prank"), "");
}

class EachAligner : public ::testing::TestWithParam<Aligner> {};

TEST_P(EachAligner, KeepsEveryRecordAndLeavesNothingElse) {
    TempDir dir;
    fs::create_directories(dir.Path("program"));
    fs::create_directories(dir.Path("out"));
    const std::string input = dir.Write("in.fas", testing::kDnaFasta);
    const std::string output = dir.Path("out/in.fas");
    ASSERT_TRUE(AlignFile(GetParam(), FindTool(dir.Path("program"), ToolFileName(GetParam())), input, output,
                          dir.Path("program"))
                    .placed);
    const std::string result = AlignedFilePath(GetParam(), output);
    EXPECT_EQ(UngappedRecords(result), UngappedRecords(input));
    EXPECT_EQ(testing::FolderEntries(dir.Path("out")), std::vector<std::string>{fs::path(result).filename().string()});
    EXPECT_TRUE(testing::FolderEntries(dir.Path("program")).empty());  // the tools' working folder stays clean
}

INSTANTIATE_TEST_SUITE_P(RealAligners, EachAligner,
                         ::testing::Values(Aligner::kMuscle, Aligner::kMafft, Aligner::kPrankDna,
                                           Aligner::kPrankProtein, Aligner::kPrankCodon));

TEST(AlignFile, AFailedRunPutsNothingInPlaceAndKeepsAnOlderResult) {
    TempDir dir;
    const std::string empty = dir.Write("empty.fas", "");
    const std::string words = dir.Write("words.fas", "no records here\n");
    const std::string older = dir.Write("older.fas", ">kept\nACGT\n");
    const auto tool = [&](std::string_view name) { return FindTool(dir.Path("none"), name); };
    // mafft ends well on an empty input, but writes nothing: the file is the cause, not mafft's advice.
    const ToolRun nothing = AlignFile(Aligner::kMafft, tool(kMafftTool), empty, dir.Path("a.fas"), dir.Root());
    EXPECT_FALSE(nothing.placed);
    EXPECT_EQ(nothing.failure, "mafft wrote no result: " + empty + " holds no sequence");
    const ToolRun muscle = AlignFile(Aligner::kMuscle, tool(kMuscleTool), words, dir.Path("b.fas"), dir.Root());
    EXPECT_EQ(muscle.failure, "muscle exited with code 1: ---Fatal error--- Expected '>' in FASTA, got 'no records here'");
    EXPECT_FALSE(AlignFile(Aligner::kPrankDna, tool(kPrankTool), words, dir.Path("c.fas"), dir.Root()).placed);
    EXPECT_FALSE(AlignFile(Aligner::kMafft, tool(kMafftTool), words, older, dir.Root()).placed);
    EXPECT_FALSE(ConvertFile(AlignmentFormat::kNexus, tool(kPrankTool), words, dir.Path("d.fas"), dir.Root()).placed);
    EXPECT_EQ(ReadBytes(older), ">kept\nACGT\n");
    EXPECT_EQ(testing::FolderEntries(dir.Root().string()), (std::vector<std::string>{"empty.fas", "older.fas", "words.fas"}));
}

// testing::kDnaFasta with each LF replaced by end.
std::string DnaFastaEndedBy(std::string_view end) {
    std::string text = testing::kDnaFasta;
    ReplaceAll(text, "\n", end);
    return text;
}

// A tool reads what it is handed: LF, CR LF and lone-CR inputs reach every
// aligner and every conversion as the same LF text.
TEST(AlignFile, EveryToolReadsLfLinesWhateverTheInputsLineEnds) {
    TempDir dir;
    const std::string tool = testing::WriteShellProgram(dir.Path("standin"), testing::kHandBackTool);
    const std::string output = dir.Path("out");
    std::string lone = DnaFastaEndedBy("\r");
    lone.pop_back();  // and no line end after the last line
    for (const std::string& form : {DnaFastaEndedBy("\n"), DnaFastaEndedBy("\r\n"), lone}) {
        const std::string input = dir.Write("in.fas", form);
        for (const Aligner aligner : {Aligner::kMuscle, Aligner::kMafft, Aligner::kPrankDna}) {
            ASSERT_TRUE(AlignFile(aligner, tool, input, output, dir.Root()).placed) << int(aligner);
            EXPECT_EQ(ReadBytes(AlignedFilePath(aligner, output)), testing::kDnaFasta) << int(aligner) << form;
        }
        for (const AlignmentFormat format :
             {AlignmentFormat::kPhylipi, AlignmentFormat::kPhylips, AlignmentFormat::kPaml, AlignmentFormat::kNexus}) {
            ASSERT_TRUE(ConvertFile(format, tool, input, output, dir.Root()).placed) << FormatName(format);
            EXPECT_EQ(ReadBytes(ConvertedFilePath(output, format)), testing::kDnaFasta) << FormatName(format) << form;
        }
    }
}

TEST(AlignFile, RealMuscleGivesTheSameBytesForEveryLineEnd) {
    TempDir dir;
    const std::string muscle = FindTool(dir.Path("none"), kMuscleTool);
    std::vector<std::string> results;
    for (const std::string_view end : {"\n", "\r\n", "\r"}) {
        const std::string name = "in" + std::to_string(results.size()) + ".fas";
        const std::string input = dir.Write(name, DnaFastaEndedBy(end));
        ASSERT_TRUE(AlignFile(Aligner::kMuscle, muscle, input, dir.Path("out-" + name), dir.Root()).placed) << end;
        results.push_back(ReadBytes(dir.Path("out-" + name)));
    }
    EXPECT_EQ(results[1], results[0]);
    EXPECT_EQ(results[2], results[0]);
    EXPECT_EQ(results[0].find('\r'), std::string::npos);
    EXPECT_EQ(UngappedRecords(dir.Path("out-in0.fas")), UngappedRecords(dir.Path("in0.fas")));
}

// The reason is the tool's telling line, with the user's paths where the tool
// named its scratch paths.
TEST(AlignFile, AFailureNamesTheCauseAndTheUsersFiles) {
    TempDir dir;
    const std::string prank = FindTool(dir.Path("none"), kPrankTool);
    // PRANK warns of the changed names first, then ends on the real cause.
    const std::string codons = dir.Write("codons.fas", ">a x\nATGGCTAAGC\n>b y\nATGGCAAAGC\n");
    EXPECT_EQ(AlignFile(Aligner::kPrankCodon, prank, codons, dir.Path("c.fas"), dir.Root()).failure,
              "prank wrote no result: codon sequence length is not multiple of three!");
    const std::string one = dir.Write("one.fas", ">a\nATGGCTAAGC\n");
    EXPECT_EQ(AlignFile(Aligner::kPrankDna, prank, one, dir.Path("o.fas"), dir.Root()).failure,
              "prank wrote no result: Only one sequence in " + one + "!");

    const std::string talker = testing::WriteShellProgram(
        dir.Path("muscle"), R"(echo "cannot write $4 ($TMPDIR/part) from $2" >&2; exit 1)");
    EXPECT_EQ(AlignFile(Aligner::kMuscle, talker, one, dir.Path("m.fas"), dir.Root()).failure,
              "muscle exited with code 1: cannot write " + dir.Path("m.fas") + " (<temporary folder>/part) from " + one);
    EXPECT_EQ(AlignFile(Aligner::kMuscle, talker, dir.Path("gone.fas"), dir.Path("m.fas"), dir.Root()).failure,
              "Cannot read " + dir.Path("gone.fas") + ": No such file or directory");
}

TEST(ConvertFile, FourFormatsNamedAsTheConverterNamesThem) {
    TempDir dir;
    const std::string aligned = dir.Write("aln.fas", ">a\nATG-CA\n>b\nATGGCA\n>c\nATGGC-\n");
    for (const AlignmentFormat format :
         {AlignmentFormat::kPhylipi, AlignmentFormat::kPhylips, AlignmentFormat::kPaml, AlignmentFormat::kNexus}) {
        const std::string output = dir.Path("aln." + std::string(FormatName(format)));
        ASSERT_TRUE(ConvertFile(format, FindTool(dir.Path("none"), kPrankTool), aligned, output, dir.Root()).placed);
        const std::string converted = ReadBytes(ConvertedFilePath(output, format));
        const std::string firstLine(TrimBlanks(converted.substr(0, converted.find('\n'))));
        EXPECT_EQ(firstLine, format == AlignmentFormat::kNexus ? "#NEXUS" : "3 6") << FormatName(format);
    }
}

TEST(AlignFile, NoCommandInAFolderOrFileNameEverRuns) {
    TempDir dir;
    // Blanks, quotes and shell metacharacters in the folder and the file names.
    // Had a shell read them, "pwned" would appear in the working folder.
    const std::string folder = dir.Path("in ;$(touch pwned)`touch pwned`&|>'\"\nx");
    const std::string program = dir.Path("program");
    fs::create_directories(folder);
    fs::create_directories(program);
    const std::string input = JoinPath(folder, "$(touch pwned);`touch pwned`&x.fas");
    std::ofstream(input, std::ios::binary) << testing::kDnaFasta;
    for (const Aligner aligner : {Aligner::kMuscle, Aligner::kMafft, Aligner::kPrankDna}) {
        const std::string output = JoinPath(folder, std::string(ToolFileName(aligner)) + " $(touch pwned).fas");
        EXPECT_TRUE(AlignFile(aligner, FindTool(program, ToolFileName(aligner)), input, output, program).placed);
        EXPECT_EQ(UngappedRecords(AlignedFilePath(aligner, output)), UngappedRecords(input));
    }
    EXPECT_TRUE(ConvertFile(AlignmentFormat::kNexus, FindTool(program, kPrankTool), input, input + ";x", program).placed);
    EXPECT_TRUE(fs::exists(input + ";x.nex"));
    EXPECT_TRUE(testing::FolderEntries(program).empty());
}

}  // namespace
}  // namespace tulvarine
