#include <gtest/gtest.h>

#include <climits>

#include <string>

#include "generator/LineBuilder.h"

namespace qln {
namespace {

std::string Padded(std::string text, size_t width = 74) {
    text.resize(std::max(text.size(), width), ' ');
    return text;
}

TEST(LineBuilderLabel, OnlyOneMinusOneAndMultiplesOfFive) {
    char buffer[12];
    auto label = [&](int n) { return std::string(buffer, CLineBuilder::Label(n, buffer)); };
    EXPECT_EQ(label(0), "");
    EXPECT_EQ(label(1), "1");
    EXPECT_EQ(label(-1), "-1");
    EXPECT_EQ(label(2), "");
    EXPECT_EQ(label(-3), "");
    EXPECT_EQ(label(5), "5");
    EXPECT_EQ(label(-10), "-10");
    EXPECT_EQ(label(1000), "1000");
}

TEST(LineBuilderResidueLine, PlainGroupsMakeLinesOfSixty) {
    std::string out;
    CLineBuilder builder(out, true);
    const std::string ten = "acgtacgtac";
    for (int i = 0; i < 7; ++i) builder.Add(ten, 10, "", 0);
    builder.Finish();
    const std::string full = ten + " " + ten + " " + ten + " " + ten + " " + ten + " " + ten;
    EXPECT_EQ(out, full + "       60\n\n" + ten + std::string(62, ' ') + "70\n\n");
}

TEST(LineBuilderResidueLine, FastPlainLineEqualsSixGroups) {
    const std::string sixty = "aaaaaaaaaaccccccccccggggggggggttttttttttaaaaaaaaaacccccccccc";
    std::string slow, fast;
    {
        CLineBuilder builder(slow, true);
        for (int round = 0; round < 20; ++round)
            for (int i = 0; i < 6; ++i) builder.Add(std::string_view(sixty).substr(i * 10, 10), 10, "", 0);
        builder.Finish();
    }
    {
        CLineBuilder builder(fast, true);
        for (int round = 0; round < 20; ++round) builder.AddPlainLine(sixty.data());
        EXPECT_EQ(builder.GetRunningTotal(), 1200);
        builder.Finish();
    }
    EXPECT_EQ(fast, slow);
    EXPECT_NE(fast.find(sixty.substr(50) + "     1200\n\n"), std::string::npos);
}

TEST(LineBuilderResidueLine, SixteenCodonsToALineWithNumbersUnderThem) {
    std::string out;
    CLineBuilder builder(out, true);
    for (int i = 1; i <= 17; ++i) builder.Add("atg", 3, "Met", i);
    builder.Finish();

    std::string residues, amino, numbers;
    for (int i = 1; i <= 16; ++i) {
        residues += "atg ";
        amino += "Met ";
    }
    numbers = "1               5                   10                  15";
    residues.pop_back();
    amino.pop_back();
    EXPECT_EQ(out, residues + "         48\n" + Padded(amino) + "\n" + Padded(numbers) + "\n\n" +  //
                       "atg" + std::string(69, ' ') + "51\n" + Padded("Met") + "\n" + Padded("") + "\n\n");
}

TEST(LineBuilderResidueLine, StopCodonsAloneShowNoTranslationLines) {
    std::string out;
    CLineBuilder builder(out, true);
    builder.Add("taa", 3, "   ", 0);
    builder.Add("tga", 3, "   ", 0);
    builder.Finish();
    EXPECT_EQ(out, "taa tga" + std::string(66, ' ') + "6\n\n");
}

TEST(LineBuilderResidueLine, FourDigitNumbersWidenTheirColumn) {
    // A line of a published listing: codons numbered 1000, 1005 and 1010
    // take five columns, and the line ends with the total 3319.
    std::string out;
    CLineBuilder builder(out, true);
    builder.Add("", 3274, "", 0);  // the residues of the lines before
    const char* codons[] = {"gcg", "acc", "tgg", "agg", "cgg", "cgc", "acg", "ccg",
                            "cgg", "cgc", "gag", "gcc", "acg", "ctg", "gag", "ctg"};
    const char* amino[] = {"Ala", "Thr", "Trp", "Arg", "Arg", "Arg", "Thr", "Pro",
                           "Arg", "Arg", "Glu", "Ala", "Thr", "Leu", "Glu", "Leu"};
    for (int i = 0; i < 16; ++i) builder.Add(codons[i], 3, amino[i], 996 + i);
    builder.Finish();
    const std::string published =
        "gcg acc tgg agg cgg  cgc acg ccg cgg cgc  gag gcc acg ctg gag         3319\n"
        "Ala Thr Trp Arg Arg  Arg Thr Pro Arg Arg  Glu Ala Thr Leu Glu             \n"
        "                1000                 1005                 1010            \n\n";
    const size_t start = out.find("\n\n") + 2;
    EXPECT_EQ(out.substr(start, published.size()), published);
    EXPECT_EQ(out.substr(start + published.size()),
              "ctg" + std::string(67, ' ') + "3322\n" + Padded("Leu") + "\n" + Padded("") + "\n\n");
}

TEST(LineBuilderResidueLine, GroupGoesToTheNextLineWhenColumnsRunOut) {
    std::string out;
    CLineBuilder builder(out, true);
    for (int i = 0; i < 5; ++i) builder.Add("aaaaaaaaaa", 10, "", 0);  // 55 columns used
    builder.Add("ccccccccc", 9, "", 0);                                // 55 + 9 <= 65: fits
    builder.Add("g", 1, "", 0);                                        // 60 residues would fit, 66 columns do not
    builder.Add("t", 1, "", 0);
    builder.Finish();
    EXPECT_EQ(out,
              "aaaaaaaaaa aaaaaaaaaa aaaaaaaaaa aaaaaaaaaa aaaaaaaaaa ccccccccc        59\n\n"
              "g t" +
                  std::string(69, ' ') + "61\n\n");
}

TEST(LineBuilderProteinLine, NoResidueLineNoPaddingTrailingSpaceKept) {
    std::string out;
    CLineBuilder builder(out, false);
    for (int i = 1; i <= 17; ++i) builder.Add("   ", 1, "Gly", i);
    builder.Finish();
    std::string amino;
    for (int i = 0; i < 16; ++i) amino += "Gly ";
    EXPECT_EQ(out, "\n" + amino + "\n1               5                   10                  15      \n\n" +
                       "\nGly \n    \n\n");
}

TEST(LineBuilderProteinLine, PartialCodonWithoutTranslationLeavesOnlyTheLineEnds) {
    std::string out;
    CLineBuilder builder(out, false);
    builder.Add("ac", 2, "", 0);
    builder.Finish();
    EXPECT_EQ(out, "\n\n");
}

}  // namespace
}  // namespace qln

