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
    AddCds("4", "15");
    tracker.OnBasesLine("aaa atg aaa ggg taa ccccc                                             20", 20, 0);
    tracker.OnTranslationLine("    Met Lys Gly                                                          ", "1",
                              messages);
    tracker.FinishSequence(20);
    EXPECT_EQ(tracker.GetExpected(), "MetLysGly");
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(tracker.IsPending());
    EXPECT_EQ(tracker.Check("metlysgly"), Verdict::kTranslation);
    EXPECT_FALSE(tracker.IsPending());
}

TEST_F(TranslationTrackerTest, TwoRegionsOnOneLine) {
    tracker.Begin(dna);
    AddCds("1", "6");
    AddCds("10", "15");
    tracker.OnBasesLine("atg aaa ccc ggg taa       15", 15, 0);
    tracker.OnTranslationLine("Met Lys     Gly", "1", messages);
    EXPECT_EQ(tracker.GetExpected(), "MetLysGly");
    // Each region's own entry, in order.
    EXPECT_EQ(tracker.Check("MetLys"), Verdict::kTranslation);
    EXPECT_EQ(tracker.Check("Gly"), Verdict::kTranslation);
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
    tracker.OnBasesLine("atg aaa ccc ggg taa       15", 15, 0);
    tracker.OnTranslationLine("Met Lys     Gly", "1", messages);
    EXPECT_EQ(tracker.Check("MetLysGly"), Verdict::kJoinedTranslation);
    EXPECT_FALSE(tracker.IsPending());
}

TEST_F(TranslationTrackerTest, OneRegionMatchedWholeIsNotJoined) {
    tracker.Begin(dna);
    AddCds("1", "6");
    tracker.OnBasesLine("atg aaa      6", 6, 0);
    tracker.OnTranslationLine("Met Lys", "1", messages);
    EXPECT_EQ(tracker.Check("MetLys"), Verdict::kTranslation);
}

TEST_F(TranslationTrackerTest, StretchesSplitByStopCodonsMatchOneAfterAnother) {
    tracker.Begin(dna);
    AddCds("1", "21");
    AddCds("25", "30");
    tracker.OnBasesLine("atg aaa taa ggg ccc ttt aaa aag ccc gat        30", 30, 0);
    tracker.OnTranslationLine("Met Lys     Gly Pro Phe Lys     Pro Asp", "1", messages);
    EXPECT_EQ(tracker.GetExpected(), "MetLysGlyProPheLysProAsp");
    EXPECT_EQ(tracker.Check("MetLys"), Verdict::kTranslation);
    EXPECT_EQ(tracker.Check("GlyProPheLys"), Verdict::kTranslation);
    EXPECT_EQ(tracker.Check("ProAsp"), Verdict::kTranslation);
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
    AddCds("1", "6");
    AddCds("10", "15");
    tracker.OnBasesLine("atg aaa ccc ggg taa       15", 15, 0);
    tracker.OnTranslationLine("Met Lys     Gly", "1", messages);
    // A prefix of the expected text, but longer than the first region.
    EXPECT_EQ(tracker.Check("MetLysG"), Verdict::kKept);
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
    AddCds("1", "9");
    tracker.OnBasesLine("atg aaa      6", 6, 0);
    tracker.OnTranslationLine("Met Lys", "1", messages);
    tracker.OnBasesLine("taa          9", 3, 6);  // no translation line under a stop
    tracker.FinishSequence(9);
    EXPECT_EQ(tracker.Check("MetLys"), Verdict::kTranslation);
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
