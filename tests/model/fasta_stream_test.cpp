#include <sys/stat.h>
#include <unistd.h>

#include <random>
#include <set>

#include <gtest/gtest.h>

#include "model/fasta_stream.h"
#include "model/id_query_list.h"
#include "support/recording_progress.h"
#include "support/temp_dir.h"

namespace tulvarine {
namespace {

using testing::ReadBytes;
using testing::RecordingProgress;
using testing::TempDir;
using Texts = std::vector<std::string>;

class IdFilter : public ::testing::Test {
protected:
    // Runs an extraction (or removal) of ids over input and returns the output bytes.
    std::string Extract(std::string_view input, const TextArray& ids, bool reverseComplement = false) {
        return Run(true, input, ids, reverseComplement);
    }
    std::string Remove(std::string_view input, const TextArray& ids, bool reverseComplement = false) {
        return Run(false, input, ids, reverseComplement);
    }
    std::string Run(bool extract, std::string_view input, const TextArray& ids, bool reverseComplement) {
        FastaStream stream;
        EXPECT_TRUE(stream.Open(dir.Write("in.fas", input)));
        const std::string out = dir.Path("in.fas.out");
        progress.texts.clear();
        const bool ok = extract ? stream.ExtractByIds(ids, reverseComplement, out, &progress)
                                : stream.RemoveByIds(ids, reverseComplement, out, &progress);
        EXPECT_TRUE(ok);
        EXPECT_EQ(progress.Last(), "Done! Outfile = in.fas.out");
        return ReadBytes(out);
    }

