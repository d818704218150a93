#include <random>

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

}  // namespace
}  // namespace tulvarine
