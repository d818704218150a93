#include <map>
#include <random>
#include <stdexcept>

#include <gtest/gtest.h>

#include "model/alignment_comparison.h"
#include "support/temp_dir.h"

namespace tulvarine {
namespace {

using testing::TempDir;
using Records = std::vector<AlignmentRecord>;

std::vector<std::string> ColumnStrings(const AlignmentComparison& comparison, Alignment alignment) {
    std::vector<std::string> strings;
    for (std::size_t c = 1; c <= comparison.ColumnCount(alignment); ++c)
        strings.push_back(comparison.ColumnString(alignment, c));
    return strings;
}

std::vector<std::pair<std::size_t, std::size_t>> Pairs(const AlignmentComparison& comparison) {
    std::vector<std::pair<std::size_t, std::size_t>> pairs;
    for (const auto& same : comparison.SameColumns()) pairs.emplace_back(same.first, same.second);
    return pairs;
}

std::vector<std::string> Shared(const AlignmentComparison& comparison) {
    std::vector<std::string> ids;
    for (std::size_t i = 0; i < comparison.SharedCount(); ++i) ids.emplace_back(comparison.SharedId(i));
    return ids;
}

TEST(ReadAlignmentRecords, JoinsTrimmedLinesUnderEachHeader) {
    TempDir dir;
    const std::string text =
        "notes before the first record\n  >s1 first  \nAC-G \n\n  TT\n>s2\n>s3\tx \nA C\t\n";
    std::string windows;
    for (char c : text) windows += c == '\n' ? std::string("\r\n") : std::string(1, c);
    for (const std::string& bytes : {text, windows}) {
        Records records;
        ASSERT_TRUE(ReadAlignmentRecords(dir.Write("in.fa", bytes), records));
        ASSERT_EQ(records.size(), 3u);
        // A tab is no blank.
        EXPECT_EQ(records[0].header + "|" + records[1].header + "|" + records[2].header, ">s1 first|>s2|>s3\tx");
        EXPECT_EQ(records[0].sequence + "|" + records[1].sequence + "|" + records[2].sequence, "AC-GTT||A C\t");
    }

    Records records{{">old", "A"}};
    EXPECT_FALSE(ReadAlignmentRecords(dir.Path("missing.fa"), records));
    EXPECT_TRUE(records.empty());
    EXPECT_FALSE(ReadAlignmentRecords(dir.Root().string(), records));
    ASSERT_TRUE(ReadAlignmentRecords(dir.Write("plain.fa", "ACGT\nACGT\n"), records));
    EXPECT_TRUE(records.empty());
}

TEST(ReadAlignmentRecords, ASequenceIsNeededForTheAlignmentLength) {
    EXPECT_FALSE(HoldsSequence({}));
    EXPECT_FALSE(HoldsSequence({{">a", ""}}));
    EXPECT_TRUE(HoldsSequence({{">a", "A"}}));
    EXPECT_TRUE(HoldsSequence({{">a", ""}, {">b", ""}}));
    EXPECT_THROW(AlignmentComparison(Records{{">a", ""}}, Records{{">a", "A"}}), std::invalid_argument);
}

TEST(AlignmentComparison, AMovedGapDropsOnlyTheColumnsItChanges) {
    // Columns 2 and 3 differ, the others are the same.
    const AlignmentComparison comparison({{">s1", "AC-G-T"}, {">s2", "ACTG-T"}},
                                         {{">s1", "A-CG-T"}, {">s2", "ACTG-T"}});
    EXPECT_EQ(ColumnStrings(comparison, Alignment::kSecond),
              (std::vector<std::string>{"1-1-", "0-2-", "2-3-", "3-4-", "0-0-", "4-5-"}));
    EXPECT_EQ(Pairs(comparison), (std::vector<std::pair<std::size_t, std::size_t>>{{1, 1}, {4, 4}, {5, 5}, {6, 6}}));
    EXPECT_EQ(comparison.LongestColumnString(Alignment::kFirst), 4u);

    // An all-gap column is one same column however often it occurs.
    const AlignmentComparison gaps({{">s1", "A--C"}, {">s2", "A--C"}}, {{">s1", "-A-C"}, {">s2", "-A-C"}});
    EXPECT_EQ(Pairs(gaps), (std::vector<std::pair<std::size_t, std::size_t>>{{2, 1}, {1, 2}, {4, 4}}));
}

TEST(AlignmentComparison, SharedRecordsFollowTheSecondFile) {
    // Another order, a record in one file only (which still sets the column
    // count), duplicates (the first is used), blanks at the line ends (trimmed
    // by the reader) and a different description after the name.
    const AlignmentComparison comparison(
        {{">only1", "ACGTACGT"}, {">x", "ac-g"}, {">y", "A-CG"}, {">x", "AAAA"}, {">z d", "AC"}},
        {{">y", "AC-G"}, {">x", "ACG-"}, {">z e", "AC"}, {">y", "----"}, {">only2", "A"}});
    EXPECT_EQ(Shared(comparison), (std::vector<std::string>{">y", ">x"}));
    EXPECT_EQ(comparison.ColumnCount(Alignment::kFirst), 8u);
    EXPECT_EQ(comparison.ColumnCount(Alignment::kSecond), 4u);
    // Past its end a sequence counts all its residues; lower case counts too.
    EXPECT_EQ(ColumnStrings(comparison, Alignment::kFirst),
              (std::vector<std::string>{"1-1-", "0-2-", "2-0-", "3-3-", "3-3-", "3-3-", "3-3-", "3-3-"}));
    EXPECT_EQ(ColumnStrings(comparison, Alignment::kSecond),
              (std::vector<std::string>{"1-1-", "2-2-", "0-3-", "3-0-"}));
    EXPECT_EQ(Pairs(comparison), (std::vector<std::pair<std::size_t, std::size_t>>{{1, 1}}));
    EXPECT_EQ(comparison.FirstCharacter(1, 3), '-');
    EXPECT_EQ(comparison.FirstCharacter(1, 4), 'g');
    EXPECT_EQ(comparison.FirstCharacter(1, 5), '\0');
}

TEST(AlignmentComparison, WithoutSharedRecordsEveryColumnIsTheSameEmptyOne) {
    const AlignmentComparison comparison({{">a", "ACG"}}, {{">b", "AC"}, {">c", ""}});
    EXPECT_EQ(comparison.SharedCount(), 0u);
    EXPECT_EQ(ColumnStrings(comparison, Alignment::kFirst), (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(Pairs(comparison), (std::vector<std::pair<std::size_t, std::size_t>>{{1, 1}}));

    // A first record with an empty sequence gives an alignment of no columns,
    // and a last header alone is no record.
    const AlignmentComparison empty({{">a", ""}, {">b", "AC"}}, {{">b", "AC"}, {">a", ""}});
    EXPECT_EQ(empty.ColumnCount(Alignment::kFirst), 0u);
    EXPECT_EQ(Shared(empty), (std::vector<std::string>{">b"}));
    EXPECT_TRUE(empty.SameColumns().empty());
}

// Random alignments with short rows, repeated all-gap columns and duplicate
// headers, against the descriptions written out in full and compared as text.
TEST(AlignmentComparison, AgreesWithTheDescriptionsWrittenOut) {
    std::mt19937 random(11);
    const auto pick = [&](int n) { return int(random() % unsigned(n)); };
    for (int round = 0; round < 40; ++round) {
        const int rows = 1 + pick(6), columns = 1 + pick(70);
        Records first, second;
        for (int r = 0; r < rows; ++r) {
            std::string residues;
            for (int c = 0; c < columns - pick(3); ++c) residues += "AC-g-"[pick(5)];
            first.push_back({">r" + std::to_string(pick(rows + 1)), residues});
            std::string moved = residues;  // the same residues, some gaps moved
            for (int k = 0; k + 1 < int(moved.size()); ++k)
                if ((moved[k] == '-') != (moved[k + 1] == '-') && pick(4) == 0) std::swap(moved[k], moved[k + 1]);
            second.insert(second.begin() + pick(int(second.size()) + 1), AlignmentRecord{first.back().header, moved});
        }
        if (!HoldsSequence(first) || !HoldsSequence(second)) continue;
        const AlignmentComparison comparison(first, second);

        std::vector<const std::string*> rows1, rows2;
        for (std::size_t i = 0; i < comparison.SharedCount(); ++i)
            for (auto* records : {&first, &second})
                for (const AlignmentRecord& record : *records)
                    if (record.header == comparison.SharedId(i)) {
                        (records == &first ? rows1 : rows2).push_back(&record.sequence);
                        break;
                    }
        const auto written = [](const std::vector<const std::string*>& rows, std::size_t length) {
            std::vector<std::string> strings;
            for (std::size_t c = 1; c <= length; ++c) {
                std::string text;
                for (const std::string* row : rows) {
                    const std::size_t upTo = std::min(c, row->size());
                    const auto residues = upTo - std::count(row->begin(), row->begin() + long(upTo), '-');
                    text += (c <= row->size() && (*row)[c - 1] == '-' ? "0" : std::to_string(residues)) + "-";
                }
                strings.push_back(text);
            }
            return strings;
        };
        const auto strings1 = written(rows1, first.front().sequence.size());
        const auto strings2 = written(rows2, second.front().sequence.size());
        ASSERT_EQ(ColumnStrings(comparison, Alignment::kFirst), strings1);
        ASSERT_EQ(ColumnStrings(comparison, Alignment::kSecond), strings2);

        std::map<std::string, std::size_t> firstColumn, seen;
        for (std::size_t c = strings1.size(); c >= 1; --c) firstColumn[strings1[c - 1]] = c;
        std::vector<std::pair<std::size_t, std::size_t>> expected;
        for (std::size_t c = 1; c <= strings2.size(); ++c)
            if (seen.emplace(strings2[c - 1], c).second && firstColumn.count(strings2[c - 1]))
                expected.emplace_back(firstColumn[strings2[c - 1]], c);
        ASSERT_EQ(Pairs(comparison), expected) << "round " << round;
    }
}

}  // namespace
}  // namespace tulvarine
