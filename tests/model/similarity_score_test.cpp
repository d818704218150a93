#include <random>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "model/similarity_score.h"

namespace tulvarine {
namespace {

TEST(ScoreGlobalAlignment, SmallCases) {
    EXPECT_EQ(ScoreGlobalAlignment("MKV", "MKV"), 30);
    EXPECT_EQ(ScoreGlobalAlignment("ACDEFGHIK", "ACDEFGHIK"), 90);
    EXPECT_EQ(ScoreGlobalAlignment("MKV", "mkv"), -6);
    EXPECT_EQ(ScoreGlobalAlignment("MK", "M"), 9);
    EXPECT_EQ(ScoreGlobalAlignment("AB", "BA"), 8);
    EXPECT_EQ(ScoreGlobalAlignment("", "MKV"), -3);
    EXPECT_EQ(ScoreGlobalAlignment("MKV", ""), -3);
    EXPECT_EQ(ScoreGlobalAlignment("", ""), 0);
    EXPECT_EQ(ScoreGlobalAlignment("X*", "X*"), 20);
}

TEST(ScoreGlobalAlignment, HelpersScoreResiduesAndPickTheLargest) {
    EXPECT_EQ(ScoreResiduePair('M', 'M'), 10);
    EXPECT_EQ(ScoreResiduePair('M', 'm'), -2);
    EXPECT_EQ(MaxOfThree(1, 3, 2), 3);
    EXPECT_EQ(MaxOfThree(-5, -7, -6), -5);
    EXPECT_EQ(MaxOfThree(4, 4, 1), 4);
}

// The full table, filled as written on paper, for comparison with the two-row version.
int FullTableScore(const std::string& a, const std::string& b) {
    std::vector<std::vector<int>> m(a.size() + 1, std::vector<int>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) m[i][0] = -int(i);
    for (std::size_t j = 0; j <= b.size(); ++j) m[0][j] = -int(j);
    for (std::size_t i = 1; i <= a.size(); ++i)
        for (std::size_t j = 1; j <= b.size(); ++j)
            m[i][j] = std::max({m[i - 1][j] - 1, m[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 10 : -2), m[i][j - 1] - 1});
    return m[a.size()][b.size()];
}

TEST(ScoreGlobalAlignment, AgreesWithTheFullTableOnRandomTexts) {
    std::mt19937 random(11);
    auto text = [&](std::size_t max) {
        std::string s(random() % (max + 1), 'A');
        for (char& c : s) c = "ACDKM"[random() % 5];
        return s;
    };
    for (int round = 0; round < 300; ++round) {
        const std::string a = text(40), b = text(60);
        ASSERT_EQ(ScoreGlobalAlignment(a, b), FullTableScore(a, b)) << a << " / " << b;
    }
}

// The plain two-row table, cell by cell as the score is defined: what the fast
// path must agree with.
int TwoRowTableScore(std::string_view a, std::string_view b) {
    std::vector<int> above(b.size() + 1), row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) above[j] = -int(j);
    for (std::size_t i = 1; i <= a.size(); ++i) {
        row[0] = -int(i);
        for (std::size_t j = 1; j <= b.size(); ++j)
            row[j] = MaxOfThree(above[j] - 1, above[j - 1] + ScoreResiduePair(a[i - 1], b[j - 1]), row[j - 1] - 1);
        above.swap(row);
    }
    return above[b.size()];
}

// A random text over one of three alphabets: every byte (control and high bytes
// too), protein letters in both cases with "*", "X" and "-", or two letters,
// which gives long common stretches and high scores.
std::string RandomText(std::mt19937& random, std::size_t length, int alphabet) {
    static constexpr std::string_view kProtein = "ACDEFGHIKLMNPQRSTVWYacdefghiklmnpqrstvwy*X-";
    std::string s(length, 'A');
    for (char& c : s) {
        const unsigned r = unsigned(random());
        c = alphabet == 0 ? char(r % 256) : alphabet == 1 ? kProtein[r % kProtein.size()] : "KR"[r % 2];
    }
    return s;
}

TEST(ScoreGlobalAlignment, AgreesWithThePlainTableAtEveryLength) {
    std::mt19937 random(18);
    for (std::size_t length = 0; length <= 640; ++length) {  // past 504: one block and chained blocks
        const std::string reference = RandomText(random, length, int(length % 3));
        const SimilarityProfile profile(reference);  // one profile, several texts, as the ORF search uses it
        for (int alphabet = 0; alphabet < 3; ++alphabet) {
            const std::string piece = RandomText(random, random() % 320, alphabet);
            const int expected = TwoRowTableScore(piece, reference);
            ASSERT_EQ(profile.Score(piece), expected) << "lengths " << piece.size() << " / " << length;
            ASSERT_EQ(ScoreGlobalAlignment(piece, reference), expected) << piece.size() << " / " << length;
            ASSERT_EQ(ScoreGlobalAlignment(reference, piece), TwoRowTableScore(reference, piece))
                << length << " / " << piece.size();
        }
    }
}

TEST(ScoreGlobalAlignment, AgreesWithThePlainTableNearTheSixteenBitLimits) {
    std::mt19937 random(16);
    // Scores around 32 767: near-identical texts of about 3 277 residues.
    for (const std::size_t length : {3276, 3277, 3278}) {
        const std::string a = RandomText(random, length, 1);
        std::string b = a;
        b[random() % length] = 'Z';
        EXPECT_EQ(ScoreGlobalAlignment(a, a), 10 * int(length));
        EXPECT_EQ(ScoreGlobalAlignment(a, b), TwoRowTableScore(a, b)) << length;
    }
    // Lengths around 32 768 and 65 536, with scores down to about -65 600.
    for (const std::size_t length : {32767, 32768, 32769, 65535, 65536, 65537}) {
        const std::string longText = RandomText(random, length, int(length % 3));
        const std::string shortText = RandomText(random, 40, int(length % 3));
        EXPECT_EQ(ScoreGlobalAlignment(longText, shortText), TwoRowTableScore(longText, shortText)) << length;
        EXPECT_EQ(SimilarityProfile(longText).Score(shortText), TwoRowTableScore(shortText, longText)) << length;
    }
}

}  // namespace
}  // namespace tulvarine
