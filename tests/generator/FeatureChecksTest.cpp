#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/Feature.h"
#include "model/Project.h"
#include "model/Sequence.h"

namespace qln {
namespace {

template <class T>
T* AddFeature(CSequence& sequence, int row, std::string from, std::string to, bool joined = false) {
    Ptr<T> feature(new T(&sequence, "", std::move(from), std::move(to), joined));
    feature->SetRow(row);
    sequence.GetFeatures().Add(Ptr<CFeature>(feature));
    return feature.get();
}

COtherFeature* AddOther(CSequence& sequence, int row, std::string key, std::string comment, std::string from,
                        std::string to) {
    Ptr<COtherFeature> feature(
        new COtherFeature(&sequence, std::move(key), std::move(comment), std::move(from), std::move(to)));
    feature->SetRow(row);
    sequence.GetFeatures().Add(Ptr<CFeature>(feature));
    return feature.get();
}

Ptr<CDNASequence> Dna(std::string residues, CModel* project = nullptr) {
    return MakePtr<CDNASequence>(project, "S1", "Homo sapiens", std::move(residues));
}

Ptr<CProtein1Sequence> Protein(std::string residues = "ACDEFGHIKLMNPQRSTVWYACDEFGHIKLMNPQRSTVWY") {
    return MakePtr<CProtein1Sequence>(nullptr, "S1", "Homo sapiens", std::move(residues));
}

std::vector<int> Rows(const CArray<Ptr<CFeature>>& features) {
    std::vector<int> rows;
    for (const auto& feature : features) rows.push_back(feature->GetRow());
    return rows;
}

// ---- order, record checks and the location-error stop ----

TEST(FeatureOrder, RecordChecksRunInFromOrderAndEqualFromsKeepListOrder) {
    auto s = Protein();
    AddOther(*s, 1, "misc_feature", "", "9", "0");
    AddOther(*s, 2, "misc_feature", "", "0", "5");
    AddOther(*s, 3, "misc_feature", "", "9", "-1");
    AddOther(*s, 4, "misc_feature", "", "3", "4");

    s->RunFeatureChecks(0);
    EXPECT_EQ(s->GetMessages(), (StringList{
                                    "Sequence: S1: Feature Screen:Row 2: From: The From must be greater than 0.",
                                    "Sequence: S1: Feature Screen:Row 1: To: The To must be greater than 0.",
                                    "Sequence: S1: Feature Screen:Row 3: To: The To must be greater than 0.",
                                }));
    EXPECT_EQ(Rows(s->GetWorkingFeatures()), (std::vector<int>{2, 4, 1, 3}));
}

TEST(FeatureOrder, RunAppendsAndCheckedFeaturesStartsAfreshAndClearsWorkingLists) {
    auto s = Protein();
    AddOther(*s, 1, "misc_feature", "", "0", "5");
    s->GetMessages().push_back("earlier");

    s->RunFeatureChecks(0);
    EXPECT_EQ(s->GetMessages().size(), 2u);
    EXPECT_EQ(s->GetWorkingFeatures().GetSize(), 1);

    EXPECT_EQ(s->CheckedFeatures(0),
              StringList{"Sequence: S1: Feature Screen:Row 1: From: The From must be greater than 0."});
    EXPECT_TRUE(s->GetWorkingFeatures().IsEmpty());
}

TEST(FeatureOrder, ToBeforeFromSuppressesAllOtherMessages) {
    // Alone, these would give overlap, exon, divisibility and stop-codon messages.
    auto s = Dna("taataataataataataataa");
    AddFeature<CDS>(*s, 1, "1", "10");
    AddFeature<CDS>(*s, 2, "1", "10");
    AddFeature<CDS>(*s, 3, "4", "9", true);
    AddFeature<CExon>(*s, 4, "2", "5");
    AddFeature<CIntron>(*s, 5, "3", "8");
    AddFeature<CMatPeptide>(*s, 6, "2", "");
    AddFeature<CMatPeptide>(*s, 7, "3", "");
    AddOther(*s, 8, "misc_feature", "", "7", "6");

    s->RunFeatureChecks(0);
    EXPECT_EQ(s->GetMessages(),
              StringList{"Sequence: S1: Feature Screen:Row 8: From/To: The From can not be greater than the To."});
    EXPECT_TRUE(s->GetWorkingFeatures().IsEmpty());
    EXPECT_TRUE(s->GetCodingRegions().IsEmpty());
    EXPECT_TRUE(s->GetExons().IsEmpty());
    EXPECT_TRUE(s->GetIntrons().IsEmpty());
    EXPECT_TRUE(s->GetMatPeptides().IsEmpty());
}

TEST(FeatureOrder, ListsAreBuiltByClass) {
    auto s = Protein();
    AddFeature<CIntron>(*s, 1, "20", "25");
    AddFeature<CExon>(*s, 2, "12", "14");
    AddFeature<CMatPeptide>(*s, 3, "30", "");
    AddFeature<CExon>(*s, 4, "1", "3");
    AddOther(*s, 5, "misc_feature", "x", "1", "2");

    s->RunFeatureChecks(0);
    EXPECT_TRUE(s->GetMessages().empty());
    ASSERT_EQ(s->GetExons().GetSize(), 2);
    EXPECT_EQ(s->GetExons()[0]->GetRow(), 4);
    EXPECT_EQ(s->GetExons()[1]->GetRow(), 2);
    ASSERT_EQ(s->GetIntrons().GetSize(), 1);
    ASSERT_EQ(s->GetMatPeptides().GetSize(), 1);
    EXPECT_TRUE(s->GetCodingRegions().IsEmpty());
    EXPECT_EQ(s->GetWorkingFeatures().GetSize(), 5);
}

// ---- relations ----

TEST(FeatureRelations, SecondMatPeptideReportedOnceOnTheFirst) {
    auto s = Protein();
    AddFeature<CMatPeptide>(*s, 4, "12", "");
    AddFeature<CMatPeptide>(*s, 2, "3", "");
    AddFeature<CMatPeptide>(*s, 7, "20", "");

    s->RunFeatureChecks(0);
    EXPECT_EQ(s->GetMessages(), StringList{"Sequence: S1: Feature Screen:Row 2: A second mat_peptide appears in 4."});
}

TEST(FeatureRelations, IntronHoldingAnExonEnd) {
    auto s = Protein();
    AddFeature<CExon>(*s, 1, "5", "10");
    AddFeature<CIntron>(*s, 2, "10", "12");  // holds the exon's To (inclusive)
    AddFeature<CIntron>(*s, 3, "1", "5");    // holds the exon's From
    AddFeature<CIntron>(*s, 4, "6", "9");    // inside the exon, holds neither end
    AddFeature<CIntron>(*s, 5, "11", "15");

    s->RunFeatureChecks(0);
    EXPECT_EQ(s->GetMessages(),
              (StringList{
                  "Sequence: S1: Feature Screen:Row 3: This intron range overlaps with the exon in row 1.",
                  "Sequence: S1: Feature Screen:Row 2: This intron range overlaps with the exon in row 1.",
              }));
}

TEST(FeatureRelations, LaterExonStartingInsideAnEarlierOne) {
    auto s = Protein();
    AddFeature<CExon>(*s, 3, "10", "15");
    AddFeature<CExon>(*s, 1, "1", "10");
    AddFeature<CExon>(*s, 2, "16", "20");
    AddFeature<CExon>(*s, 4, "17", "18");

    s->RunFeatureChecks(0);
    EXPECT_EQ(s->GetMessages(), (StringList{
                                    "Sequence: S1: Feature Screen:Row 3: This exon overlaps with the exon in row 1.",
                                    "Sequence: S1: Feature Screen:Row 4: This exon overlaps with the exon in row 2.",
                                }));
}

TEST(FeatureRelations, TwoIdenticalCodingRegionsGiveOneMessageForTheLater) {
    auto s = Dna("atgaaacccggg");
    AddFeature<CDS>(*s, 1, "1", "9");
    AddFeature<CDS>(*s, 2, "1", "9");

    s->RunFeatureChecks(0);
    EXPECT_EQ(s->GetMessages(),
              StringList{"Sequence: S1: Feature Screen:Row 2: This CDS range overlaps with the CDS in row 1."});
}

TEST(FeatureRelations, CodingRegionOverlapByEitherEnd) {
    auto s = Dna(std::string(30, 'a'));
    AddFeature<CDS>(*s, 1, "4", "12");
    AddFeature<CDS>(*s, 2, "12", "20");  // starts on the first one's end
    AddFeature<CDS>(*s, 3, "22", "24");
    AddFeature<CDS>(*s, 4, "1", "3");

    s->RunFeatureChecks(0);
    EXPECT_EQ(s->GetMessages(),
              StringList{"Sequence: S1: Feature Screen:Row 2: This CDS range overlaps with the CDS in row 1."});
}

TEST(FeatureRelations, CodingRegionInAProtein) {
    auto s = Protein();
    AddFeature<CDS>(*s, 1, "1", "6");
    AddFeature<CDS>(*s, 2, "10", "15");

    s->RunFeatureChecks(0);
    EXPECT_EQ(s->GetMessages(),
              (StringList{
                  "Sequence: S1: Feature Screen:Row 1: A CDS region  may not be defined in a Protein sequences.",
                  "Sequence: S1: Feature Screen:Row 2: A CDS region  may not be defined in a Protein sequences.",
              }));
}

TEST(FeatureRelations, IntronHoldingACodingRegionEnd) {
    auto s = Dna(std::string(30, 'a'));
    AddFeature<CDS>(*s, 1, "4", "12");
    AddFeature<CIntron>(*s, 2, "12", "20");
    AddFeature<CIntron>(*s, 3, "5", "6");  // inside the region only

    s->RunFeatureChecks(0);
    EXPECT_EQ(s->GetMessages(),
              StringList{"Sequence: S1: Feature Screen:Row 2: This intron overlaps the CDS in row 1."});
}

TEST(FeatureRelations, ExonAgainstCodingRegion) {
    struct Case {
        const char* from;
        const char* to;
        bool reported;
    };
    // The region runs from 10 to 30.
    const Case cases[] = {
        {"10", "20", false}, {"11", "20", true}, {"20", "30", false}, {"11", "29", true},  {"10", "30", false},
        {"5", "15", true},   {"25", "40", true}, {"5", "40", false},  {"1", "9", false},   {"31", "40", false},
        {"5", "10", true},   {"30", "35", true}, {"5", "30", false},  {"10", "35", false},
    };
    for (const Case& c : cases) {
        auto s = Dna(std::string(40, 'a'));
        AddFeature<CDS>(*s, 1, "10", "30");
        AddFeature<CExon>(*s, 2, c.from, c.to);
        s->RunFeatureChecks(0);
        const StringList expected =
            c.reported
                ? StringList{"Sequence: S1: Feature Screen:Row 2: This exon starts or ends inside the CDS in row 1."}
                : StringList{};
        EXPECT_EQ(s->GetMessages(), expected) << "exon " << c.from << "-" << c.to;
    }
}

// ---- missing features, the last relation check ----

TEST(FeatureRelations, MissingFeaturesOnlyWithTheSwitchAndWithoutLocationErrors) {
    Ptr<CProject> project(new CProject);
    auto s = Dna("acnac", project.get());

    EXPECT_TRUE(s->CheckedFeatures(0).empty());

    project->SetCheckMissingFeatures(true);
    EXPECT_EQ(s->CheckedFeatures(0),
              StringList{"S1 needs a 'misc_feature' that defines the unknown nucleotide in position  3"});

    AddOther(*s, 1, "misc_feature", "", "4", "2");
    EXPECT_EQ(s->CheckedFeatures(0),
              StringList{"Sequence: S1: Feature Screen:Row 1: From/To: The From can not be greater than the To."});
}

// ---- coding regions ----

TEST(CodingRegions, CodonSplitBetweenJoinedRegions) {
    // Codons: atg, t|ga (residues 4, 6 and 7), aaa.
    auto s = Dna("atgtcgaaaa");
    CDS* first = AddFeature<CDS>(*s, 1, "1", "4", true);
    CDS* second = AddFeature<CDS>(*s, 2, "6", "10", true);

    s->RunFeatureChecks(0);
    EXPECT_EQ(s->GetMessages(),
              StringList{"Sequence: S1:   Stop codon within a CDS that is joined or has a mat_peptide at 6."});
    EXPECT_EQ(first->GetCodingOffset(), 0);
    EXPECT_EQ(second->GetCodingOffset(), 4);

    // The same layout without a stop codon passes the sum check (4 + 5 = 9).
    auto clean = Dna("atgtcggaaa");
    AddFeature<CDS>(*clean, 1, "1", "4", true);
    AddFeature<CDS>(*clean, 2, "6", "10", true);
    clean->RunFeatureChecks(0);
    EXPECT_TRUE(clean->GetMessages().empty());
}

TEST(CodingRegions, CodonSpreadOverThreeRegionsReportedAtTheLast) {
    auto s = Dna("tcaga");
    AddFeature<CDS>(*s, 1, "1", "1", true);
    AddFeature<CDS>(*s, 2, "3", "3", true);
    AddFeature<CDS>(*s, 3, "5", "5", true);

    s->RunFeatureChecks(0);
    EXPECT_EQ(s->GetMessages(),
              StringList{"Sequence: S1:   Stop codon within a CDS that is joined or has a mat_peptide at 5."});
}

TEST(CodingRegions, UnjoinedRegionOfTenIsNotScanned) {
    auto s = Dna("taataataat");
    AddFeature<CDS>(*s, 1, "1", "10");

    s->RunFeatureChecks(0);
    EXPECT_EQ(s->GetMessages(), StringList{"Sequence: S1: Feature Screen:Row 1: Every CDS range must be divisible by "
                                           "3 when CDSs are not joined."});
}

TEST(CodingRegions, StopCodonAtTheEndPassesOnlyWhenUnjoined) {
    auto unjoined = Dna("atgaaataa");
    AddFeature<CDS>(*unjoined, 1, "1", "9");
    unjoined->RunFeatureChecks(0);
    EXPECT_TRUE(unjoined->GetMessages().empty());

    auto joined = Dna("atgaaataa");
    AddFeature<CDS>(*joined, 1, "1", "9", true);
    joined->RunFeatureChecks(0);
    EXPECT_EQ(joined->GetMessages(),
              StringList{"Sequence: S1:   Stop codon within a CDS that is joined or has a mat_peptide at 7."});
}

TEST(CodingRegions, ScanStopsAtTheFirstUnjoinedRegionWithoutMatPeptide) {
    // Only the first region is scanned and summed; the stop codons after it
    // go unreported and the remembered flag stays joined.
    auto s = Dna("atgtaatag");
    AddFeature<CDS>(*s, 1, "1", "3", true);
    AddFeature<CDS>(*s, 2, "4", "6");
    CDS* third = AddFeature<CDS>(*s, 3, "7", "9", true);
    third->SetCodingOffset(99);

    s->RunFeatureChecks(0);
    EXPECT_TRUE(s->GetMessages().empty());
    EXPECT_EQ(third->GetCodingOffset(), 0);
}

TEST(CodingRegions, JoinedSumNotDivisibleByThree) {
    auto s = Dna("atgaaacccggg");
    AddFeature<CDS>(*s, 1, "1", "4", true);
    AddFeature<CDS>(*s, 2, "6", "9", true);

    s->RunFeatureChecks(0);
    EXPECT_EQ(s->GetMessages(), StringList{"Sequence: S1: The sum of all CDS ranges should be divisible by 3 when "
                                           "all the CDSs are joined."});
}

TEST(CodingRegions, LastScannedRegionDecidesBetweenSumAndEachRange) {
    // A mature peptide makes both regions scanned; the last is unjoined, so
    // each range is tested on its own and the peptide asks for joining.
    auto s = Dna("atgaaatagaggcccttt");
    AddFeature<CDS>(*s, 1, "1", "8", true);
    AddFeature<CDS>(*s, 2, "10", "18");
    AddFeature<CMatPeptide>(*s, 3, "1", "");

    s->RunFeatureChecks(0);
    EXPECT_EQ(
        s->GetMessages(),
        (StringList{
            "Sequence: S1:   Stop codon within a CDS that is joined or has a mat_peptide at 10.",
            "Sequence: S1: Feature Screen:Row 1: Every CDS range must be divisible by 3 when CDSs are not joined.",
            "Sequence: S1: Feature Screen:Row 1: Mat_Peptide is found.  This requires all CDSs to be joined.",
            "Sequence: S1: Feature Screen:Row 2: Mat_Peptide is found.  This requires all CDSs to be joined.",
        }));
}

TEST(CodingRegions, MatPeptideAtTheSecondResidueOfACodon) {
    auto s = Dna("atgaaaccc");
    AddFeature<CDS>(*s, 1, "1", "9");
    AddFeature<CMatPeptide>(*s, 2, "5", "");

    s->RunFeatureChecks(0);
    EXPECT_EQ(s->GetMessages(),
              StringList{"Sequence: S1: Feature Screen:Row 2: Mat_Peptide is not located at the start of a codon."});

    auto atCodonStart = Dna("atgaaaccc");
    AddFeature<CDS>(*atCodonStart, 1, "1", "9");
    AddFeature<CMatPeptide>(*atCodonStart, 2, "4", "");
    atCodonStart->RunFeatureChecks(0);
    EXPECT_TRUE(atCodonStart->GetMessages().empty());
}

TEST(CodingRegions, MatPeptidePositionCountsTheCodingOffset) {
    // Regions 1-4 and 6-10 joined: residue 8 starts the third codon, 7 does not.
    for (const auto& [from, reported] : {std::pair{"8", false}, std::pair{"7", true}}) {
        auto s = Dna("atgtcggaaa");
        AddFeature<CDS>(*s, 1, "1", "4", true);
        AddFeature<CDS>(*s, 2, "6", "10", true);
        AddFeature<CMatPeptide>(*s, 3, from, "");
        s->RunFeatureChecks(0);
        const StringList expected =
            reported ? StringList{"Sequence: S1: Feature Screen:Row 3: Mat_Peptide is not located at the start of a "
                                  "codon."}
                     : StringList{};
        EXPECT_EQ(s->GetMessages(), expected) << from;
    }
}

TEST(CodingRegions, MatPeptideOutsideEveryRegion) {
    auto s = Dna("atgaaacccggg");
    AddFeature<CDS>(*s, 1, "1", "9");
    AddFeature<CMatPeptide>(*s, 2, "12", "");

    s->RunFeatureChecks(0);
    EXPECT_EQ(s->GetMessages(), StringList{"Sequence: S1: Feature Screen:Row 2: Start of mat_peptide feature is "
                                           "outside the range of any defined CDS regions."});
}

TEST(CodingRegions, CustomCodonMakesAStopCodonOrdinary) {
    auto s = Dna("atgtgaaaa");
    AddFeature<CDS>(*s, 1, "1", "9", true);
    s->RunFeatureChecks(0);
    EXPECT_EQ(s->GetMessages(),
              StringList{"Sequence: S1:   Stop codon within a CDS that is joined or has a mat_peptide at 4."});

    s->GetCustomCodons()["tga"] = "Trp";
    EXPECT_TRUE(s->CheckedFeatures(0).empty());
    EXPECT_EQ(s->TranslateCodon("tga"), "Trp");
    EXPECT_FALSE(s->IsStopCodon("tga"));
}

TEST(CodingRegions, PositionsCountLettersInTheDisplayLayout) {
    auto s = Dna("atgaaataa");
    AddFeature<CDS>(*s, 1, "1", "9", true);
    s->SetResidues("atgaa ataa                                                                 9");
    s->SetDisplayLayout(true);

    s->RunFeatureChecks(0);
    EXPECT_EQ(s->GetMessages(),
              StringList{"Sequence: S1:   Stop codon within a CDS that is joined or has a mat_peptide at 7."});
}

// ---- regions outside the residues are left out of the scan ----

TEST(CodingRegionsOutsideResidues, FromBelowOneKeepsItsOwnMessagesOnly) {
    // Neither scanned nor summed: the remembered flag stays unjoined, so the
    // range is tested on its own (0-300 is 301 positions, -5-300 is 306).
    // Long enough for the residues to live in a heap block of their own, so
    // that a read before the first residue is caught by the address checks.
    const std::string stops = "taataataataataataataataataataa";
    auto s = Dna(stops);
    AddFeature<CDS>(*s, 1, "0", "300", true);
    s->RunFeatureChecks(0);
    EXPECT_EQ(
        s->GetMessages(),
        (StringList{
            "Sequence: S1: Feature Screen:Row 1: From: The From must be greater than 0.",
            "Sequence: S1: Feature Screen:Row 1: Every CDS range must be divisible by 3 when CDSs are not joined.",
        }));

    auto negative = Dna(stops);
    AddFeature<CDS>(*negative, 1, "-5", "300", true);
    negative->RunFeatureChecks(0);
    EXPECT_EQ(negative->GetMessages(),
              StringList{"Sequence: S1: Feature Screen:Row 1: From: The From must be greater than 0."});
}

TEST(CodingRegionsOutsideResidues, NeighbourIsScannedWithoutTheLeftOutLength) {
    auto s = Dna("atgaaataa");
    CDS* outside = AddFeature<CDS>(*s, 1, "0", "2", true);
    CDS* inside = AddFeature<CDS>(*s, 2, "1", "9", true);
    outside->SetCodingOffset(7);

    s->RunFeatureChecks(0);
    EXPECT_EQ(s->GetMessages(),
              (StringList{
                  "Sequence: S1: Feature Screen:Row 1: From: The From must be greater than 0.",
                  "Sequence: S1: Feature Screen:Row 2: This CDS range overlaps with the CDS in row 1.",
                  "Sequence: S1:   Stop codon within a CDS that is joined or has a mat_peptide at 7.",
              }));
    EXPECT_EQ(outside->GetCodingOffset(), 0);
    EXPECT_EQ(inside->GetCodingOffset(), 0);
}

TEST(CodingRegionsOutsideResidues, ToBelowOneLeavesTheJoinedFlagAlone) {
    // The last region is unjoined but left out: the sum check of the joined
    // first region (9 residues) decides, and the range -11 is never tested.
    auto s = Dna("atgaaacccggg");
    AddFeature<CDS>(*s, 1, "1", "9", true);
    AddFeature<CDS>(*s, 2, "12", "0");

    s->RunFeatureChecks(0);
    EXPECT_EQ(s->GetMessages(), StringList{"Sequence: S1: Feature Screen:Row 2: To: The To must be greater than 0."});
}

TEST(CodingRegionsOutsideResidues, MatPeptideWithARegionStartingBeforeTheResidues) {
    auto s = Dna("atgaaaccc");
    AddFeature<CDS>(*s, 1, "-2", "9");
    AddFeature<CMatPeptide>(*s, 2, "4", "");

    s->RunFeatureChecks(0);
    // The region holds the peptide's From: 0 + 4 - (-2) = 6 is a codon start.
    EXPECT_EQ(s->GetMessages(),
              StringList{"Sequence: S1: Feature Screen:Row 1: From: The From must be greater than 0."});
}

}  // namespace
}  // namespace qln
