#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>

#include "import/ListingLines.h"
#include "support/ListingTestSupport.h"

namespace qln {
namespace {

using test::ListingProgress;

// ---- reading ----

TEST(ListingLinesRead, ControlCharactersAndHighBytesAreDropped) {
    const std::string text = std::string("\t<120>\tFoo\x7f") + "\xe9" + "bar \r\nnext";
    CListingLines lines;
    lines.Start(text, nullptr);
    ASSERT_TRUE(lines.ReadLine());
    EXPECT_EQ(lines.GetRaw(), "<120>Foobar ");
    EXPECT_EQ(lines.GetWorking(), "<120>Foobar");
    EXPECT_EQ(lines.GetLineNumber(), 1);
    ASSERT_TRUE(lines.ReadLine());
    EXPECT_EQ(lines.GetWorking(), "next");
    EXPECT_FALSE(lines.ReadLine());
    EXPECT_TRUE(lines.AtEnd());
    // The last line stays current at the end.
    EXPECT_EQ(lines.GetWorking(), "next");
    EXPECT_EQ(lines.GetLineNumber(), 2);
}

TEST(ListingLinesRead, OnlyBlankLinesUntilSomethingIsRead) {
    CListingLines lines;
    lines.Start(" \t\n\r\n   x\n", nullptr);
    lines.ReadLine();
    lines.ReadLine();
    EXPECT_TRUE(lines.OnlyBlankLines());
    lines.ReadLine();
    EXPECT_FALSE(lines.OnlyBlankLines());
}

TEST(ListingLinesRead, ProgressPositionsFollowTheCharactersRead) {
    // 1000 characters: ten lines of 99 letters and a line end. Each line
    // passes one more tenth, so the positions come ten at a time.
    std::string text;
    for (int i = 0; i < 10; ++i) text += std::string(99, 'a') + "\n";
    ListingProgress progress;
    CListingLines lines;
    lines.Start(text, &progress);
    lines.ReadLine();
    EXPECT_EQ(progress.ValuesOf(CImportProgress::kProgressPosition), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    while (lines.ReadLine()) {
    }
    const std::vector<int> positions = progress.ValuesOf(CImportProgress::kProgressPosition);
    ASSERT_FALSE(positions.empty());
    EXPECT_EQ(positions.back(), 98);
    for (size_t i = 0; i < positions.size(); ++i) EXPECT_EQ(positions[i], static_cast<int>(i) + 1);
}

TEST(ListingLinesRead, SaveAndRestoreGoBackToALine) {
    CListingLines lines;
    lines.Start("a\nb\nc\n", nullptr);
    lines.ReadLine();
    const CListingLines::Position mark = lines.Save();
    lines.ReadLine();
    lines.ReadLine();
    EXPECT_EQ(lines.GetWorking(), "c");
    lines.Restore(mark);
    EXPECT_EQ(lines.GetWorking(), "a");
    EXPECT_EQ(lines.GetLineNumber(), 1);
    lines.ReadLine();
    EXPECT_EQ(lines.GetWorking(), "b");
}

// ---- reading from a source ----

// Lines of every kind the reader tells apart, past several blocks: clean
// and blank ones, carriage returns, control characters at the ends and in
// the middle, a line longer than a block, and a last line without "\n".
std::string MixedText() {
    std::string text;
    for (int i = 0; i < 6000; ++i) {
        text += "acgtacgtac gtacgtacgt " + std::to_string(i) + "\n";
        text += i % 7 == 0 ? "\n" : "   Met Lys  \r\n";
        if (i % 500 == 3)
            text +=
                "ab\x01"
                "cd\t\xe9 e\n";
        if (i % 900 == 5) text += "\x02\x03<210>  9\x7f\r\n";
    }
    text += std::string(300000, 'g') + "  300000\n";
    return text + "tail";
}

struct LineState {
    std::string raw;
    std::string working;
    int number;
    bool onlyBlank;
    bool operator==(const LineState&) const = default;
};

LineState StateOf(const CListingLines& lines) {
    return {std::string(lines.GetRaw()), std::string(lines.GetWorking()), lines.GetLineNumber(),
            lines.OnlyBlankLines()};
}

TEST(ListingLinesSource, StreamedTextGivesTheSameLinesAndProgress) {
    const std::string text = MixedText();
    ListingProgress wholeProgress;
    CListingLines whole;
    whole.Start(text, &wholeProgress);
    test::TrickleSource source(text);
    ListingProgress streamedProgress;
    CListingLines streamed;
    streamed.Start(source, text.size(), &streamedProgress);
    int count = 0;
    while (true) {
        const bool read = whole.ReadLine();
        ASSERT_EQ(streamed.ReadLine(), read) << "line " << count;
        ASSERT_EQ(StateOf(streamed), StateOf(whole)) << "line " << count;
        if (!read) break;
        ++count;
    }
    EXPECT_TRUE(streamed.AtEnd());
    EXPECT_EQ(streamed.GetRaw(), "tail");
    EXPECT_EQ(streamedProgress.commands, wholeProgress.commands);
}

TEST(ListingLinesSource, LookAheadComesBackAcrossBlocks) {
    const std::string text = MixedText();
    test::TrickleSource source(text);
    CListingLines lines;
    lines.Start(source, text.size(), nullptr);
    for (int i = 0; i < 1000; ++i) lines.ReadLine();
    const LineState begun = StateOf(lines);

    // Far past a block, and back.
    lines.BeginLookAhead();
    for (int i = 0; i < 9000; ++i) lines.ReadLine();
    const CListingLines::Position mark = lines.Save();
    const LineState marked = StateOf(lines);
    lines.ReadLine();
    lines.EndLookAhead();
    EXPECT_EQ(StateOf(lines), begun);

    // Within another look-ahead, straight to the mark and back; reading on
    // is reading as ever.
    lines.BeginLookAhead();
    lines.Restore(mark);
    EXPECT_EQ(StateOf(lines), marked);
    lines.EndLookAhead();
    CListingLines whole;
    whole.Start(text, nullptr);
    for (int i = 0; i < 1000; ++i) whole.ReadLine();
    while (whole.ReadLine()) {
        ASSERT_TRUE(lines.ReadLine());
        ASSERT_EQ(StateOf(lines), StateOf(whole));
    }
    EXPECT_FALSE(lines.ReadLine());
}

// ---- numeric identifiers and values ----

TEST(ListingLinesIdentifier, RecognisedForms) {
    EXPECT_EQ(CListingLines::NumericIdentifier("<210>  5"), 210);
    EXPECT_EQ(CListingLines::NumericIdentifier("<210>"), 210);
    EXPECT_EQ(CListingLines::NumericIdentifier("< 2 1 0 > x"), 210);
    EXPECT_EQ(CListingLines::NumericIdentifier("<0>"), 0);
    EXPECT_EQ(CListingLines::NumericIdentifier("<21x> y"), 21);
    EXPECT_EQ(CListingLines::NumericIdentifier("<99999999999999999999>"), INT_MAX);
}

TEST(ListingLinesIdentifier, LinesWithoutOne) {
    EXPECT_EQ(CListingLines::NumericIdentifier(""), -1);
    EXPECT_EQ(CListingLines::NumericIdentifier("<210 no close"), -1);
    EXPECT_EQ(CListingLines::NumericIdentifier("<abc> 1"), -1);
    EXPECT_EQ(CListingLines::NumericIdentifier("<> 1"), -1);
    EXPECT_EQ(CListingLines::NumericIdentifier("12>"), -1);  // no "<" and shorter than 5
    EXPECT_EQ(CListingLines::NumericIdentifier(">210"), -1);
    EXPECT_EQ(CListingLines::NumericIdentifier("Met Lys Gly"), -1);
}

TEST(ListingLinesIdentifier, ValueFollowsTheFirstFiveCharacters) {
    EXPECT_EQ(CListingLines::IdentifierValue("<210>  17  ", 210), "17");
    EXPECT_EQ(CListingLines::IdentifierValue("<210>", 210), "");
    EXPECT_EQ(CListingLines::IdentifierValue("<210>7", 210), "7");
}

TEST(ListingLinesIdentifier, LabelIsRemovedInAnyCase) {
    EXPECT_EQ(CListingLines::IdentifierValue("<120>  title of INVENTION:   Foo", 120), "Foo");
    EXPECT_EQ(CListingLines::IdentifierValue("<211>  Length: 20", 211), "20");
    // Another identifier's label stays.
    EXPECT_EQ(CListingLines::IdentifierValue("<211>  Type: DNA", 211), "Type: DNA");
    EXPECT_EQ(CListingLines::RemoveLabel(999, "Sequence: x"), "Sequence: x");
}

TEST(ListingLinesIdentifier, DataItemNames) {
    EXPECT_STREQ(CListingLines::DataItemName(160), "Number of SEQ IDs");
    EXPECT_STREQ(CListingLines::DataItemName(222), "Feature Name/key Location");
    EXPECT_STREQ(CListingLines::DataItemName(400), "Sequence ID");
    EXPECT_STREQ(CListingLines::DataItemName(214), "");
    EXPECT_STREQ(CListingLines::Label(210), "SEQ ID NO");
}

// ---- line types ----

TEST(ListingLinesType, FourKinds) {
    std::string text = "unchanged";
    EXPECT_EQ(CListingLines::ClassifyLine("acgtacgtac gtacg        15", text), CListingLines::kTextWithCount);
    EXPECT_EQ(text, "acgtacgtacgtacg");
    EXPECT_EQ(CListingLines::ClassifyLine("Met Lys Gly", text), CListingLines::kNoDigits);
    EXPECT_EQ(text, "MetLysGly");
    EXPECT_EQ(CListingLines::ClassifyLine("1               5", text), CListingLines::kNumbersOnly);
    EXPECT_EQ(text, "");
    EXPECT_EQ(CListingLines::ClassifyLine("-5  -1  1", text), CListingLines::kNumbersOnly);
    EXPECT_EQ(CListingLines::ClassifyLine("ab-1 c", text), CListingLines::kTextOnly);
    EXPECT_EQ(text, "ab-1c");
    EXPECT_EQ(CListingLines::ClassifyLine("<220>", text), CListingLines::kTextOnly);
}

TEST(ListingLinesType, NucleotidesWithoutCountHaveNoDigits) {
    std::string text;
    EXPECT_EQ(CListingLines::ClassifyLine("acgt acgt", text), CListingLines::kNoDigits);
    EXPECT_EQ(text, "acgtacgt");
}

// Blanks in every position and number of a word, runs of them, and bytes
// above 127 beside them; appended after text already there.
TEST(ListingLinesType, AppendWithoutBlanksKeepsEveryOtherByteInOrder) {
    std::mt19937 random(11);
    const char kBytes[] = {' ', ' ', ' ', 'a', 'c', 'G', '\xA0', '\xFF', '1', '-'};
    for (int round = 0; round < 2000; ++round) {
        // Now and then longer than any line the writer makes.
        std::string text(round % 50 == 0 ? 250 + random() % 400 : random() % 40, ' ');
        for (char& c : text) c = kBytes[random() % sizeof kBytes];
        // Mostly groups of ten and a blank, now and then a blank inside.
        if (round % 2)
            for (size_t k = 0; k < text.size(); ++k)
                if (text[k] == ' ' && k % 11 != 10 && random() % 8) text[k] = 'g';
        std::string expected = "kept ";
        for (char c : text)
            if (c != ' ') expected += c;
        std::string out = "kept ";
        CListingLines::AppendWithoutBlanks(text, out);
        ASSERT_EQ(out, expected) << "text '" << text << "'";
    }
    std::string out;
    CListingLines::AppendWithoutBlanks("Met Lys Gly Ala Xaa", out);
    CListingLines::AppendWithoutBlanks("tgt cgg aca atg ata tcc", out);
    EXPECT_EQ(out, "MetLysGlyAlaXaatgtcggacaatgatatcc");
    // Groups of ten, one with a blank of its own.
    out.clear();
    CListingLines::AppendWithoutBlanks("acgtacgtac ggggg cccc tttttttttt aa", out);
    EXPECT_EQ(out, "acgtacgtacgggggccccttttttttttaa");
}

TEST(ListingLinesIdentifier, LabelsAtBothEndsOfTheRange) {
    EXPECT_EQ(CListingLines::IdentifierValue("<110>  Applicant: Acme", 110), "Acme");
    EXPECT_EQ(CListingLines::IdentifierValue("<400>  Sequence: 3", 400), "3");
    EXPECT_EQ(CListingLines::IdentifierValue("<109>  Applicant: Acme", 109), "Applicant: Acme");
    EXPECT_EQ(CListingLines::IdentifierValue("<401>  Sequence: 3", 401), "Sequence: 3");
    EXPECT_EQ(CListingLines::IdentifierValue("<214>  Sequence: 3", 214), "Sequence: 3");
}

TEST(ListingLinesType, LeadingNumber) {
    EXPECT_EQ(CListingLines::LeadingNumber("123abc"), 123);
    EXPECT_EQ(CListingLines::LeadingNumber("x1"), 0);
    EXPECT_EQ(CListingLines::LeadingNumber("4294967296"), INT_MAX);
}

}  // namespace
}  // namespace qln
