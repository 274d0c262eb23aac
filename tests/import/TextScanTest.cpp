#include <gtest/gtest.h>

#include <random>
#include <string>

#include "import/TextScan.h"

namespace qln::textscan {
namespace {

// Bytes whose neighbours could disturb a word's flags through a carry or a
// borrow: the ends of every range the scans tell apart.
const std::string kEdgeBytes = std::string("\0\x01\n\r\x1f ! ,-./09:AZaz~\x7f\x80\x81\xa0\xe9\xfe\xff", 28);

uint64_t WordOf(const std::string& eight) { return LoadWord(eight.data()); }

// The flag of each byte, in memory order.
std::string FlagsOf(uint64_t mask) {
    std::string flags;
    for (unsigned i = 0; i < 8; ++i) {
        std::string top(8, '\0');
        top[i] = '\x80';
        flags += (mask & WordOf(top)) ? '1' : '.';
    }
    return flags;
}

template <class Predicate>
std::string Expected(const std::string& eight, Predicate predicate) {
    std::string flags;
    for (char c : eight) flags += predicate(c) ? '1' : '.';
    return flags;
}

// ---- masks: every byte flagged on its own, whatever its neighbours ----

TEST(TextScanMaskTest, EveryPairOfEdgeBytesAtEveryPlace) {
    for (char a : kEdgeBytes) {
        for (char b : kEdgeBytes) {
            for (size_t i = 0; i < 8; ++i) {
                for (size_t j = 0; j < 8; ++j) {
                    std::string eight(8, 'x');
                    eight[i] = a;
                    eight[j] = b;
                    const uint64_t word = WordOf(eight);
                    ASSERT_EQ(FlagsOf(EqualMask(word, ' ')), Expected(eight, [](char c) { return c == ' '; }));
                    ASSERT_EQ(FlagsOf(EqualMask(word, '-')), Expected(eight, [](char c) { return c == '-'; }));
                    ASSERT_EQ(FlagsOf(DigitMask(word)), Expected(eight, IsDigit));
                    ASSERT_EQ(HasUnprintable(word), Expected(eight, IsPrintable) != "11111111");
                }
            }
        }
    }
}

TEST(TextScanMaskTest, FirstAndLastFlaggedFollowMemoryOrder) {
    for (size_t i = 0; i < 8; ++i) {
        for (size_t j = i; j < 8; ++j) {
            std::string eight(8, 'x');
            eight[i] = ' ';
            eight[j] = ' ';
            const uint64_t blanks = EqualMask(WordOf(eight), ' ');
            EXPECT_EQ(FirstFlagged(blanks), i);
            EXPECT_EQ(LastFlagged(blanks), j);
            EXPECT_EQ(CountFlagged(blanks), i == j ? 1u : 2u);
        }
    }
    EXPECT_EQ(CountFlagged(kTops), 8u);
}

// ---- scans against the plain loops they stand for ----

size_t PlainFindUnprintable(const std::string& text, size_t from) {
    while (from < text.size() && IsPrintable(text[from])) ++from;
    return from;
}

size_t PlainWithoutTrailingDigits(const std::string& text) {
    size_t end = text.size();
    while (end > 0 && (IsDigit(text[end - 1]) || text[end - 1] == ' ')) --end;
    return end;
}

size_t PlainWithoutTrailingBlanks(const std::string& text, size_t from) {
    size_t end = text.size();
    while (end > from && text[end - 1] == ' ') --end;
    return end;
}

size_t PlainSkipBlanks(const std::string& text, size_t from) {
    while (from < text.size() && text[from] == ' ') ++from;
    return from;
}

TEST(TextScanTest, ScansAgreeWithPlainLoopsOnMixedText) {
    // Lines like a listing's, with now and then any byte at all.
    const std::string alphabet = "acgt  0123456789-Met";
    std::mt19937 random(7);
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        const size_t length = random() % 40;
        for (size_t i = 0; i < length; ++i) {
            text += random() % 16 == 0 ? kEdgeBytes[random() % kEdgeBytes.size()]
                                       : alphabet[random() % alphabet.size()];
        }
        const size_t from = length == 0 ? 0 : random() % (length + 1);
        SCOPED_TRACE(testing::PrintToString(text));

        ASSERT_EQ(FindUnprintable(text, from), PlainFindUnprintable(text, from));
        ASSERT_EQ(WithoutTrailingDigits(text), PlainWithoutTrailingDigits(text));
        ASSERT_EQ(WithoutTrailingBlanks(text, from), PlainWithoutTrailingBlanks(text, from));
        ASSERT_EQ(SkipBlanks(text, from), PlainSkipBlanks(text, from));

        size_t nonBlanks = 0;
        bool digit = false;
        bool nonNumeric = false;
        for (char c : text) {
            nonBlanks += c != ' ';
            digit |= IsDigit(c);
            nonNumeric |= !IsDigit(c) && c != ' ' && c != '-';
        }
        ASSERT_EQ(CountNonBlanks(text), nonBlanks);
        ASSERT_EQ(HasDigit(text), digit);
        ASSERT_EQ(HasNonNumeric(text), nonNumeric);
    }
}

}  // namespace
}  // namespace qln::textscan
