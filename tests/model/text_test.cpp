#include <gtest/gtest.h>

#include "model/named_attribute_map.h"
#include "model/numbers.h"
#include "model/text.h"
#include "model/text_array.h"

namespace tulvarine {
namespace {

const std::string kFw = "\xE3\x80\x80";  // full-width space

TEST(Trim, RemovesAsciiAndFullWidthBlanksButNotTabs) {
    EXPECT_EQ(TrimBlanks("  " + kFw + "a b" + kFw + " "), "a b");
    EXPECT_EQ(TrimBlanks("\ta\t"), "\ta\t");
    EXPECT_EQ(TrimBlanks("   "), "");
    EXPECT_EQ(TrimLeadingBlanks(" x "), "x ");
    EXPECT_EQ(TrimTrailingBlanks(" x "), " x");
    // A lone lead byte or a partial full-width space is not a blank.
    EXPECT_EQ(TrimBlanks("a\xE3\x80"), "a\xE3\x80");
}

TEST(RemoveBlanks, DropsLineBreaksAndBlanksAnywhere) {
    std::string text = "ac gt\r\nAC" + kFw + "g\tx";
    RemoveLineBreaksAndBlanks(text);
    EXPECT_EQ(text, "acgtACg\tx");
    std::string kept = "a\r\nb c";
    RemoveBlanks(kept);
    EXPECT_EQ(kept, "a\r\nbc");
}

TEST(ShownText, KeepsShortTextsAndCutsLongOnesAtACharacter) {
    const std::string atLimit(kShownTextBytes, 'x');
    EXPECT_EQ(ShownText(atLimit), atLimit);
    EXPECT_EQ(ShownText(atLimit + "y"), atLimit + "\u2026");
    EXPECT_EQ(ShownText(""), "");
    // "\u20ac" is three bytes: a limit inside it cuts before it.
    const std::string euros = "ab\u20ac\u20ac";
    EXPECT_EQ(ShownText(euros, 8), euros);
    EXPECT_EQ(ShownText(euros, 4), "ab\u2026");
    EXPECT_EQ(ShownText(euros, 6), "ab\u20ac\u2026");
    EXPECT_EQ(ShownPart(euros, 7), "ab\u20ac");
    // A header of megabytes: the cut is what a person reads.
    const std::string header = ">" + std::string(3 << 20, 'A');
    EXPECT_EQ(ShownText(header), header.substr(0, kShownTextBytes) + "\u2026");
}

TEST(ShownLines, CutsEachLineAndKeepsItsLineEnd) {
    const std::string longLine(12, 'x');
    EXPECT_EQ(ShownLines("short\nlines", 20), "short\nlines");
    EXPECT_EQ(ShownLines(longLine + "\r\nok\n" + longLine + "\r" + longLine, 10),
              std::string(10, 'x') + "\u2026\r\nok\n" + std::string(10, 'x') + "\u2026\r" + std::string(10, 'x') + "\u2026");
    EXPECT_EQ(ShownLines(longLine + "\n\n", 10), std::string(10, 'x') + "\u2026\n\n");
}

TEST(SplitText, FollowsTheSplittingRules) {
    EXPECT_EQ(SplitText("a,,b", ","), (TextArray{"a", "", "b"}));
    EXPECT_EQ(SplitText("a,b,", ","), (TextArray{"a", "b"}));
    EXPECT_EQ(SplitText(",a", ","), (TextArray{"", "a"}));
    EXPECT_EQ(SplitText("a\r\nb", "\r\n"), (TextArray{"a", "b"}));
    EXPECT_EQ(SplitText("abc", ""), (TextArray{"abc"}));
    EXPECT_TRUE(SplitText("", ",").empty());
    EXPECT_EQ(SplitText("**", "*"), (TextArray{"", ""}));
}

TEST(CaseFolding, ChangesAsciiLettersOnly) {
    EXPECT_EQ(ToUpperAscii("abz\xC3\xA4-1"), "ABZ\xC3\xA4-1");
    EXPECT_EQ(ToLowerAscii("ABZ\xC3\x84"), "abz\xC3\x84");
    EXPECT_EQ(FindIgnoreCase("xxAbC", "abc"), 2u);
    EXPECT_EQ(FindIgnoreCase("abc", "abcd"), std::string_view::npos);
    EXPECT_EQ(FindIgnoreCase("abc", "", 3), 3u);
}

TEST(ReplaceAll, ReplacesFromAStartWithOrWithoutCase) {
    std::string text = "AC--GT-";
    EXPECT_EQ(ReplaceAll(text, "-", ""), 3u);
    EXPECT_EQ(text, "ACGT");
    text = "aXbxcX";
    EXPECT_EQ(ReplaceAll(text, "x", "-", 2, false), 2u);
    EXPECT_EQ(text, "aXb-c-");
    EXPECT_EQ(ReplaceAll(text, "", "z"), 0u);
}

TEST(FindTextInArray, AppliesEachModesRule) {
    const TextArray array = {"abc", "xyz"};
    EXPECT_EQ(FindTextInArray(array, "ABC", 1), 1);
    EXPECT_EQ(FindTextInArray(array, "ABC", 2), 1);
    EXPECT_EQ(FindTextInArray(array, "ABC", 3), 1);
    EXPECT_EQ(FindTextInArray(array, "ab", 1), -1);
    EXPECT_EQ(FindTextInArray(array, "ab", 2), 1);
    EXPECT_EQ(FindTextInArray(array, "ab", 3), -1);
    EXPECT_EQ(FindTextInArray(array, "xabcx", 3), 1);
    EXPECT_EQ(FindTextInArray(array, "XYZ", 1), 2);
    EXPECT_EQ(FindTextInArray(array, "abc", 4), -1);
    EXPECT_EQ(FindTextInArray(array, "abc", 0), -1);
    EXPECT_EQ(FindTextInArray({}, "abc", 1), -1);
    EXPECT_EQ(FindTextInArray(array, "", 2), 1);
    EXPECT_EQ(FindTextInArray({"q", ""}, "zzz", 3), 2);
}

TEST(NamedAttributeMap, KeepsOrderAndUniqueNames) {
    NamedAttributeMap map;
    EXPECT_TRUE(map.Add("b", "1"));
    EXPECT_TRUE(map.Add("a", "2"));
    EXPECT_FALSE(map.Add("b", "3"));
    EXPECT_EQ(*map.Find("b"), "1");
    EXPECT_FALSE(map.Set("c", "4"));
    EXPECT_TRUE(map.Set("b", "5"));  // moves to the end
    EXPECT_EQ(map.Names(), (TextArray{"a", "b"}));
    EXPECT_EQ(*map.Find("b"), "5");
    EXPECT_EQ(map.Find("B"), nullptr);  // names are case-sensitive
    NamedAttributeMap copy = map;
    EXPECT_TRUE(map.Remove("a"));
    EXPECT_FALSE(map.Remove("a"));
    EXPECT_EQ(map.Names(), (TextArray{"b"}));
    EXPECT_EQ(copy.Names(), (TextArray{"a", "b"}));
    EXPECT_TRUE(copy.Add("c", "6"));
    EXPECT_EQ(copy.Count(), 3u);
}

TEST(Numbers, FormatLikePrintfInTheCLocale) {
    EXPECT_EQ(IntToText(-42), "-42");
    EXPECT_EQ(FloatToText(0.8666667f), "0.866667");
    EXPECT_EQ(FloatToText(2.5f), "2.5");
    EXPECT_EQ(FloatToText(100000.0f), "100000");
    EXPECT_EQ(FloatToText(1234567.0f), "1.23457e+06");
    EXPECT_EQ(DoubleToText(0.1), "0.1");
    EXPECT_EQ(DoubleToText(1.0 / 3.0), "0.3333333333333");
}

TEST(Numbers, ReadLeadingNumbersIncludingFullWidthForms) {
    EXPECT_EQ(TextToInt("  90"), 90);
    EXPECT_EQ(TextToInt("-12abc"), -12);
    EXPECT_EQ(TextToInt("+7"), 7);
    EXPECT_EQ(TextToInt("abc"), 0);
    EXPECT_EQ(TextToInt(""), 0);
    EXPECT_EQ(TextToInt("3.9"), 3);
    EXPECT_EQ(TextToInt(kFw + "\xEF\xBC\x91\xEF\xBC\x95\xEF\xBC\x90"), 150);   // full-width 150
    EXPECT_EQ(TextToInt("\xEF\xBC\x8D\xEF\xBC\x92"), -2);                   // full-width -2
    EXPECT_DOUBLE_EQ(TextToDouble("0.25"), 0.25);
    EXPECT_DOUBLE_EQ(TextToDouble(".5x"), 0.5);
    EXPECT_DOUBLE_EQ(TextToDouble("1e3"), 1000.0);
    EXPECT_DOUBLE_EQ(TextToDouble("2e"), 2.0);
    EXPECT_DOUBLE_EQ(TextToDouble("1e-999"), 0.0);
    EXPECT_EQ(TextToInt("\t5"), 0);  // a tab is not a blank
}

}  // namespace
}  // namespace tulvarine
