#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/text_sort.h"

namespace tulvarine {
namespace {

// The exchange sort as users have always had it, step by step: for each
// position, every later text that compares smaller (or, descending, greater)
// is swapped in. Quadratic; the reference for small inputs.
void ExchangeSortStepByStep(TextArray& texts, int direction, bool caseSensitive) {
    if (direction != 0 && direction != 1) return;
    for (std::size_t i = 0; i + 1 < texts.size(); ++i)
        for (std::size_t j = i + 1; j < texts.size(); ++j) {
            const int c = CompareTexts(texts[i], texts[j], caseSensitive);
            if ((direction == 0 && c > 0) || (direction == 1 && c < 0)) std::swap(texts[i], texts[j]);
        }
}

TEST(SortTextArray, KeepsTheExchangeSortsOrderOfTextsThatDifferOnlyInCase) {
    TextArray texts{">b", ">X", ">x", ">a"};
    SortTextArray(texts, kSortAscending, false);
    EXPECT_EQ(texts, (TextArray{">a", ">b", ">x", ">X"}));

    texts = {">s9", ">A", ">S1", ">_z", ">s10"};
    SortTextArray(texts, kSortAscending, false);  // "_" lies below "a"; text order, not numbers
    EXPECT_EQ(texts, (TextArray{">_z", ">A", ">S1", ">s10", ">s9"}));

    texts = {">b", ">a", ">c"};
    SortTextArray(texts, 2, false);
    EXPECT_EQ(texts, (TextArray{">b", ">a", ">c"}));
}

// Also: records with the same header line stay in file order among themselves.
TEST(ExchangeSortOrder, AgreesWithTheStepByStepExchangeSort) {
    std::mt19937 random(15);
    // Few letters, so that many texts compare equal without being the same bytes.
    const std::string letters = "aAbB_\xC3";
    for (int round = 0; round < 20000; ++round) {
        TextArray texts(random() % 14);
        for (std::string& text : texts)
            for (std::size_t n = 1 + random() % 3; n > 0; --n) text += letters[random() % letters.size()];
        const int direction = int(random() % 2);
        const bool caseSensitive = random() % 8 == 0;
        TextArray expected = texts;
        ExchangeSortStepByStep(expected, direction, caseSensitive);

        const std::vector<std::string_view> views(texts.begin(), texts.end());
        const std::vector<std::size_t> order = ExchangeSortOrder(views, direction, caseSensitive);
        TextArray sorted;
        std::map<std::string, std::vector<std::size_t>> indicesOf;
        for (const std::size_t i : order) {
            sorted.push_back(texts.at(i));
            indicesOf[texts[i]].push_back(i);
        }
        ASSERT_EQ(sorted, expected) << "round " << round;
        for (const auto& [text, indices] : indicesOf)
            ASSERT_TRUE(std::is_sorted(indices.begin(), indices.end())) << "round " << round << ", " << text;
    }
}

}  // namespace
}  // namespace tulvarine
