#include <filesystem>

#include <gtest/gtest.h>

#include "model/pasted_translation.h"
#include "support/temp_dir.h"

namespace tulvarine {
namespace {

using testing::TempDir;

class PastedText : public ::testing::Test {
protected:
    PastedTranslation Translate(std::string_view input, int codeIndex = 0) {
        return TranslatePastedText(input, GeneticCode{codeIndex}, workFile);
    }

    TempDir dir;
    const std::string workFile = dir.Path("tmp.fas");
};

TEST_F(PastedText, BareSequenceDropsLineBreaksAndBlanksAndUsesNoWorkFile) {
    const PastedTranslation result = Translate("atg TTT\r\ntga\nGG\xE3\x80\x80G A", 1);
    EXPECT_EQ(result.outcome, PastedTranslation::kTranslated);
    EXPECT_EQ(result.text, "MFWG");  // TGA is W under the vertebrate mitochondrial code; "A" is left over
    EXPECT_FALSE(std::filesystem::exists(workFile));
    EXPECT_EQ(Translate("AT").text, "");
    EXPECT_EQ(Translate(" \n").text, "");
}

TEST_F(PastedText, AnyGreaterThanSignMakesItFastaAndTheWorkFileGoesAway) {
    // Text before the first header is skipped; every record is ">" header CRLF protein CRLF.
    const PastedTranslation result = Translate("ATGATG\n  >seq 1 desc\natg\ntaa\n>e\n>last\r\nCTGCTGA\r\n", 11);
    EXPECT_EQ(result.outcome, PastedTranslation::kTranslated);
    EXPECT_EQ(result.text, ">seq 1 desc\r\nM*\r\n>e\r\n\r\n>last\r\nSS\r\n");
    EXPECT_FALSE(std::filesystem::exists(workFile));

    EXPECT_EQ(Translate("AAA>AAA").text, "");                // a ">" in the middle of a line: no header
    EXPECT_EQ(Translate("ATG\n>x\nTTT").text, ">x\r\nF\r\n");  // ... at a line start: one record
}

TEST_F(PastedText, AnUnwritableWorkFileIsAFailureNotAnEmptyResult) {
    std::filesystem::create_directory(workFile);  // a folder where the work file should go
    const PastedTranslation result = Translate(">a\nATG\n");
    EXPECT_EQ(result.outcome, PastedTranslation::kWorkFileNotWritten);
    EXPECT_EQ(result.text, "");
    EXPECT_TRUE(std::filesystem::is_directory(workFile));  // left as it was

    EXPECT_EQ(TranslatePastedText(">a\nATG\n", GeneticCode::kStandard, "").outcome, PastedTranslation::kWorkFileNotWritten);
    EXPECT_EQ(TranslatePastedText(">a\nATG\n", GeneticCode::kStandard, dir.Path("missing/tmp.fas")).outcome,
              PastedTranslation::kWorkFileNotWritten);
    // A bare sequence needs no work file at all.
    EXPECT_EQ(Translate("ATG").text, "M");
}

TEST_F(PastedText, ReplacesAWorkFileLeftFromBefore) {
    dir.Write("tmp.fas", ">old\nTTTTTTTTTTTTTTTTTTTTTTTTTTTT\n>older\nAAA\n");
    EXPECT_EQ(Translate(">new\nATG").text, ">new\r\nM\r\n");
    EXPECT_FALSE(std::filesystem::exists(workFile));
}

}  // namespace
}  // namespace tulvarine
