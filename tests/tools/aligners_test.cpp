#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/paths.h"
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
    // mafft ends well on an empty input, but writes nothing; its warning is no cause, its last line is told.
    const ToolRun nothing = AlignFile(Aligner::kMafft, tool(kMafftTool), empty, dir.Path("a.fas"), dir.Root());
    EXPECT_FALSE(nothing.placed);
    EXPECT_EQ(nothing.failure, "mafft wrote no result: To disable this change, add the --leavegappyregion option.");
    const ToolRun muscle = AlignFile(Aligner::kMuscle, tool(kMuscleTool), words, dir.Path("b.fas"), dir.Root());
    EXPECT_EQ(muscle.failure, "muscle exited with code 1: ---Fatal error--- Expected '>' in FASTA, got 'no records here'");
    EXPECT_FALSE(AlignFile(Aligner::kPrankDna, tool(kPrankTool), words, dir.Path("c.fas"), dir.Root()).placed);
    EXPECT_FALSE(AlignFile(Aligner::kMafft, tool(kMafftTool), words, older, dir.Root()).placed);
    EXPECT_FALSE(ConvertFile(AlignmentFormat::kNexus, tool(kPrankTool), words, dir.Path("d.fas"), dir.Root()).placed);
    EXPECT_EQ(ReadBytes(older), ">kept\nACGT\n");
    EXPECT_EQ(testing::FolderEntries(dir.Root().string()), (std::vector<std::string>{"empty.fas", "older.fas", "words.fas"}));
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
