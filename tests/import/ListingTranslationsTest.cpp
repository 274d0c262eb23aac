#include <gtest/gtest.h>

#include <string>

#include "import/ListingTranslations.h"
#include "model/Feature.h"
#include "model/Sequence.h"

namespace qln {
namespace {

using Verdict = CTranslationTracker::Verdict;

class TranslationTrackerTest : public ::testing::Test {
protected:
    Ptr<CDNASequence> dna = MakePtr<CDNASequence>(nullptr, "S", "Homo sapiens", "");
    CTranslationTracker tracker;
    StringList messages;

    void AddCds(const std::string& from, const std::string& to) {
        tracker.AddCodingRegion(MakePtr<CDS>(dna.get(), "", from, to));
    }
};

TEST_F(TranslationTrackerTest, RegionStartingInsideALineTakesTheColumnsUnderIt) {
    tracker.Begin(dna);
    AddCds("4", "18");
    tracker.OnBasesLine("aaa atg aaa ggg gat taa cc                                            20", 20, 0);
    tracker.OnTranslationLine("    Met Lys Gly Asp                                                      ", "1",
                              messages);
    tracker.FinishSequence(20);
    EXPECT_EQ(tracker.GetExpected(), "MetLysGlyAsp");
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(tracker.IsPending());
    EXPECT_EQ(tracker.Check("metlysglyasp"), Verdict::kTranslation);
    EXPECT_FALSE(tracker.IsPending());
}

TEST_F(TranslationTrackerTest, TwoRegionsOnOneLine) {
    tracker.Begin(dna);
    AddCds("1", "12");
    AddCds("16", "27");
    tracker.OnBasesLine("atg aaa ccc ggg ttt gat cac ttc agc       27", 27, 0);
    tracker.OnTranslationLine("Met Lys Pro Gly     Asp His Phe Ser", "1", messages);
    EXPECT_EQ(tracker.GetExpected(), "MetLysProGlyAspHisPheSer");
    // Each region's own entry, in order.
    EXPECT_EQ(tracker.Check("MetLysProGly"), Verdict::kTranslation);
    EXPECT_EQ(tracker.Check("AspHisPheSer"), Verdict::kTranslation);
    EXPECT_FALSE(tracker.IsPending());
}

TEST_F(TranslationTrackerTest, RegionsAcrossLinesCountBasesBeforeTheLine) {
    tracker.Begin(dna);
    AddCds("7", "12");
    tracker.OnBasesLine("aaa ccc     6", 6, 0);
    tracker.OnBasesLine("atg aaa     12", 6, 6);
    tracker.OnTranslationLine("Met Lys", "1", messages);
    EXPECT_EQ(tracker.GetExpected(), "MetLys");
}

TEST_F(TranslationTrackerTest, AllRegionsAsOneEntryAreJoined) {
    tracker.Begin(dna);
    AddCds("1", "6");
    AddCds("10", "15");
    tracker.OnBasesLine("atg aaa ccc ggg gat       15", 15, 0);
    tracker.OnTranslationLine("Met Lys     Gly Asp", "1", messages);
    EXPECT_EQ(tracker.Check("MetLysGlyAsp"), Verdict::kJoinedTranslation);
    EXPECT_FALSE(tracker.IsPending());
}

// The amino acid of a split codon stands under its two-base piece and is
// wider than it; the bases after the piece must not cut it off.
TEST_F(TranslationTrackerTest, AminoAcidUnderTheTwoBasePieceEndingARegionIsWhole) {
    tracker.Begin(dna);
    AddCds("1", "11");
    AddCds("12", "15");
    tracker.OnBasesLine("atg aaa ccc gg  g ttt      15", 15, 0);
    tracker.OnTranslationLine("Met Lys Pro Gly   Phe", "1", messages);
    tracker.FinishSequence(15);
    EXPECT_EQ(tracker.GetExpected(), "MetLysProGlyPhe");
    EXPECT_EQ(tracker.Check("MetLysProGlyPhe"), Verdict::kJoinedTranslation);
}

// A region of a stop codon alone adds no letters: the other region's entry
// then holds all that is expected, but the regions were not joined.
TEST_F(TranslationTrackerTest, EntryOfAllLettersIsNotJoinedWhenARegionShowsAStop) {
    tracker.Begin(dna);
    AddCds("1", "12");
    AddCds("13", "15");
    tracker.OnBasesLine("atg aaa ccc ggg tga      15", 15, 0);
    tracker.OnTranslationLine("Met Lys Pro Gly", "1", messages);
    tracker.FinishSequence(15);
    EXPECT_EQ(tracker.Check("MetLysProGly"), Verdict::kTranslation);
}

// A region of one base, a piece whose amino acid shows under another, does
// not keep the regions from being joined.
TEST_F(TranslationTrackerTest, RegionOfOnePieceShowingNothingMayBeJoined) {
    tracker.Begin(dna);
    AddCds("1", "11");
    AddCds("12", "12");
    AddCds("13", "15");
    tracker.OnBasesLine("atg aaa ccc gg  g ttt      15", 15, 0);
    tracker.OnTranslationLine("Met Lys Pro Gly   Phe", "1", messages);
    tracker.FinishSequence(15);
    EXPECT_EQ(tracker.Check("MetLysProGlyPhe"), Verdict::kJoinedTranslation);
}

// Joined regions of three amino acids get no derived entry: a protein just
// like them is the user's own.
TEST_F(TranslationTrackerTest, JoinedRegionsTooShortForAnEntryMatchNothing) {
    tracker.Begin(dna);
    AddCds("1", "6");
    AddCds("10", "12");
    tracker.OnBasesLine("atg aaa ccc ggg      12", 12, 0);
    tracker.OnTranslationLine("Met Lys     Gly", "1", messages);
    EXPECT_EQ(tracker.Check("MetLysGly"), Verdict::kKept);
}

TEST_F(TranslationTrackerTest, OneRegionMatchedWholeIsNotJoined) {
    tracker.Begin(dna);
    AddCds("1", "12");
    tracker.OnBasesLine("atg aaa ccc ggg      12", 12, 0);
    tracker.OnTranslationLine("Met Lys Pro Gly", "1", messages);
    EXPECT_EQ(tracker.Check("MetLysProGly"), Verdict::kTranslation);
}

TEST_F(TranslationTrackerTest, StretchesBetweenStopCodonsMatchOneAfterAnother) {
    tracker.Begin(dna);
    AddCds("1", "30");
    AddCds("34", "42");
    tracker.OnBasesLine("atg aaa ccc ggg tga gat cac ttc agc ctg aaa ggg ccc ttt       42", 42, 0);
    tracker.OnTranslationLine("Met Lys Pro Gly     Asp His Phe Ser Leu     Gly Pro Phe", "1", messages);
    EXPECT_EQ(tracker.Check("MetLysProGly"), Verdict::kTranslation);
    EXPECT_EQ(tracker.Check("AspHisPheSerLeu"), Verdict::kTranslation);
    EXPECT_EQ(tracker.Check("GlyProPhe"), Verdict::kKept);  // too short for an entry of its own
}

// The writer lists no stretch of fewer than four amino acids; the entries
// it did list still match, and a protein like a short stretch is the user's.
TEST_F(TranslationTrackerTest, StretchesTooShortForAnEntryArePassedOver) {
    tracker.Begin(dna);
    AddCds("1", "15");
    AddCds("21", "35");
    AddCds("37", "42");
    tracker.OnBasesLine("ata tga ggc cct tgg cccgg gat cac ttc agc ctg a atg aaa      42", 42, 0);
    tracker.OnTranslationLine("Ile     Gly Pro Trp       Asp His Phe Ser Leu   Met Lys     ", "1", messages);
    EXPECT_EQ(tracker.GetExpected(), "IleGlyProTrpAspHisPheSerLeuMetLys");
    EXPECT_EQ(tracker.Check("AspHisPheSerLeu"), Verdict::kTranslation);
    EXPECT_EQ(tracker.Check("MetLys"), Verdict::kKept);
}

// A line of bases whose codons are all stop codons has no line of amino
// acids under it; the stretches before and after it are entries of their own.
TEST_F(TranslationTrackerTest, LineOfStopCodonsWithoutAminoAcidsEndsAStretch) {
    tracker.Begin(dna);
    AddCds("1", "33");
    tracker.OnBasesLine("atg aaa ccc ggg      12", 12, 0);
    tracker.OnTranslationLine("Met Lys Pro Gly", "1", messages);
    tracker.OnBasesLine("taa tag tga      21", 9, 12);
    tracker.OnBasesLine("gat cac ttc agc      33", 12, 21);
    tracker.OnTranslationLine("Asp His Phe Ser", "1", messages);
    tracker.FinishSequence(33);
    EXPECT_EQ(tracker.Check("MetLysProGly"), Verdict::kTranslation);
    EXPECT_EQ(tracker.Check("AspHisPheSer"), Verdict::kTranslation);
    EXPECT_FALSE(tracker.IsPending());
}

TEST_F(TranslationTrackerTest, ProteinThatDoesNotMatchIsKeptAndEndsTheRecognition) {
    tracker.Begin(dna);
    AddCds("1", "6");
    AddCds("10", "15");
    tracker.OnBasesLine("atg aaa ccc ggg taa       15", 15, 0);
    tracker.OnTranslationLine("Met Lys     Gly", "1", messages);
    EXPECT_EQ(tracker.Check("MetAla"), Verdict::kKept);
    EXPECT_FALSE(tracker.IsPending());
}

TEST_F(TranslationTrackerTest, ProteinLongerThanTheRegionIsKept) {
    tracker.Begin(dna);
    AddCds("1", "12");
    AddCds("16", "27");
    tracker.OnBasesLine("atg aaa ccc ggg ttt gat cac ttc agc       27", 27, 0);
    tracker.OnTranslationLine("Met Lys Pro Gly     Asp His Phe Ser", "1", messages);
    // A prefix of the expected text, but longer than the first region.
    EXPECT_EQ(tracker.Check("MetLysProGlyA"), Verdict::kKept);
}

TEST_F(TranslationTrackerTest, EmptyProteinIsNeverATranslation) {
    tracker.Begin(dna);
    AddCds("1", "6");
    tracker.OnBasesLine("atg aaa      6", 6, 0);
    tracker.OnTranslationLine("Met Lys", "1", messages);
    EXPECT_EQ(tracker.Check(""), Verdict::kKept);
    EXPECT_TRUE(tracker.IsPending());
}

TEST_F(TranslationTrackerTest, RegionWhoseLastLineHasOnlyAStopCodonEndsWithTheSequence) {
    tracker.Begin(dna);
    AddCds("1", "15");
    tracker.OnBasesLine("atg aaa ccc ggg      12", 12, 0);
    tracker.OnTranslationLine("Met Lys Pro Gly", "1", messages);
    tracker.OnBasesLine("taa          15", 3, 12);  // no translation line under a stop
    tracker.FinishSequence(15);
    EXPECT_EQ(tracker.Check("MetLysProGly"), Verdict::kTranslation);
    EXPECT_FALSE(tracker.IsPending());
}

TEST_F(TranslationTrackerTest, ReversedRegionIsReportedOnceAndSkipped) {
    tracker.Begin(dna);
    AddCds("9", "4");
    AddCds("10", "12");
    tracker.OnBasesLine("aaa ccc ggg atg      12", 12, 0);
    tracker.OnTranslationLine("            Met", "7", messages);
    tracker.OnTranslationLine("            Met", "7", messages);
    EXPECT_EQ(messages, StringList{"* Sequence ID '7': Invalid CDS range: From location 9 is greater than To "
                                   "location 4.\n"});
    EXPECT_EQ(tracker.GetExpected(), "Met");
}

TEST_F(TranslationTrackerTest, RegionsAreOrderedByTheirEnds) {
    tracker.Begin(dna);
    AddCds("10", "12");
    AddCds("1", "3");  // goes before the first region ending after 1
    tracker.OnBasesLine("atg aaa ccc tgg      12", 12, 0);
    tracker.OnTranslationLine("Met Lys Pro Trp", "1", messages);
    EXPECT_EQ(tracker.GetExpected(), "MetTrp");
    EXPECT_EQ(tracker.GetCodingRegionCount(), 2);
}

TEST_F(TranslationTrackerTest, TranslationLineWithoutBasesLineIsIgnored) {
    tracker.Begin(dna);
    AddCds("1", "6");
    tracker.OnTranslationLine("Met Lys", "1", messages);
    EXPECT_EQ(tracker.GetExpected(), "");
    EXPECT_FALSE(tracker.IsPending());
}

}  // namespace
}  // namespace qln
