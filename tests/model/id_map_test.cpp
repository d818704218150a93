#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/id_map.h"
#include "model/mapped_orfs.h"
#include "model/protein_lookup.h"
#include "model/sequence_set.h"
#include "support/fasta_file_test.h"
#include "support/recording_progress.h"
#include "support/temp_dir.h"

namespace tulvarine {
namespace {

using testing::ReadBytes;
using testing::RecordingProgress;
using testing::TempDir;
using Fields = std::optional<std::pair<std::string_view, std::string_view>>;

Fields Pair(std::string_view a, std::string_view b) { return std::pair{a, b}; }

TEST(ParseIdMapLine, TakesTheFirstTwoFieldsBetweenAnyWhiteSpace) {
    EXPECT_EQ(ParseIdMapLine("g1\tp1"), Pair("g1", "p1"));
    EXPECT_EQ(ParseIdMapLine("g1  \t p1\tthird field\r"), Pair("g1", "p1"));
    EXPECT_EQ(ParseIdMapLine(">g1\t>>p1"), Pair("g1", ">p1"));  // one leading ">" each
    // White space before the first field is no field: the line still pairs g1 with p1.
    EXPECT_EQ(ParseIdMapLine(" \tg1 p1"), Pair("g1", "p1"));
    EXPECT_EQ(ParseIdMapLine("g1"), Fields());
    EXPECT_EQ(ParseIdMapLine("  g1\t"), Fields());
    EXPECT_EQ(ParseIdMapLine(""), Fields());
    EXPECT_EQ(ParseIdMapLine("g1 >"), Fields());  // no protein ID after the mark
    EXPECT_EQ(ParseIdMapLine("g1\t>\tp1"), Fields());
}

TEST(FirstWord, IsTheFirstRunWithoutWhiteSpace) {
    EXPECT_EQ(FirstWord("g1 first gene"), "g1");
    EXPECT_EQ(FirstWord("g1\tdesc"), "g1");
    EXPECT_EQ(FirstWord("  g1"), "g1");
    EXPECT_EQ(FirstWord(""), "");
}

TEST(IdMapLookUp, AnExactIdBeatsKeysThatArePrefixesOfIt) {
    // In either order of the lines, g10 finds its own protein and g1 its own.
    for (const auto& pairs : {std::vector<IdMap::Entry>{{"g1", "p1"}, {"g10", "p10"}},
                              std::vector<IdMap::Entry>{{"g10", "p10"}, {"g1", "p1"}}}) {
        const IdMap map(pairs);
        EXPECT_EQ(map.LookUp("g10 second gene"), "p10");
        EXPECT_EQ(map.LookUp("g1 first gene"), "p1");
        EXPECT_EQ(map.LookUp("G10"), "p10");  // ASCII case ignored
    }
}

TEST(IdMapLookUp, WithoutAnExactIdTheLastKeyInTheNameWins) {
    const IdMap map({{"g1", "p1"}, {"g10", "p10"}, {"other", "p0"}});
    EXPECT_EQ(map.LookUp("cds_g1_x"), "p1");
    EXPECT_EQ(map.LookUp("cds_G10_x"), "p10");  // g1 and g10 both occur: g10 comes later
    EXPECT_EQ(IdMap({{"g10", "p10"}, {"g1", "p1"}}).LookUp("cds_g10_x"), "p1");
    EXPECT_EQ(map.LookUp("nothing here"), "");
    EXPECT_EQ(map.LookUp(""), "");
}

TEST(IdMapLookUp, KeysAreLiteralText) {
    const IdMap map({{"a.c", "dot"}, {"g[1]", "bracket"}, {"x|y*", "bar"}});
    EXPECT_EQ(map.LookUp("abc"), "");
    EXPECT_EQ(map.LookUp("seq_a.c_1"), "dot");
    EXPECT_EQ(map.LookUp("seq g[1]"), "bracket");
    EXPECT_EQ(map.LookUp("x|y*"), "bar");
    EXPECT_EQ(map.LookUp("xxyy"), "");
}

TEST(IdMap, TheFirstLineOfAKeyWinsAndEmptyKeysAreLeftOut) {
    const IdMap map({{"g1", "first"}, {"g1", "second"}, {"", "everything"}, {"G1", "upper"}});
    ASSERT_EQ(map.Count(), 2u);
    EXPECT_EQ(map.Entries()[0], (IdMap::Entry{"g1", "first"}));
    EXPECT_EQ(map.Entries()[1], (IdMap::Entry{"G1", "upper"}));
    EXPECT_EQ(map.LookUp("g1"), "upper");  // equal but for case: the later key, as among contained keys
    EXPECT_EQ(map.LookUp("unrelated"), "");
}

TEST(ReadIdMap, ReadsPairsAndCountsOnlyLinesWithTwoFields) {
    TempDir dir;
    const std::string path = dir.Write("map.txt", ">g1\tp1\r\nlonely\r\n\r\ng2 >p2 extra\ng1\tp9");
    IdMap map;
    RecordingProgress progress;
    ASSERT_TRUE(ReadIdMap(path, map, &progress));
    ASSERT_EQ(map.Count(), 2u);
    EXPECT_EQ(map.Entries()[0], (IdMap::Entry{"g1", "p1"}));
    EXPECT_EQ(map.Entries()[1], (IdMap::Entry{"g2", "p2"}));
    EXPECT_EQ(progress.texts, (std::vector<std::string>{"1 map loaded", "2 map loaded", "3 map loaded"}));

    // A line without a protein ID claims nothing: the next line of its key maps it.
    ASSERT_TRUE(ReadIdMap(dir.Write("gaps.txt", "g1 >\ng1\tp1\ng2\t>\r\n"), map, nullptr));
    ASSERT_EQ(map.Count(), 1u);
    EXPECT_EQ(map.LookUp("g1 x"), "p1");
    EXPECT_EQ(map.LookUp("g2"), "");

    EXPECT_FALSE(ReadIdMap(dir.Path("missing.txt"), map, nullptr));
    EXPECT_EQ(map.Count(), 0u);
    EXPECT_FALSE(ReadIdMap(dir.Root().string(), map, nullptr));  // a folder
}

class ProteinLookupTest : public testing::FastaFileTest {};

TEST_F(ProteinLookupTest, AnExactIdBeatsAHeaderThatOnlyContainsIt) {
    const SequenceSet proteins = Read(">p12 twelve\nMK\n>P1 one\nMV\n>x_p7_y\nMA\n>p7x\nMW\n");
    const ProteinLookup lookup(proteins.Headers(), {"p1", "p12", "p7", "p3"});
    EXPECT_EQ(lookup.Find("p1"), 1);
    EXPECT_EQ(lookup.Find("p12"), 0);
    EXPECT_EQ(lookup.Find("P7"), 2);  // no header ID is p7: the first header holding it
    EXPECT_EQ(lookup.Find("p3"), -1);
    EXPECT_EQ(lookup.Find(""), -1);
    EXPECT_EQ(lookup.Find("twelve"), 0);  // not announced: looked for on the spot
    EXPECT_EQ(lookup.Find("7X"), 3);
}

class WriteOrfsByProteinMapTest : public testing::FastaFileTest {
protected:
    std::string Write(const SequenceSet& cdna, const SequenceSet& proteins, const IdMap& map, int cutoff,
                      RecordingProgress* progress = nullptr) {
        const std::string path = dir.Path("out.fas");
        OutputFile out;
        EXPECT_TRUE(out.Open(path));
        WriteOrfsByProteinMap(out, cdna, proteins, map, GeneticCode::kStandard, cutoff, progress);
        EXPECT_TRUE(out.Close());
        return ReadBytes(path);
    }
};

TEST_F(WriteOrfsByProteinMapTest, MappedRecordsTakeTheOrfMostLikeTheirProteinOthersTheLongest) {
    SequenceSet cdna;
    ASSERT_TRUE(cdna.ReadFasta(dir.Write("cdna.fas",
                                         "junk before the first header\n"
                                         ">g1 first gene\nATGAAATGGTTTTAAGCTGCT\nGCTGCTGCTTAA\n"
                                         ">g10 second\nATGCCCCCCTGAATGGAAGAAGAAGAAGAATAG\n"
                                         ">g2\nATGCATCATCATCATTGA\n"
                                         ">g3\nATGGGGGGGGGGGGGTGA\n"
                                         ">g4 short\nATGTAA\n")));
    SequenceSet proteins;
    ASSERT_TRUE(proteins.ReadFasta(dir.Write("pep.fas", ">p10 protein ten\nMEEEEE\n>p1 protein one\nMK\nWF\n")));
    const IdMap map({{"g10", "p10"}, {"g1", "p1"}, {"g3", "p9"}});
    RecordingProgress progress;
    EXPECT_EQ(Write(cdna, proteins, map, 12, &progress),
              ">g1 first gene|p1 similarest simscore=40\r\nATGAAATGGTTT\r\n"
              ">g10 second|p10 similarest simscore=60\r\nATGGAAGAAGAAGAAGAA\r\n"
              ">g2 longest lenth=18\r\ntcaatgatgatgatgcat\r\n"  // no map line
              ">g3 longest lenth=18\r\ntcacccccccccccccat\r\n"   // p9 is in no protein header
              "\r\n");                                          // no ORF of 12 bases
    EXPECT_EQ(progress.texts, (std::vector<std::string>{"1/5", "2/5", "3/5", "4/5", "5/5"}));
}

TEST_F(WriteOrfsByProteinMapTest, WithoutProteinsOrMapEveryRecordGivesItsLongestOrf) {
    const SequenceSet cdna = Read(">g1 first gene\nATGAAATGGTTTTAAGCTGCTGCTGCTGCTTAA\n");
    EXPECT_EQ(Write(cdna, SequenceSet(), IdMap({IdMap::Entry{"g1", "p1"}}), 12),
              ">g1 first gene longest lenth=33\r\nttaagcagcagcagcagcttaaaaccatttcat\r\n");
    EXPECT_EQ(Write(SequenceSet(), SequenceSet(), IdMap(), 12), "");
}

TEST_F(WriteOrfsByProteinMapTest, ManyRecordsComeOutInFileOrder) {
    // Enough records for several batches on several threads.
    std::string fasta;
    std::vector<IdMap::Entry> pairs;
    const char* bodies[] = {"ATGAAATGGTTTTAAGCTGCTGCTGCTGCTTAA", "ATGCATCATCATCATTGA", "ATGGGGGGGGGGGGGTGA"};
    // Even records are mapped (m0, m2, ...); odd ones (u1, u3, ...) hold no key.
    auto name = [](int i) { return (i % 2 == 0 ? "m" : "u") + std::to_string(i); };
    for (int i = 0; i < 3000; ++i) {
        fasta += ">" + name(i) + "\n" + bodies[i % 3] + "\n";
        if (i % 2 == 0) pairs.push_back({name(i), "p"});
    }
    const SequenceSet cdna = Read(fasta);
    SequenceSet proteins;
    ASSERT_TRUE(proteins.ReadFasta(dir.Write("pep.fas", ">p\nMKWF\n")));
    std::string expected;
    for (int i = 0; i < 3000; ++i) {
        const Sequence& sequence = cdna.Sequences()[std::size_t(i)];
        expected += i % 2 == 0 ? sequence.FindMostSimilarOrf(GeneticCode{0}, 12, true, "MKWF", name(i) + "|p")
                               : sequence.FindLongestOrf(GeneticCode{0}, 12, true, name(i));
        expected += "\r\n";
    }
    RecordingProgress progress;
    const std::string written = Write(cdna, proteins, IdMap(pairs), 12, &progress);
    ASSERT_EQ(written.size(), expected.size());
    EXPECT_TRUE(written == expected);  // too long to print
    EXPECT_EQ(progress.texts.size(), 3000u);
    EXPECT_EQ(progress.Last(), "3000/3000");
}

}  // namespace
}  // namespace tulvarine