namespace qln {
namespace {

// The quick way for whole codons must lay lines out exactly as the general one.
TEST(LineBuilderTriple, SameLinesAsTheGeneralWay) {
    for (bool residueLine : {true, false}) {
        std::string general, quick;
        CLineBuilder a(general, residueLine), b(quick, residueLine);
        const char* amino[] = {"Met", "   ", "Lys", "Xaa"};
        // Numbers from -20 on, through 1000 and beyond 10000, to vary widths.
        for (int i = 0; i < 3000; ++i) {
            const int number = i < 1500 ? i - 20 : i * 7;
            const char* translation = amino[(i * 7) % 4];
            a.Add("acg", 3, translation, translation[0] == ' ' ? 0 : number);
            b.AddTriple("acg", 3, translation, translation[0] == ' ' ? 0 : number);
            if (i % 97 == 0) {
                // A plain group and a piece now and then.
                a.Add("cc", 2, "", 0);
                b.Add("cc", 2, "", 0);
            }
        }
        a.Finish();
        b.Finish();
        EXPECT_EQ(quick, general) << "residue line " << residueLine;
    }
}

TEST(LineBuilderLabel, WidthIsTheLengthOfTheLabel) {
    char label[16];
    for (int number : {0,   1,   -1,   2,     4,     5,      -5,      9,       10,          11,         99,
                       100, 995, 1000, -1000, 99995, 123455, INT_MAX, INT_MIN, INT_MIN + 5, INT_MAX - 2})
        EXPECT_EQ(CLineBuilder::LabelWidth(number), static_cast<int>(CLineBuilder::Label(number, label))) << number;
}

}  // namespace
}  // namespace qln
