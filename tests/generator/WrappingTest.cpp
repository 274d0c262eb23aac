#include <gtest/gtest.h>

#include <string>

#include "generator/Wrapping.h"

namespace qln {
namespace {

const std::string kIndent = "\n       ";

std::string Repeat(char c, size_t n) { return std::string(n, c); }

TEST(WrappingPublication, ShortValueIsTrimmedAtTheRightOnly) {
    EXPECT_EQ(CWrapping::Publication("  Title  \r\n"), "  Title");
    EXPECT_EQ(CWrapping::Publication(""), "");
    EXPECT_EQ(CWrapping::Publication(Repeat('a', 65)), Repeat('a', 65));
}

TEST(WrappingPublication, CutsAfterTheLastSpaceKeepingIt) {
    const std::string first = Repeat('a', 60) + " " + Repeat('b', 10);  // space at index 60
    EXPECT_EQ(CWrapping::Publication(first), Repeat('a', 60) + " " + kIndent + Repeat('b', 10));
}

TEST(WrappingPublication, SpaceRightAfterSixtyFiveCutsThereAndKeepsTheLeadingSpace) {
    const std::string value = Repeat('a', 30) + " " + Repeat('a', 34) + " tail";  // index 65 is a space
    EXPECT_EQ(CWrapping::Publication(value), Repeat('a', 30) + " " + Repeat('a', 34) + kIndent + " tail");
}

TEST(WrappingPublication, NoSpaceCutsAfterSixtyFive) {
    EXPECT_EQ(CWrapping::Publication(Repeat('x', 140)),
              Repeat('x', 65) + kIndent + Repeat('x', 65) + kIndent + Repeat('x', 10));
}

TEST(WrappingPublication, SpaceNearTheStartIsUsed) {
    const std::string value = "ab " + Repeat('x', 70);
    EXPECT_EQ(CWrapping::Publication(value), "ab " + kIndent + Repeat('x', 65) + kIndent + Repeat('x', 5));
}

TEST(WrappingApplicant, SpacesBeforeIndexSixAreNotBreaks) {
    // The six leading spaces of a listing name followed by one long word.
    const std::string value = "      " + Repeat('N', 70);
    EXPECT_EQ(CWrapping::Applicant(value), "      " + Repeat('N', 59) + kIndent + Repeat('N', 11));
    // The same text under the publication rule breaks at the last leading space.
    EXPECT_EQ(CWrapping::Publication(value), "      " + kIndent + Repeat('N', 65) + kIndent + Repeat('N', 5));
}

TEST(WrappingApplicant, LongNameContinuesOnAnIndentedLine) {
    const std::string name = "      " + Repeat('L', 40) + ", " + Repeat('F', 30) + "  \n";
    EXPECT_EQ(CWrapping::Applicant(name), "      " + Repeat('L', 40) + ", " + kIndent + Repeat('F', 30));
}

TEST(WrappingFeature, LineEndsInTheTextBreakIt) {
    EXPECT_EQ(CWrapping::Feature("first\r\nsecond"), "first\r" + kIndent + "second");
    // A bare line feed never leaves an empty line.
    EXPECT_EQ(CWrapping::Feature("first\nsecond"), "first" + kIndent + "second");
    EXPECT_EQ(CWrapping::Feature("first\n\nsecond"), "first" + kIndent + "second");
    // A carriage return is preferred to an earlier line feed.
    EXPECT_EQ(CWrapping::Feature("a\nb\rc"), "a\nb\r" + kIndent + "c");
}

TEST(WrappingFeature, RestIsTrimmedAtTheLeft) {
    const std::string value = Repeat('a', 60) + "     " + Repeat('b', 10);
    // Index 65 is 'b'; the last space in the first 65 is at index 64.
    EXPECT_EQ(CWrapping::Feature(value), Repeat('a', 60) + "     " + kIndent + Repeat('b', 10));
    EXPECT_EQ(CWrapping::Feature("one\r\n   two"), "one\r" + kIndent + "two");
}

TEST(WrappingFeature, AfterFourCutsOnlyTheIndentOfTheFifthLineIsWritten) {
    const std::string word = Repeat('w', 60);
    const std::string value = word + " " + word + " " + word + " " + word + " " + word + " " + word;
    EXPECT_EQ(CWrapping::Feature(value),
              word + " " + kIndent + word + " " + kIndent + word + " " + kIndent + word + " " + kIndent);
}

TEST(WrappingFeature, FourLinesFitWithoutLoss) {
    const std::string word = Repeat('w', 60);
    const std::string value = word + " " + word + " " + word + " " + word;
    EXPECT_EQ(CWrapping::Feature(value), word + " " + kIndent + word + " " + kIndent + word + " " + kIndent + word);
}

TEST(WrappingFeature, FiveShortLinesLoseTheFifth) {
    EXPECT_EQ(CWrapping::Feature("1\n2\n3\n4\n5"), "1" + kIndent + "2" + kIndent + "3" + kIndent + "4" + kIndent);
}

}  // namespace
}  // namespace qln
