#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/paths.h"
#include "support/temp_dir.h"
#include "tools/aligner_fixtures.h"
#include "tools/aligners.h"

namespace tulvarine {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::ScopedEnvironment;
using testing::TempDir;
using testing::UngappedRecords;

std::string MakeProgram(const TempDir& dir, const std::string& name, bool executable = true) {
    const std::string path = dir.Write(name, "#!/bin/sh\nexit 0\n");
    ::chmod(path.c_str(), executable ? 0755 : 0644);
    return path;
}

std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(FindTool, ToolsFolderFirstThenPathElseMissing) {
    TempDir dir;
    fs::create_directories(dir.Path("program/tools"));
    fs::create_directories(dir.Path("bin"));
    fs::create_directories(dir.Path("empty"));
    const std::string program = dir.Path("program");
    const std::string besideMuscle = MakeProgram(dir, "program/tools/muscle");
    MakeProgram(dir, "program/tools/mafft", false);  // not a program: PATH is asked
    const std::string pathMafft = MakeProgram(dir, "bin/mafft");
    MakeProgram(dir, "bin/muscle");

    {
        const ScopedEnvironment path("PATH", ":" + dir.Path("empty") + ":" + dir.Path("bin"));
        EXPECT_EQ(FindTool(program, "muscle"), besideMuscle);
        EXPECT_EQ(FindTool(program, "mafft"), pathMafft);
        EXPECT_EQ(FindTool(program, "prank"), "");
    }
    const ScopedEnvironment path("PATH", dir.Path("empty"));
    EXPECT_EQ(FindTool(dir.Path("nowhere"), "muscle"), "");
}

struct AlignerCase {
    Aligner aligner;
    const char* input;
    const char* name;
    friend void PrintTo(const AlignerCase& c, std::ostream* os) { *os << c.name; }
};

class AlignFileWithEachAligner : public ::testing::TestWithParam<AlignerCase> {};

TEST_P(AlignFileWithEachAligner, KeepsEveryRecordAndLeavesNothingElse) {
    const AlignerCase c = GetParam();
    TempDir dir;
    fs::create_directories(dir.Path("program"));
    fs::create_directories(dir.Path("out"));
    const std::string input = dir.Write("in.fas", c.input);
    const std::string tool = FindTool(dir.Path("program"), ToolFileName(c.aligner));
    ASSERT_FALSE(tool.empty()) << "install the aligners (scripts/install-deps)";

    const std::string output = dir.Path("out/in.fas");
    ASSERT_TRUE(AlignFile(c.aligner, tool, input, output, dir.Path("program")));
    const std::string result = AlignedFilePath(c.aligner, output);
    EXPECT_EQ(UngappedRecords(result), UngappedRecords(input));
    EXPECT_EQ(Entries(dir.Path("out")), std::vector<std::string>{fs::path(result).filename().string()});
    EXPECT_TRUE(Entries(dir.Path("program")).empty());  // the tools' working folder stays clean
}

INSTANTIATE_TEST_SUITE_P(RealAligners, AlignFileWithEachAligner,
                         ::testing::Values(AlignerCase{Aligner::kMuscle, testing::kDnaFasta, "Muscle"},
                                           AlignerCase{Aligner::kMafft, testing::kDnaFasta, "Mafft"},
                                           AlignerCase{Aligner::kPrankDna, testing::kDnaFasta, "PrankDna"},
                                           AlignerCase{Aligner::kPrankProtein, testing::kProteinFasta, "PrankProtein"},
                                           AlignerCase{Aligner::kPrankCodon, testing::kDnaFasta, "PrankCodon"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AlignFile, AFailedRunPutsNothingInPlaceAndKeepsAnOlderResult) {
    TempDir dir;
    const std::string empty = dir.Write("empty.fas", "");
    const std::string notFasta = dir.Write("words.fas", "no records here\njust words\n");
    const std::string mafft = FindTool(dir.Path("none"), kMafftTool);
    const std::string muscle = FindTool(dir.Path("none"), kMuscleTool);
    const std::string prank = FindTool(dir.Path("none"), kPrankTool);

    // mafft ends well on an empty input but writes nothing.
    EXPECT_FALSE(AlignFile(Aligner::kMafft, mafft, empty, dir.Path("a.fas"), dir.Root()));
    EXPECT_FALSE(AlignFile(Aligner::kMuscle, muscle, notFasta, dir.Path("b.fas"), dir.Root()));
    EXPECT_FALSE(AlignFile(Aligner::kPrankDna, prank, notFasta, dir.Path("c.fas"), dir.Root()));
    EXPECT_FALSE(AlignFile(Aligner::kMuscle, "", dir.Write("in.fas", testing::kDnaFasta), dir.Path("d.fas"),
                           dir.Root()));
    EXPECT_FALSE(fs::exists(dir.Path("a.fas")));
    EXPECT_FALSE(fs::exists(dir.Path("b.fas")));
    EXPECT_FALSE(fs::exists(dir.Path("c.fas.best.fas")));
    EXPECT_FALSE(fs::exists(dir.Path("d.fas")));

    dir.Write("older.fas", ">kept\nACGT\n");
    EXPECT_FALSE(AlignFile(Aligner::kMafft, mafft, notFasta, dir.Path("older.fas"), dir.Root()));
    EXPECT_EQ(ReadBytes(dir.Path("older.fas")), ">kept\nACGT\n");
    EXPECT_EQ(Entries(dir.Root().string()).size(), 4u);  // the inputs and the older file: no scratch left
}

TEST(ConvertFile, FourFormatsNamedByTheConverterAndAFailure) {
    TempDir dir;
    const std::string prank = FindTool(dir.Path("none"), kPrankTool);
    const std::string aligned = dir.Write("aln.fas", ">a\nATG-CA\n>b\nATGGCA\n>c\nATGGC-\n");
    for (const AlignmentFormat format :
         {AlignmentFormat::kPhylipi, AlignmentFormat::kPhylips, AlignmentFormat::kPaml, AlignmentFormat::kNexus}) {
        const std::string output = dir.Path(std::string("aln.fas.") + std::string(FormatName(format)));
        ASSERT_TRUE(ConvertFile(format, prank, aligned, output, dir.Root())) << FormatName(format);
        const std::string converted = ReadBytes(ConvertedFilePath(output, format));
        if (format == AlignmentFormat::kNexus)
            EXPECT_TRUE(converted.starts_with("#NEXUS")) << converted;
        else
            EXPECT_TRUE(TrimBlanks(converted.substr(0, converted.find('\n'))) == "3 6") << converted;
    }
    EXPECT_FALSE(ConvertFile(AlignmentFormat::kNexus, prank, dir.Write("x.fas", "not an alignment\n"),
                             dir.Path("x.fas"), dir.Root()));
    EXPECT_FALSE(fs::exists(dir.Path("x.fas.nex")));
}

TEST(AlignFile, NoCommandInAFolderOrFileNameEverRuns) {
    TempDir dir;
    // Blanks, quotes and every shell metacharacter, in the folder and the file
    // name. Had a shell read them, "pwned" would appear in the working folder.
    const std::string folder = dir.Path("in ;$(touch pwned)`touch pwned`&|>'\"\nx");
    fs::create_directories(folder);
    const std::string input = JoinPath(folder, "$(touch pwned);`touch pwned`&x.fas");
    std::ofstream(input, std::ios::binary) << testing::kDnaFasta;
    const std::string program = dir.Path("program");
    fs::create_directories(program);

    for (const Aligner aligner : {Aligner::kMuscle, Aligner::kMafft, Aligner::kPrankDna}) {
        const std::string output = JoinPath(folder, std::string(ToolFileName(aligner)) + " $(touch pwned).fas");
        EXPECT_TRUE(AlignFile(aligner, FindTool(program, ToolFileName(aligner)), input, output, program))
            << ToolFileName(aligner);
        EXPECT_EQ(UngappedRecords(AlignedFilePath(aligner, output)), UngappedRecords(input));
    }
    EXPECT_TRUE(ConvertFile(AlignmentFormat::kNexus, FindTool(program, kPrankTool), input, input + " conv", program));
    EXPECT_TRUE(fs::exists(input + " conv.nex"));
    EXPECT_TRUE(Entries(program).empty());
}

}  // namespace
}  // namespace tulvarine
