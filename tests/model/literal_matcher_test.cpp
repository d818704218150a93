#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "model/literal_matcher.h"
#include "model/text.h"

namespace tulvarine {
namespace {

// How often each literal occurs in text, as the matcher reports it.
std::vector<int> Counts(const std::vector<std::string_view>& literals, std::string_view text) {
    std::vector<int> counts(literals.size());
    LiteralMatcher(literals).ForEachOccurrence(text, [&](std::size_t i) { ++counts.at(i); });
    return counts;
}

// The same, found by plain search.
std::vector<int> ExpectedCounts(const std::vector<std::string_view>& literals, std::string_view text) {
    std::vector<int> counts(literals.size());
    for (std::size_t i = 0; i < literals.size(); ++i) {
        if (literals[i].empty()) continue;
        for (std::size_t at = FindIgnoreCase(text, literals[i]); at != std::string_view::npos;
             at = FindIgnoreCase(text, literals[i], at + 1))
            ++counts[i];
    }
    return counts;
}

TEST(LiteralMatcher, FindsOverlappingAndNestedLiteralsIgnoringCase) {
    const std::vector<std::string_view> literals{"he", "SHE", "his", "hers"};
    std::vector<std::size_t> found;
    LiteralMatcher(literals).ForEachOccurrence("uSHers", [&](std::size_t i) { found.push_back(i); });
    // "she" and "he" end at the same byte (the longer first), "hers" at the last.
    EXPECT_EQ(found, (std::vector<std::size_t>{1, 0, 3}));
}

TEST(LiteralMatcher, KeysArePlainTextAndEmptyOnesAreNeverFound) {
    const std::vector<std::string_view> literals{"", "a.c", "g[1]", "x|y"};
    std::vector<std::size_t> found;
    LiteralMatcher(literals).ForEachOccurrence("abc G[1] x|y", [&](std::size_t i) { found.push_back(i); });
    EXPECT_EQ(found, (std::vector<std::size_t>{2, 3}));
    found.clear();
    LiteralMatcher().ForEachOccurrence("anything", [&](std::size_t i) { found.push_back(i); });
    EXPECT_TRUE(found.empty());
}

TEST(LiteralMatcher, LiteralsEqualButForCaseAreEachReported) {
    std::vector<std::size_t> found;
    LiteralMatcher({"G1", "g1", "G1"}).ForEachOccurrence("xg1", [&](std::size_t i) { found.push_back(i); });
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::size_t>{0, 1, 2}));
}

TEST(LiteralMatcher, BytesAboveAsciiAreMatchedAsTheyStand) {
    std::vector<std::size_t> found;
    LiteralMatcher({"基因1", "\xFF"}).ForEachOccurrence("名基因1\xFF", [&](std::size_t i) { found.push_back(i); });
    EXPECT_EQ(found, (std::vector<std::size_t>{0, 1}));
}

TEST(LiteralMatcher, AgreesWithPlainSearchOnRandomTexts) {
    std::mt19937 random(7);
    auto randomText = [&](std::size_t maxLength) {
        std::string text(random() % (maxLength + 1), 'a');
        for (char& c : text) c = "abAB1|"[random() % 6];  // a small alphabet makes many overlaps
        return text;
    };
    for (int round = 0; round < 300; ++round) {
        std::vector<std::string> owned;
        for (int i = 0, n = int(random() % 12); i < n; ++i) owned.push_back(randomText(5));
        const std::vector<std::string_view> literals(owned.begin(), owned.end());
        const std::string text = randomText(40);
        ASSERT_EQ(Counts(literals, text), ExpectedCounts(literals, text)) << "text " << text;
    }
}

}  // namespace
}  // namespace tulvarine
