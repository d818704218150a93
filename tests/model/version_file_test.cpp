#include <gtest/gtest.h>

#include <string>

#include "model/version_file.h"

namespace tulvarine {
namespace {

TEST(CompareVersions, ComparesNumberByNumber) {
    EXPECT_GT(CompareVersions("1.2.10", "1.2.2"), 0);
    EXPECT_GT(CompareVersions("1.3", "1.2.2"), 0);
    EXPECT_GT(CompareVersions("2.0", "1.2.2"), 0);
    EXPECT_GT(CompareVersions("1.2.3", "1.2.2"), 0);
    EXPECT_LT(CompareVersions("1.2.1", "1.2.2"), 0);
    EXPECT_LT(CompareVersions("1.1.99", "1.2.2"), 0);
    EXPECT_LT(CompareVersions("0.9", "1.2.2"), 0);
    EXPECT_EQ(CompareVersions("1.2.2", "1.2.2"), 0);
}

TEST(CompareVersions, MissingNumbersCountAsZero) {
    EXPECT_EQ(CompareVersions("1.2", "1.2.0"), 0);
    EXPECT_EQ(CompareVersions("1.2.0.0", "1.2"), 0);
    EXPECT_GT(CompareVersions("1.2.2.1", "1.2.2"), 0);
    EXPECT_LT(CompareVersions("1.2", "1.2.2"), 0);
}

TEST(CompareVersions, ReadsTheLeadingDigitsOfEachNumber) {
    EXPECT_EQ(CompareVersions("1.2.3-beta", "1.2.3"), 0);
    EXPECT_EQ(CompareVersions("1.02.3", "1.2.3"), 0);
    // Full-width digits (U+FF11, U+FF13) count as ASCII ones.
    EXPECT_EQ(CompareVersions("\xEF\xBC\x91.3", "1.3"), 0);
    // A number too long for the machine saturates instead of wrapping round.
    EXPECT_GT(CompareVersions("1.99999999999999999999999", "1.9223372036854775806"), 0);
    EXPECT_LT(CompareVersions("1.x", "1.0.1"), 0);
}

TEST(ParseVersionFile, ReadsTheSecondFieldOfTheFirstTwoLines) {
    const auto file = ParseVersionFile("Version\t1.2.3\nDownload\thttps://example.org/t-1.2.3.zip\nNote\tignored\n");
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(file->newestVersion, "1.2.3");
    EXPECT_EQ(file->downloadAddress, "https://example.org/t-1.2.3.zip");
}

TEST(ParseVersionFile, IgnoresFurtherFields) {
    const auto file = ParseVersionFile("v\t1.3\textra\nu\thttp://h/a.zip\tmore");
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(file->newestVersion, "1.3");
    EXPECT_EQ(file->downloadAddress, "http://h/a.zip");
}

TEST(ParseVersionFile, TrimsCarriageReturnsAndBlanksFromBothFields) {
    const auto crlf = ParseVersionFile("Version\t1.2.10\r\nDownload\thttps://example.org/a.zip\r\n");
    ASSERT_TRUE(crlf.has_value());
    EXPECT_EQ(crlf->newestVersion, "1.2.10");
    EXPECT_EQ(crlf->downloadAddress, "https://example.org/a.zip");

    const auto padded = ParseVersionFile("V\t  1.2.3 \xE3\x80\x80\r\nD\t \r https://example.org/b.zip \r \r\n");
    ASSERT_TRUE(padded.has_value());
    EXPECT_EQ(padded->newestVersion, "1.2.3");
    EXPECT_EQ(padded->downloadAddress, "https://example.org/b.zip");
}

TEST(ParseVersionFile, RefusesBrokenFiles) {
    EXPECT_FALSE(ParseVersionFile(""));
    EXPECT_FALSE(ParseVersionFile("Version\t1.2.3\n"));                          // one line
    EXPECT_FALSE(ParseVersionFile("Version\t1.2.3"));                            // one line, no LF
    EXPECT_FALSE(ParseVersionFile("Version 1.2.3\nDownload\thttps://e.org/a"));  // no TAB in line 1
    EXPECT_FALSE(ParseVersionFile("Version\t1.2.3\nDownload https://e.org/a"));  // no TAB in line 2
    EXPECT_FALSE(ParseVersionFile("Version\t\nDownload\thttps://e.org/a"));      // empty version
    EXPECT_FALSE(ParseVersionFile("Version\t \r\nDownload\thttps://e.org/a"));   // blank version
    EXPECT_FALSE(ParseVersionFile("Version\t1.2.3\nDownload\t \r\n"));           // blank address
    EXPECT_FALSE(ParseVersionFile("Version\tnew\nDownload\thttps://e.org/a"));   // not a number
    EXPECT_FALSE(ParseVersionFile("<html>\n<body>404: Not Found</body>\n</html>\n"));
}

TEST(BeginsWithDigit, AcceptsAsciiAndFullWidthDigitsAfterBlanks) {
    EXPECT_TRUE(BeginsWithDigit("1.2"));
    EXPECT_TRUE(BeginsWithDigit("  0"));
    EXPECT_TRUE(BeginsWithDigit("\xEF\xBC\x90"));
    EXPECT_FALSE(BeginsWithDigit("v1.2"));
    EXPECT_FALSE(BeginsWithDigit(""));
    EXPECT_FALSE(BeginsWithDigit("\xEF\xBC\x8F"));  // U+FF0F, the full-width solidus
}

}  // namespace
}  // namespace tulvarine
