#include <random>

#include <gtest/gtest.h>

#include "model/alignment_statistics.h"
#include "model/named_attribute_map.h"
#include "model/numbers.h"
#include "model/sequence_set.h"
#include "model/text_array.h"
#include "support/temp_dir.h"

namespace tulvarine {
namespace {

using testing::TempDir;

class AlignmentStatistics : public ::testing::Test {
protected:
    // A set of records named and holding the given residues, in order.
    SequenceSet Alignment(const std::vector<std::pair<std::string, std::string>>& records) {
        std::string bytes;
        for (const auto& [name, residues] : records) bytes += ">" + name + "\n" + residues + "\n";
        SequenceSet set;
        EXPECT_TRUE(set.ReadFasta(dir.Write("aln.fas", bytes)));
        EXPECT_EQ(set.Count(), int(records.size()));
        return set;
    }
    TempDir dir;
};

TEST_F(AlignmentStatistics, GapFreeColumnsLeaveOutRecordsWhoseNameContainsAnExclusion) {
    const SequenceSet set = Alignment({{"s1", "ACGT-A"}, {"s2", "AC-TTA"}, {"s3", "ACGTTG"}});
    EXPECT_EQ(set.CountGapFreeColumns({}), 4);
    EXPECT_EQ(set.CountGapFreeColumns({"s2"}), 5);
    EXPECT_EQ(set.CountGapFreeColumns({"S2"}), 5);
    EXPECT_EQ(set.CountGapFreeColumns({"s1", "s2"}), 6);
    EXPECT_EQ(set.CountGapFreeColumns({"s"}), 0);  // nothing kept
    EXPECT_EQ(set.CountGapFreeColumns({""}), 0);
    const SequenceSet contained = Alignment({{"s1", "AC-"}, {"s10", "-CG"}, {"xs1y", "A-G"}, {"t", "ACG"}});
    EXPECT_EQ(contained.CountGapFreeColumns({"s1"}), 3);
    EXPECT_EQ(SequenceSet().CountGapFreeColumns({}), 0);
}

TEST_F(AlignmentStatistics, GapFreeColumnsOfRaggedRecordsAreCountedOnTheFirstKeptOne) {
    // Columns past the first record's length count on a longer first kept record.
    EXPECT_EQ(Alignment({{"x", "AC-G"}, {"y", "ACGTAA-C"}, {"z", "A-GT"}}).CountGapFreeColumns({"x"}), 6);
    // A shorter first kept record counts only its own columns.
    EXPECT_EQ(Alignment({{"x", "ACGT"}, {"y", "AC"}, {"z", "A-GT"}}).CountGapFreeColumns({"x"}), 1);
    // A missing character is not a gap.
    EXPECT_EQ(Alignment({{"x", "ACGT"}, {"y", "A"}}).CountGapFreeColumns({}), 4);
}

TEST_F(AlignmentStatistics, MeanPairIdentity) {
    EXPECT_EQ(FloatToText(Alignment({{"s1", "ACGT-A"}, {"s2", "AC-TTA"}, {"s3", "ACGTTG"}}).MeanPairIdentity()),
              "0.866667");
    // Case counts; a pair without a column where both hold a residue counts 0.
    EXPECT_EQ(FloatToText(Alignment({{"a", "acGT"}, {"b", "ACGT"}}).MeanPairIdentity()), "0.5");
    EXPECT_EQ(FloatToText(Alignment({{"a", "AC--"}, {"b", "--GT"}, {"c", "AC--"}}).MeanPairIdentity()), "0.333333");
    EXPECT_EQ(FloatToText(Alignment({{"a", "----"}, {"b", "ACGT"}}).MeanPairIdentity()), "0");
    // Ragged rows: a missing character is compared, and equals only another missing one.
    EXPECT_EQ(FloatToText(Alignment({{"a", "AC-T"}, {"b", "AC"}, {"c", "A-"}}).MeanPairIdentity()), "0.722222");
    // Columns past the first record's length are not compared.
    EXPECT_EQ(FloatToText(Alignment({{"a", "AC-T"}, {"b", "AC"}, {"c", "A-GGGGG"}}).MeanPairIdentity()), "0.5");
    EXPECT_EQ(FloatToText(Alignment({{"a", "ACGT"}}).MeanPairIdentity()), "0");
    EXPECT_EQ(FloatToText(SequenceSet().MeanPairIdentity()), "0");
}

TEST_F(AlignmentStatistics, MeanPairIdentityOfManyRecordsSumsPairsInOrder) {
    // Enough records for several threads: the single-precision sum must still be
    // taken pair by pair in order.
    std::mt19937 random(11);
    std::vector<std::pair<std::string, std::string>> records;
    for (int r = 0; r < 300; ++r) {
        std::string residues;
        for (int k = 0; k < 97; ++k) residues += "ACGT-"[random() % 5];
        records.emplace_back("r" + std::to_string(r), residues);
    }
    float sum = 0;
    std::size_t pairs = 0;
    for (std::size_t i = 0; i + 1 < records.size(); ++i)
        for (std::size_t j = i + 1; j < records.size(); ++j) {
            int compared = 0, same = 0;
            for (std::size_t k = 0; k < 97; ++k) {
                const char x = records[i].second[k], y = records[j].second[k];
                if (x == '-' || y == '-') continue;
                ++compared;
                same += x == y;
            }
            sum = float(double(sum) + (compared ? double(same) / compared : 0.0));
            ++pairs;
        }
    const float expected = float(double(sum) / double(pairs));
    EXPECT_EQ(Alignment(records).MeanPairIdentity(), expected);
}

TEST_F(AlignmentStatistics, MedianAndLargestValue) {
    EXPECT_EQ(ComputeMedian({3, 1, 2}), 2.0f);
    EXPECT_EQ(ComputeMedian({4, 1, 3, 2}), 2.5f);
    EXPECT_EQ(ComputeMedian({7}), 7.0f);
    EXPECT_EQ(ComputeMedian({}), 0.0f);
    int largest = -1;
    EXPECT_EQ(FindMaxIndex({5, 9, 9, 1}, largest), 2);
    EXPECT_EQ(largest, 9);
    EXPECT_EQ(FindMaxIndex({-3, -1, -2}, largest), 2);
    EXPECT_EQ(largest, -1);
    EXPECT_EQ(FindMaxIndex({}, largest), 0);
    EXPECT_EQ(largest, 0);
}

std::string Repeat(std::string_view piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

TEST_F(AlignmentStatistics, BadSequencesShortenTheBlockFarMoreThanTypical) {
    const std::string clean = Repeat("ACGTACGTAC", 10);
    const std::string gappy = Repeat("-", 60) + clean.substr(60);
    EXPECT_EQ(Alignment({{"a", clean}, {"b", clean}, {"bad one", gappy}, {"c", clean}, {"d", clean}}).FindBadSequences(),
              "bad one");
    EXPECT_EQ(Alignment({{"a", clean}, {"b", clean}, {"c", clean}}).FindBadSequences(), "");
    // Two bad records, the worse judged first.
    const std::string lessGappy = clean.substr(0, 50) + Repeat("-", 50);
    EXPECT_EQ(Alignment({{"w", lessGappy}, {"a", clean}, {"b", clean}, {"c", clean}, {"v", gappy}, {"d", clean},
                         {"e", clean}})
                  .FindBadSequences(),
              "v,w");
}

TEST_F(AlignmentStatistics, BadSequencesAreLeftOutByTheirWholeName) {
    // Scoring s1 must not leave out s10 to s19 as well.
    const std::string clean = Repeat("ACGTACGTAC", 10);
    std::vector<std::pair<std::string, std::string>> records{{"s1", Repeat("-", 60) + clean.substr(60)}};
    for (int i = 10; i <= 19; ++i) records.emplace_back("s" + std::to_string(i), clean);
    EXPECT_EQ(Alignment(records).FindBadSequences(), "s1");
    // Records of one name (case ignored) leave together.
    EXPECT_EQ(Alignment({{"x", Repeat("-", 60) + clean.substr(60)}, {"a", clean}, {"X", clean.substr(0, 70) + "---" +
                         clean.substr(73)}, {"b", clean}, {"c", clean}}).FindBadSequences(), "x");
}

TEST_F(AlignmentStatistics, RepeatedNamesEachCountInTheFirstMedian) {
    // Scores 5, 5, 5 and 10: the median is 5, so b stands out (over the names
    // alone it would be 7.5, and 10 would not reach 1.6 times that).
    EXPECT_EQ(Alignment({{"a", "ACGTACGTAC"}, {"a", "ACGTACGTAC"}, {"a", "ACGTACGTAC"}, {"b", "ACGTA-----"}})
                  .FindBadSequences(),
              "b");
}

TEST_F(AlignmentStatistics, BadSequencesOfSetsWithoutPairsAreNone) {
    EXPECT_EQ(SequenceSet().FindBadSequences(), "");
    EXPECT_EQ(Alignment({{"only", "A-GT"}}).FindBadSequences(), "");
    EXPECT_EQ(Alignment({{"a", "----"}, {"b", "----"}}).FindBadSequences(), "");
}

// The counting of the gap-free block written step by step on copies, as plainly
// as possible, with the left-out records chosen by leftOut(name).
template <class LeftOut>
int PlainGapFreeColumns(const SequenceSet& set, LeftOut leftOut) {
    const long long length = static_cast<long long>(set.AlignmentLength());
    std::vector<Sequence> kept;
    for (int i = 0; i < set.Count(); ++i)
        if (!leftOut(std::string(set.Headers()[std::size_t(i)].Text()))) kept.push_back(set.Sequences()[std::size_t(i)]);
    if (kept.empty()) return 0;
    for (long long j = 1; j <= length; ++j) {
        bool gap = false;
        for (const Sequence& s : kept) gap = gap || s.Mid(j, 1) == "-";
        if (gap) (void)kept.front().ReplaceRange(j, 1, "-");
    }
    return int(kept.front().ReplaceText("-", "").size());
}

// The first pass scores every record, a repeated name each time; later passes
// score each name still in play once.
std::string PlainBadSequences(const SequenceSet& set) {
    NamedAttributeMap inPlay;
    TextArray removed;
    auto score = [&](const std::string& name) {
        return PlainGapFreeColumns(set, [&](const std::string& record) {
            return EqualsIgnoreCase(record, name) || FindTextInArray(removed, record, kWholeTextIgnoreCase) != -1;
        });
    };
    std::vector<int> scores;
    TextArray names;
    for (const SequenceHeader& header : set.Headers()) {
        const std::string name(header.Text());
        (void)inPlay.Add(name, {});
        scores.push_back(score(name));
        names.push_back(name);
    }
    for (bool firstPass = true;; firstPass = false) {
        if (!firstPass) {
            scores.clear();
            names.clear();
            for (const auto& [name, unused] : inPlay) {
                scores.push_back(score(name));
                names.push_back(name);
            }
        }
        const float median = ComputeMedian(scores);
        int best = 0;
        const int index = FindMaxIndex(scores, best);
        if (!(best >= 1 && double(best) - 1.6 * double(median) >= -1e-7)) break;
        removed.push_back(names[std::size_t(index - 1)]);
        (void)inPlay.Remove(removed.back());
    }
    std::string joined;
    for (const std::string& name : removed) joined += (joined.empty() ? "" : ",") + name;
    return joined;
}

TEST_F(AlignmentStatistics, AgreeWithThePlainCountingOnRandomAlignments) {
    std::mt19937 random(2026);
    const std::vector<std::string> names{"a", "A", "b", "s1", "s10", "c", "d", "e"};
    for (int round = 0; round < 400; ++round) {
        std::vector<std::pair<std::string, std::string>> records;
        const int length = int(random() % 14);
        for (int r = 0, n = 1 + int(random() % 9); r < n; ++r) {
            const int size = random() % 4 == 0 ? int(random() % 18) : length;  // some ragged rows
            std::string residues;
            for (int k = 0; k < size; ++k) residues += random() % 3 == 0 ? '-' : "ACGT"[random() % 4];
            records.emplace_back(names[random() % names.size()], residues);
        }
        const SequenceSet set = Alignment(records);
        SCOPED_TRACE("round " + std::to_string(round));
        ASSERT_EQ(set.FindBadSequences(), PlainBadSequences(set));
        const TextArray exclusions{names[random() % names.size()]};
        ASSERT_EQ(set.CountGapFreeColumns(exclusions), PlainGapFreeColumns(set, [&](const std::string& name) {
                      return FindTextInArray(exclusions, name, kTextContainsElement) != -1;
                  }));
    }
}

}  // namespace
}  // namespace tulvarine
