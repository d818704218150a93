#include <sys/stat.h>

#include <algorithm>
#include <random>

#include <gtest/gtest.h>

#include "model/fasta_cuts.h"
#include "model/sequence_set.h"
#include "support/recording_progress.h"
#include "support/fasta_file_test.h"
#include "support/temp_dir.h"

namespace tulvarine {
namespace {

using testing::ReadBytes;
using testing::RecordingProgress;
using testing::TempDir;

class ReadFasta : public testing::FastaFileTest {};

TEST_F(ReadFasta, EmptyFileIsAnEmptySet) {
    const SequenceSet set = Read("");
    EXPECT_EQ(set.Count(), 0);
    EXPECT_EQ(set.AlignmentLength(), 0u);
    EXPECT_EQ(Read("ACGT\r\nno header\r\n").Count(), 0);
}

TEST_F(ReadFasta, JoinsSequenceLinesAndSkipsLinesBeforeTheFirstHeader) {
    const SequenceSet set = Read("x\r\n>a\r\nAC GT\r\n\r\nTT\r\n>b\r\n");
    ASSERT_EQ(set.Count(), 2);
    ASSERT_EQ(set.Sequences().size(), 2u);
    EXPECT_EQ(Header(set, 0), "a");
    EXPECT_EQ(Residues(set, 0), "ACGTTT");
    EXPECT_EQ(Header(set, 1), "b");
    EXPECT_EQ(Residues(set, 1), "");
    EXPECT_EQ(set.AlignmentLength(), 6u);
}

TEST_F(ReadFasta, HeadersAreRecognisedAfterTrimmingBlanksButNotTabs) {
    const SequenceSet set = Read("\t>x\n  >a  \nac\xE3\x80\x80-*.9\n\t>b\n>>c\n>\n> id\n");
    ASSERT_EQ(set.Count(), 4);
    EXPECT_EQ(Header(set, 0), "a");
    EXPECT_EQ(Residues(set, 0), "ac-*.9\t>b");
    EXPECT_EQ(Header(set, 1), ">c");
    EXPECT_EQ(Header(set, 2), "");
    EXPECT_EQ(Header(set, 3), " id");
}

TEST_F(ReadFasta, CarriageReturnOnlyFileHoldsItsRecords) {
    const SequenceSet set = Read(">a\rAC\rGT\r>b\r");
    ASSERT_EQ(set.Count(), 2);
    EXPECT_EQ(Header(set, 0), "a");
    EXPECT_EQ(Residues(set, 0), "ACGT");
    EXPECT_EQ(Header(set, 1), "b");
}

TEST_F(ReadFasta, NulAndCtrlZBytesAreDroppedAndNoRecordIsLost) {
    const SequenceSet set = Read(std::string(">a\0b\nAC\x1AGT\n\0\n>c\nTT", 18));
    ASSERT_EQ(set.Count(), 2);
    EXPECT_EQ(Header(set, 0), "ab");
    EXPECT_EQ(Residues(set, 0), "ACGT");
    EXPECT_EQ(Residues(set, 1), "TT");
}

TEST_F(ReadFasta, LinesLongerThanOneBlockGiveTheSameRecords) {
    const std::string longSequence(3'000'001, 'A');
    const std::string longId(2'000'000, 'h');
    const std::string blanks(700'000, ' ');
    std::string bytes = ">" + longId + " desc\r\n" + blanks + "CC" + longSequence + "\r\r\n";
    bytes += blanks + ">next  \r\n" + blanks + "\r\n" + std::string(1'500'000, 'G') + "\r";
    const SequenceSet set = Read(bytes);
    ASSERT_EQ(set.Count(), 2);
    EXPECT_EQ(Header(set, 0), longId + " desc");
    EXPECT_EQ(Residues(set, 0), "CC" + longSequence);  // the lone CR before CRLF ends an empty line
    EXPECT_EQ(Header(set, 1), "next");
    EXPECT_EQ(Residues(set, 1), std::string(1'500'000, 'G'));
}

// Files over 16 MB are read in stretches on several threads; the records must
// come out exactly as a plain reading gives them, whatever falls on a cut.
TEST_F(ReadFasta, LargeFilesReadInStretchesKeepEveryRecordInOrder) {
    std::string bytes = "junk before the first header\n";
    std::vector<std::pair<std::string, std::string>> expected;
    const std::string kinds[] = {">plain", "  >indented", ">crlf", ">cr-only"};
    for (int r = 0; expected.size() < 14000 || bytes.size() < 20'000'000; ++r) {
        const std::string id = "rec" + std::to_string(r);
        std::string residues(200 + (r * 7919) % 2500, "ACGT"[r % 4]);
        residues[r % residues.size()] = 'n';
        const std::string& kind = kinds[r % 4];
        const char* lineEnd = r % 4 == 3 ? "\r" : r % 4 == 2 ? "\r\n" : "\n";
        bytes += kind + " " + id + lineEnd;
        for (std::size_t i = 0; i < residues.size(); i += 61) bytes += residues.substr(i, 61) + " " + lineEnd;
        if (r % 97 == 0) bytes += std::string("\0\n", 2);
        expected.emplace_back(kind.substr(kind.find('>') + 1) + " " + id, residues);
    }
    const SequenceSet set = Read(bytes);
    ASSERT_EQ(set.Count(), int(expected.size()));
    ASSERT_EQ(set.Sequences().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(Header(set, int(i)), expected[i].first) << i;
        ASSERT_EQ(Residues(set, int(i)), expected[i].second) << i;
    }
    RecordingProgress display;
    SequenceSet shown;
    ASSERT_TRUE(shown.ReadFasta(dir.Path("in.fas"), &display));
    ASSERT_EQ(display.texts.size(), expected.size());
    EXPECT_EQ(display.texts.front(), "plain");
    EXPECT_EQ(display.Last(), expected.back().first.substr(0, expected.back().first.find(' ')));
}

// A stretch starts at a ">" that any line end comes right before.
TEST_F(ReadFasta, StretchesAreCutAfterEveryKindOfLineEnd) {
    const std::string path = dir.Write("cuts.fas", ">a\rAAAA\r>b\rCCCC\r\n>c\nGG\n");
    EXPECT_EQ(FindRecordCuts(path, 23, 1), (std::vector<std::size_t>{0, 8, 17}));
}

TEST_F(ReadFasta, BinaryJunkIsReadWithoutHarmAndKeepsTheInvariants) {
    std::mt19937 random(99);
    std::string junk(300'000, '\0');
    for (char& c : junk) c = char(random() % 8 == 0 ? '>' : random() % 8 == 1 ? '\n' : random() % 256);
    const SequenceSet set = Read(junk);
    ASSERT_GT(set.Count(), 1000);
    ASSERT_EQ(set.Sequences().size(), set.Headers().size());
    for (int i = 0; i < set.Count(); ++i) {
        const std::string residues = Residues(set, i);
        ASSERT_EQ(residues.find_first_of(std::string("\r\n \0\x1A", 5)), std::string::npos);
        ASSERT_EQ(Header(set, i).find_first_of(std::string("\n\0\x1A", 3)), std::string::npos);
    }
    // Every operation takes any bytes.
    EXPECT_TRUE(set.WriteOrfs(dir.Path("junk.orf"), GeneticCode::kStandard, 30, "MKV", kMostSimilarOrf));
    EXPECT_TRUE(set.Translate(GeneticCode{3}, SequenceHeader::kId, dir.Path("junk.pep")).fileWritten);
}

TEST_F(ReadFasta, AFolderOrAMissingFileIsNotRead) {
    SequenceSet set;
    EXPECT_FALSE(set.ReadFasta(dir.Root().string()));
    EXPECT_FALSE(set.ReadFasta(dir.Path("missing.fas")));
    EXPECT_FALSE(set.ReadFasta(""));
}

TEST_F(ReadFasta, ReadingAgainReplacesAndAMissingFileEmpties) {
    SequenceSet set = Read(">a\nA\n>b\nC\n");
    ASSERT_TRUE(set.ReadFasta(dir.Write("other.fas", ">z\nG\n")));
    ASSERT_EQ(set.Count(), 1);
    EXPECT_EQ(Header(set, 0), "z");
    EXPECT_FALSE(set.ReadFasta(dir.Path("missing.fas")));
    EXPECT_EQ(set.Count(), 0);
    EXPECT_EQ(set.Sequences().size(), 0u);
}

TEST_F(ReadFasta, ReadOnlyFilesCanBeRead) {
    const std::string path = dir.Write("ro.fas", ">a\nAC\n");
    ::chmod(path.c_str(), 0444);
    SequenceSet set;
    EXPECT_TRUE(set.ReadFasta(path));
    EXPECT_EQ(set.Count(), 1);
}

TEST_F(ReadFasta, ShowsTheIdOfEachHeaderAsItIsRead) {
    RecordingProgress display;
    SequenceSet set;
    ASSERT_TRUE(set.ReadFasta(dir.Write("in.fas", ">s1 one\nA\n>s2 two\nC\n>s3 three\nG\n"), &display));
    EXPECT_EQ(display.texts, (std::vector<std::string>{"s1", "s2", "s3"}));
}

TEST_F(ReadFasta, FindSequenceMatchesHeadersByMode) {
    const SequenceSet set = Read(">a\nAC\n>abc.1 x\nGG\n>q\nTT\n");
    std::string name = ">a";
    EXPECT_EQ(set.FindSequence(name), "AC");
    EXPECT_EQ(name, "a");
    name = "ABC";
    EXPECT_EQ(set.FindSequence(name, SequenceHeader::kStartsWith), "GG");
    name = "x";
    EXPECT_EQ(set.FindSequence(name, SequenceHeader::kEndsWith), "GG");
    name = "none";
    EXPECT_EQ(set.FindSequence(name), "");
    SequenceSet empty;
    EXPECT_EQ(empty.FindSequence(name), "");
}

TEST_F(ReadFasta, CopiesAreIndependent) {
    auto set = std::make_unique<SequenceSet>(Read(">a\nAC\n>b\nGT\n"));
    const SequenceSet copy = set->Copy();
    set->Release();
    set.reset();
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(Residues(copy, 1), "GT");
    EXPECT_EQ(Header(copy, 1), "b");
}

class TranslateSet : public ReadFasta {};

TEST_F(TranslateSet, ManyRecordsComeOutInOrderWithProgressForEach) {
    std::string bytes, expected;
    for (int r = 0; r < 5000; ++r) {
        std::string codons;
        for (int k = 0; k < r % 50; ++k) codons += "CCC";
        bytes += ">r" + std::to_string(r) + "\nATG" + codons + "TAA\n";
        expected += ">r" + std::to_string(r) + "\r\nM" + std::string(std::size_t(r % 50), 'P') + "*\r\n";
    }
    const SequenceSet set = Read(bytes);
    RecordingProgress progress;
    const std::string out = dir.Path("out.fas");
    const TranslatedSet result = set.Translate(GeneticCode{0}, SequenceHeader::kWhole, out, &progress);
    EXPECT_TRUE(result.fasta == expected) << "first difference at byte "
        << std::mismatch(result.fasta.begin(), result.fasta.end(), expected.begin(), expected.end()).first - result.fasta.begin();
    EXPECT_TRUE(ReadBytes(out) == expected);
    ASSERT_EQ(progress.texts.size(), 5000u);
    EXPECT_EQ(progress.texts[41], "42/5000");
    EXPECT_EQ(progress.Last(), "5000/5000");
}

TEST_F(TranslateSet, WritesOneUnwrappedProteinPerRecord) {
    const SequenceSet set = Read(">h1 first\n\n>h2 second\nATGTTT\nTAAGG\n");
    RecordingProgress progress;
    const std::string out = dir.Path("out.fas");
    const TranslatedSet result = set.Translate(GeneticCode{0}, SequenceHeader::kWhole, out, &progress);
    const std::string expected = ">h1 first\r\n\r\n>h2 second\r\nMF*\r\n";
    EXPECT_EQ(result.fasta, expected);
    EXPECT_TRUE(result.fileWritten);
    EXPECT_EQ(ReadBytes(out), expected);
    EXPECT_EQ(progress.texts, (std::vector<std::string>{"1/2", "2/2"}));
    EXPECT_EQ(set.Translate(GeneticCode{1}, SequenceHeader::kId).fasta, ">h1\r\n\r\n>h2\r\nMF*\r\n");
    EXPECT_EQ(set.Translate(GeneticCode{0}, SequenceHeader::kDescription).fasta, ">first\r\n\r\n>second\r\nMF*\r\n");
}

TEST_F(TranslateSet, EmptySetLeavesAnEmptyFile) {
    const SequenceSet set;
    const std::string out = dir.Write("out.fas", "old content");
    const TranslatedSet result = set.Translate(GeneticCode{0}, SequenceHeader::kWhole, out);
    EXPECT_EQ(result.fasta, "");
    EXPECT_TRUE(result.fileWritten);
    EXPECT_EQ(ReadBytes(out), "");
}

TEST_F(TranslateSet, ReportsAnOutputThatCannotBeWrittenButKeepsTheText) {
    const SequenceSet set = Read(">a\nATG\n");
    const TranslatedSet result = set.Translate(GeneticCode{0}, SequenceHeader::kWhole, dir.Path("no-such-folder/out.fas"));
    EXPECT_FALSE(result.fileWritten);
    EXPECT_EQ(result.fasta, ">a\r\nM\r\n");
}

}  // namespace
}  // namespace tulvarine