    TempDir dir;
    RecordingProgress progress;
};

constexpr std::string_view kMatchingInput =
    ">abc\r\nA\r\n>abc.1 x\r\nC\r\n>ABC desc\r\nG\r\n>ABC\r\nT\r\n>abcd\r\nAA\r\n>gi|12|ref\r\nCC\r\n>gi|123\r\nGG\r\n";

TEST_F(IdFilter, IdMatchesTheWholeLineOrItsStartBeforeADotBarOrWhiteSpace) {
    EXPECT_EQ(Extract(kMatchingInput, {"abc", "gi|12"}),
              ">abc\r\nA\r\n>abc.1 x\r\nC\r\n>ABC desc\r\nG\r\n>gi|12|ref\r\nCC\r\n");
    EXPECT_EQ(Remove(kMatchingInput, {"abc", "gi|12"}), ">ABC\r\nT\r\n>abcd\r\nAA\r\n>gi|123\r\nGG\r\n");
    // Typed with its ">" or without, blanks around it or not: the same query.
    EXPECT_EQ(Extract(kMatchingInput, {"  >abc\xE3\x80\x80", ">gi|12 "}),
              ">abc\r\nA\r\n>abc.1 x\r\nC\r\n>ABC desc\r\nG\r\n>gi|12|ref\r\nCC\r\n");
    // A tab after the ID counts as white space; a blank before the ">" allows equality only.
    EXPECT_EQ(Extract(">s1\tx\nA\n >s1 x\nC\n >s1\nG\n", {"s1", " >s1"}), ">s1\tx\r\nA\r\n");
    EXPECT_EQ(Extract(">s1 x y\nA\n>s1 xy\nC\n>s1 x\nG\n", {"s1 x", "none"}), ">s1 x y\r\nA\r\n>s1 x\r\nG\r\n");
}

TEST_F(IdFilter, PatternCharactersInIdsAreOrdinaryBytes) {
    const std::string input =
        ">HLA-A*02:01:01 allele\nAC\n>HLA-AAA02:01:01\nGT\n>seq(1)\nCC\n>seq1\nTT\n>x+1|p\nAA\n>xx1\nGG\n"
        ">a.1\nA\n>aX1\nC\n>a[1 z\nG\n>[\nT\n";
    EXPECT_EQ(Extract(input, {"HLA-A*02:01:01", "seq(1)", "x+1", "a.1", "a[1", ".*"}),
              ">HLA-A*02:01:01 allele\r\nAC\r\n>seq(1)\r\nCC\r\n>x+1|p\r\nAA\r\n>a.1\r\nA\r\n>a[1 z\r\nG\r\n");
    EXPECT_EQ(Extract(input, {"["}), ">[\r\nT\r\n");
}

TEST_F(IdFilter, StopsOnlyOnceEveryIdHasMatched) {
    const std::string input = ">abc 1\nA\n>abc 2\nC\n>xyz\nG\n>abc 3\nT\n";
    EXPECT_EQ(Extract(input, {"abc", "xyz"}), ">abc 1\r\nA\r\n>abc 2\r\nC\r\n>xyz\r\nG\r\n");
    EXPECT_EQ(progress.texts, (Texts{"extracting >abc 1    1/2", "extracting >abc 2    2/2", "extracting >xyz    3/2",
                                     "Done! Outfile = in.fas.out"}));
    // One ID: the first match is enough.
    EXPECT_EQ(Extract(input, {"abc"}), ">abc 1\r\nA\r\n");
    // An ID that never matches: the whole file is read, every match written.
    EXPECT_EQ(Extract(input, {"abc", "none"}), ">abc 1\r\nA\r\n>abc 2\r\nC\r\n>abc 3\r\nT\r\n");
    // Duplicate IDs and IDs that differ only in case are all marked by one record.
    EXPECT_EQ(Extract(input, {"abc", "abc", "ABC"}), ">abc 1\r\nA\r\n");
    EXPECT_EQ(progress.texts, (Texts{"extracting >abc 1    1/3", "Done! Outfile = in.fas.out"}));
    // Two IDs matching one record are both marked by it.
    EXPECT_EQ(Extract(">abc.1 x\nA\n>abc.1 y\nC\n", {"abc", "abc.1"}), ">abc.1 x\r\nA\r\n");
}

TEST_F(IdFilter, EmptyIdListsExtractNothingAndRemoveNothing) {
    const std::string input = ">a\nAC\n>b\nGT\n";
    for (const TextArray& ids : {TextArray{}, TextArray{"", "  ", "\xE3\x80\x80"}}) {
        EXPECT_EQ(Extract(input, ids), "");
        EXPECT_EQ(progress.texts, (Texts{"Done! Outfile = in.fas.out"}));
        EXPECT_EQ(Remove(input, ids), ">a\r\nAC\r\n>b\r\nGT\r\n");
    }
}

TEST_F(IdFilter, RemovalCountsTheRecordsLeftOut) {
    EXPECT_EQ(Remove("junk\n>a 1\nAC\n>b\nGT\n>a 2\nTT\n", {"a", "c"}), ">b\r\nGT\r\n");
    EXPECT_EQ(progress.texts, (Texts{"extracting >a 1    1/2", "extracting >a 2    2/2", "Done! Outfile = in.fas.out"}));
}

TEST_F(IdFilter, AnyLineHoldingAGreaterThanSignStartsARecord) {
    const std::string input = ">a\nAC>GT\nTT\n>b\nCC\n";
    EXPECT_EQ(Extract(input, {"a"}), ">a\r\n\r\n");
    EXPECT_EQ(Remove(input, {"a"}), "AC>GT\r\nTT\r\n>b\r\nCC\r\n");
}

TEST_F(IdFilter, SequencesAreWrappedAtSixtyOrReverseComplementedOnOneLine) {
    const std::string line70 = std::string(35, 'A') + std::string(35, 'c');
    const std::string input = ">r1 desc\r\n" + line70 + "\r\n" + line70 + "\r\n>r2\r\nac gt\r\n";
    EXPECT_EQ(Extract(input, {"r1", "r2"}), ">r1 desc\r\n" + (line70 + line70).substr(0, 60) + "\r\n" +
                                                (line70 + line70).substr(60, 60) + "\r\n" +
                                                (line70 + line70).substr(120) + "\r\n>r2\r\nac gt\r\n");
    EXPECT_EQ(Extract(input, {"r1", "r2"}, true),
              ">r1 desc\r\n" + std::string(35, 'G') + std::string(35, 'T') + std::string(35, 'G') +
                  std::string(35, 'T') + "\r\n>r2\r\nACGT\r\n");
    EXPECT_EQ(Remove(">r3\nRYK-N*u\n", {}, true), ">r3\r\nNNNNMRY\r\n");
}

TEST_F(IdFilter, RecordsOverOneHundredThousandBytesAreNoticedAndStayOnOneLine) {
    const std::string big = std::string(50000, 'A') + "\n" + std::string(50001, 'C') + "\n";
    const std::string input = ">big\n" + big + ">small\nAC\n";
    EXPECT_EQ(Extract(input, {"big", "small"}),
              ">big\r\n" + std::string(50000, 'A') + std::string(50001, 'C') + "\r\n>small\r\nAC\r\n");
    EXPECT_EQ(progress.texts, (Texts{"Seq lenth too long. Please wait a moment!", "extracting >big    1/2",
                                     "extracting >small    2/2", "Done! Outfile = in.fas.out"}));
    EXPECT_EQ(Extract(input, {"big"}, true), ">big\r\n" + std::string(50001, 'G') + std::string(50000, 'T') + "\r\n");
    // Exactly 100000 bytes are still wrapped, without the notice.
    const std::string edge = ">e\n" + std::string(100000, 'T') + "\n";
    std::string wrapped;
    for (int i = 0; i < 1666; ++i) wrapped += std::string(60, 'T') + "\r\n";
    EXPECT_EQ(Extract(edge, {"e"}), ">e\r\n" + wrapped + std::string(40, 'T') + "\r\n");
    EXPECT_EQ(progress.texts.front(), "extracting >e    1/1");
}

TEST_F(IdFilter, InputWithoutHeaderLines) {
    EXPECT_EQ(Extract("ACGT\nTT\n", {"a"}), "");
    EXPECT_EQ(Remove("ACGT\nTT\n", {"a"}), "\r\n\r\n");
    EXPECT_EQ(Remove("", {}), "\r\n\r\n");
}

TEST_F(IdFilter, NulAndCtrlZBytesAreDroppedAndReadingGoesOn) {
    const char bytes[] = ">a\0\nA\x1A" "C\n>b\nGG\0\n>c\nTT\n";
    const std::string input(bytes, sizeof bytes - 1);
    EXPECT_EQ(Extract(input, {"a", "c"}), ">a\r\nAC\r\n>c\r\nTT\r\n");
    EXPECT_EQ(Remove(input, {"a"}), ">b\r\nGG\r\n>c\r\nTT\r\n");
}

TEST_F(IdFilter, ReportsAnOutputThatCannotBeWritten) {
    FastaStream stream;
    ASSERT_TRUE(stream.Open(dir.Write("in.fas", ">a\nAC\n")));
    EXPECT_FALSE(stream.ExtractByIds({"a"}, false, dir.Path("missing/in.fas.extr.fas"), &progress));
    EXPECT_EQ(progress.texts, (Texts{"Error! Cannot write in.fas.extr.fas!"}));
}

TEST_F(IdFilter, NeverWritesOverItsInput) {
    const std::string in = dir.Write("in.fas", ">a\nAC\n");
    const std::string link = dir.Path("in.fas.extr.fas");
    ASSERT_EQ(::symlink(in.c_str(), link.c_str()), 0);
    FastaStream stream;
    ASSERT_TRUE(stream.Open(in));
    EXPECT_FALSE(stream.ExtractByIds({"a"}, false, link, &progress));
    EXPECT_EQ(progress.texts, (Texts{"Error! Cannot write in.fas.extr.fas!"}));
    EXPECT_FALSE(stream.RemoveByIds({"x"}, false, in));
    EXPECT_EQ(ReadBytes(in), ">a\nAC\n");
}

TEST_F(IdFilter, ReportsAReadOnlyOutputFolder) {
    FastaStream stream;
    ASSERT_TRUE(stream.Open(dir.Write("in.fas", ">a\nAC\n")));
    const std::filesystem::path locked = dir.Root() / "locked";
    std::filesystem::create_directory(locked);
    ::chmod(locked.c_str(), 0555);
    const std::string out = (locked / "in.fas.remv.fas").string();
    if (::access(locked.c_str(), W_OK) == 0) GTEST_SKIP() << "running as a user who may write anywhere";
    EXPECT_FALSE(stream.RemoveByIds({"x"}, false, out, &progress));
    EXPECT_EQ(progress.Last(), "Error! Cannot write in.fas.remv.fas!");
}

TEST_F(IdFilter, ReportsAFullDisk) {
    if (::access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full";
    FastaStream stream;
    ASSERT_TRUE(stream.Open(dir.Write("in.fas", ">a\nAC\n")));
    EXPECT_FALSE(stream.RemoveByIds({}, false, "/dev/full", &progress));
    EXPECT_EQ(progress.Last(), "Error! Cannot write full!");
}

TEST_F(IdFilter, StreamThatIsNotOpenWritesNothing) {
    FastaStream stream;
    EXPECT_FALSE(stream.Open(dir.Path("missing.fas")));
    const std::string out = dir.Path("missing.fas.extr.fas");
    EXPECT_FALSE(stream.ExtractByIds({"a"}, false, out, &progress));
    EXPECT_EQ(progress.texts, (Texts{"Error! Cannot open such file!"}));
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(IdFilter, EachRunReadsTheWholeFileAgainAndCopiesOwnTheirFile) {
    const std::string in = dir.Write("in.fas", ">a\nAC\n>b\nGT\n");
    ::chmod(in.c_str(), 0444);  // read-only inputs are fine
    FastaStream stream;
    ASSERT_TRUE(stream.Open(in));
    ASSERT_TRUE(stream.ExtractByIds({"b"}, false, dir.Path("1.fas")));
    ASSERT_TRUE(stream.ExtractByIds({"a", "b"}, false, dir.Path("2.fas")));
    EXPECT_EQ(ReadBytes(dir.Path("2.fas")), ">a\r\nAC\r\n>b\r\nGT\r\n");

    auto original = std::make_unique<FastaStream>(stream);
    const FastaStream copy = original->Copy();
    original.reset();  // closes only its own file
    FastaStream again = copy;
    ASSERT_TRUE(again.IsOpen());
    ASSERT_TRUE(again.RemoveByIds({"a"}, true, dir.Path("3.fas")));
    EXPECT_EQ(ReadBytes(dir.Path("3.fas")), ">b\r\nAC\r\n");
    EXPECT_FALSE(FastaStream(FastaStream()).IsOpen());
}

TEST(GetFileNameFromPath, TakesTheTextAfterTheLastSlash) {
    EXPECT_EQ(GetFileNameFromPath("/data/x/a.fas.extr.fas"), "a.fas.extr.fas");
    EXPECT_EQ(GetFileNameFromPath("a.fas"), "a.fas");
    EXPECT_EQ(GetFileNameFromPath("C:\\data\\a.fas"), "C:\\data\\a.fas");
    EXPECT_EQ(GetFileNameFromPath("/data/"), "");
    EXPECT_EQ(GetFileNameFromPath(""), "");
}

// The rule of IdQueryList, written plainly: one query at a time.
bool PlainMatch(std::string query, std::string_view line, IdEquality equality) {
    if (line == query || (equality == IdEquality::kIgnoreCase && EqualsIgnoreCase(line, query))) return true;
    if (line.size() <= query.size() || !StartsWithIgnoreCase(line, query)) return false;
    return std::string_view(". |\t\r\n\f\v").find(line[query.size()]) != std::string_view::npos;
}

TEST(IdQueryList, AgreesWithTheRuleOneQueryAtATime) {
    std::mt19937 random(7);
    auto text = [&](std::size_t maxLength) {
        std::string s;
        for (std::size_t n = random() % (maxLength + 1); n > 0; --n) s += "aAbB.| \t>"[random() % 9];
        return s;
    };
    for (int round = 0; round < 400; ++round) {
        const IdEquality equality = round % 2 ? IdEquality::kIgnoreCase : IdEquality::kExactBytes;
        TextArray ids;
        for (int i = 0; i < 6; ++i) ids.push_back(text(4));
        IdQueryList queries(ids, equality);
        std::vector<std::string> plain;
        for (const std::string& id : ids) {
            const std::string_view trimmed = TrimBlanks(id);
            if (!trimmed.empty()) plain.push_back(trimmed.front() == '>' ? std::string(trimmed) : ">" + std::string(trimmed));
        }
        ASSERT_EQ(queries.Count(), plain.size());
        std::vector<bool> matched(plain.size());
        for (int l = 0; l < 40; ++l) {
            const std::string line = (random() % 4 ? ">" : "") + text(7);
            std::set<std::size_t> expectedGroups;
            for (std::size_t q = 0; q < plain.size(); ++q)
                if (PlainMatch(plain[q], line, equality)) {
                    matched[q] = true;
                    expectedGroups.insert(queries.GroupOf(q));
                }
            const std::vector<std::size_t>& groups = queries.MatchingGroups(line);
            ASSERT_EQ(std::set<std::size_t>(groups.begin(), groups.end()), expectedGroups) << "line '" << line << "'";
            ASSERT_EQ(queries.MatchAndMark(line), !expectedGroups.empty()) << "line '" << line << "'";
            ASSERT_EQ(queries.AllMatched(), std::count(matched.begin(), matched.end(), false) == 0);
        }
        // Queries of the same bytes share a group, and only they do.
        for (std::size_t a = 0; a < plain.size(); ++a)
            for (std::size_t b = 0; b < plain.size(); ++b)
                ASSERT_EQ(queries.GroupOf(a) == queries.GroupOf(b), plain[a] == plain[b]);
    }
}

}  // namespace
}  // namespace tulvarine
