#include <gtest/gtest.h>

#include <string>

#include "model/Feature.h"
#include "model/Project.h"
#include "model/Publication.h"
#include "model/Sequence.h"

namespace qln {
namespace {

template <class T>
T* AddSequence(CProject& project, std::string name, std::string organism, std::string residues) {
    auto* seq = new T(&project, std::move(name), std::move(organism), std::move(residues));
    project.Add(seq);
    return seq;
}

CFeature* AddFeature(CSequence& seq, std::string key, std::string comment, std::string from, std::string to) {
    Ptr<CFeature> feature(new COtherFeature(&seq, std::move(key), std::move(comment), std::move(from), std::move(to)));
    feature->SetRow(seq.GetFeatures().GetSize() + 1);
    seq.GetFeatures().Add(feature);
    return feature.get();
}

// ---- the sequence checks ----

TEST(SequenceValidate, ChecksRunInOrderPublicationsFieldsCommentResiduesFeatures) {
    CProject project;
    project.SetCheckMissingFeatures(true);
    auto* seq = AddSequence<CDNASequence>(project, "S1", "  Artificial Sequence ", "ac nn\nnxg");
    seq->GetComment()->SetComment("   ");
    // Publications in the order journals, databases, patents, theses, each
    // numbered within its own list.
    seq->GetJournals().Add(new CJournal(seq, "A", "", "J", "1", "", "1-2", "2001-01-01"));
    seq->GetJournals().Add(new CJournal(seq, "A", "", "J", "", "", "1-2", "2001-01-01"));
    seq->GetPatents().Add(new CPatent(seq, "T", "", "2001-01-01", "2002-01-01"));
    seq->GetTheses().Add(new CThesis(seq, "A", "", "2001-01-01", "1-5"));
    seq->GetDatabases().Add(new CPubDatabase(seq, "", "", "", ""));
    AddFeature(*seq, "misc_feature", "", "", "");

    EXPECT_EQ(seq->Validate(1),
              (StringList{
                  "Sequence: S1: Journal Screen:Row 2: Volume is required.",
                  "Sequence: S1: DataBase Screen:Row 1: From/To: Both must be filled.",
                  "Sequence: S1: DataBase Screen:Row 1: Complete item cannot be blank, No Blank lines allowed.",
                  "Sequence: S1: Patent Screen:Row 1: Document Number is required.",
                  "Sequence: S1: Thesis Screen:Row 1: Title is required.",
                  "Sequence: S1: An artificial sequence/unknown organism requires a comment.",
                  "Sequence 'S1': Invalid character 'x' at location 6.",
                  "Sequence: S1: Feature Screen:Row 1: From: The From must be greater than 0.",
                  "S1 needs a 'misc_feature' that defines the unknown nucleotide in position  3",
                  "S1 needs a 'misc_feature' that defines the unknown nucleotide in position  4",
                  "S1 needs a 'misc_feature' that defines the unknown nucleotide in position  5",
              }));
    EXPECT_EQ(seq->GetOrganism(), "Artificial Sequence");
    EXPECT_EQ(seq->GetComment()->GetComment(), "");
    EXPECT_EQ(seq->GetResidues(), "acnnnxg");
    EXPECT_EQ(seq->GetResiduesValid(), 0);
}

TEST(SequenceValidate, RequiredFieldsAreTrimmedInPlaceThenChecked) {
    CProject project;
    auto* blank = AddSequence<CDNASequence>(project, "  ", " \t", "acgtacgtac");
    blank->SetTypeName(" ");
    EXPECT_EQ(blank->Validate(0),
              (StringList{"Sequence: : Sequence Name is required.", "Sequence: : Sequence Type is required.",
                          "Sequence: : Organism Name is required."}));
    // The residues are fine, but the sequence's earlier messages make the
    // character check fail.
    EXPECT_EQ(blank->GetResiduesValid(), 0);

    auto* padded = AddSequence<CProtein1Sequence>(project, " P1\t", " Mus musculus ", "ARND");
    EXPECT_TRUE(padded->Validate(0).empty());
    EXPECT_EQ(padded->GetName(), "P1");
    EXPECT_EQ(padded->GetOrganism(), "Mus musculus");
    EXPECT_EQ(padded->GetTypeName(), "PRT");
    EXPECT_EQ(padded->GetResiduesValid(), 1);
}

TEST(SequenceValidate, ArtificialOrUnknownOrganismNeedsAComment) {
    CProject project;
    auto* artificial = AddSequence<CDNASequence>(project, "A1", "ARTIFICIAL sequence", "acgtacgtac");
    EXPECT_EQ(artificial->Validate(0),
              (StringList{"Sequence: A1: An artificial sequence/unknown organism requires a comment."}));

    auto* unknown = AddSequence<CProtein1Sequence>(project, "U1", " unknown ", "ARND");
    unknown->GetComment()->SetComment(" \t ");
    EXPECT_EQ(unknown->Validate(0),
              (StringList{"Sequence: U1: An artificial sequence/unknown organism requires a comment."}));

    auto* commented = AddSequence<CDNASequence>(project, "C1", "Artificial", "acgtacgtac");
    commented->GetComment()->SetComment("  synthetic primer \n");
    EXPECT_TRUE(commented->Validate(0).empty());
    EXPECT_EQ(commented->GetComment()->GetComment(), "synthetic primer");

    auto* joined = AddSequence<CDNASequence>(project, "J1", "ArtificialSequence", "acgtacgtac");
    EXPECT_TRUE(joined->Validate(0).empty());
}

TEST(SequenceValidate, DisplayLayoutIsStrippedBeforeTheCharacterCheck) {
    CProject project;
    auto* seq = AddSequence<CDNASequence>(project, "S1", "Homo sapiens", std::string(70, 'a'));
    seq->FormatForDisplay();
    ASSERT_TRUE(seq->IsDisplayLayout());
    EXPECT_TRUE(seq->Validate(0).empty());
    EXPECT_FALSE(seq->IsDisplayLayout());
    EXPECT_EQ(seq->GetResidues(), std::string(70, 'a'));
    EXPECT_EQ(seq->GetResiduesValid(), 1);
}

TEST(SequenceValidate, RefillsTheMessagesAndClearsTheWorkingLists) {
    CProject project;
    auto* seq = AddSequence<CDNASequence>(project, "S1", "Homo sapiens", "acgtacgtaq");
    seq->GetFeatures().Add(new CDS(seq, "", "1", "9"));
    const StringList first = seq->Validate(0);
    EXPECT_EQ(first, (StringList{"Sequence 'S1': Invalid character 'q' at location 10."}));
    EXPECT_EQ(seq->Validate(0), first);
    EXPECT_TRUE(seq->GetCodingRegions().IsEmpty());
    EXPECT_TRUE(seq->GetWorkingFeatures().IsEmpty());
}

TEST(SequenceValidate, NucleotidesAlsoClearTheSecondList) {
    CProject project;
    auto* dna = AddSequence<CDNASequence>(project, "S1", "Homo sapiens", "acgtacgtac");
    auto* protein = AddSequence<CProtein1Sequence>(project, "P1", "Homo sapiens", "ARND");
    for (CSequence* seq : {static_cast<CSequence*>(dna), static_cast<CSequence*>(protein)}) {
        seq->GetMessages().push_back("old");
        seq->GetSecondMessages().push_back("old");
        EXPECT_TRUE(seq->Validate(0).empty());
    }
    EXPECT_TRUE(dna->GetSecondMessages().empty());
    EXPECT_EQ(protein->GetSecondMessages(), (StringList{"old"}));
}

TEST(SequenceValidate, ThreeLetterProteinIsCheckedAsTriples) {
    CProject project;
    auto* seq = AddSequence<CProtein3Sequence>(project, "P3", "Homo sapiens", "Ala Gly\nFoo Ser");
    EXPECT_EQ(seq->Validate(0), (StringList{"Sequence name P3:  'foo' is an invalid amino acid code."}));
    EXPECT_EQ(seq->GetResidues(), "AlaGlyFooSer");
}

// ---- unknown residues that no feature explains ----

class MissingFeatures : public ::testing::Test {
protected:
    void SetUp() override { project_.SetCheckMissingFeatures(true); }
    CProject project_;
};

TEST_F(MissingFeatures, EachUnexplainedNucleotideGetsAMessage) {
    auto* seq = AddSequence<CDNASequence>(project_, "S1", "Homo sapiens", "acnnnt");
    seq->CheckMissingFeatures();
    EXPECT_EQ(seq->GetMessages(),
              (StringList{"S1 needs a 'misc_feature' that defines the unknown nucleotide in position  3",
                          "S1 needs a 'misc_feature' that defines the unknown nucleotide in position  4",
                          "S1 needs a 'misc_feature' that defines the unknown nucleotide in position  5"}));
}

TEST_F(MissingFeatures, OnlyAMiscFeatureCoveringThePositionExplainsANucleotide) {
    auto* covered = AddSequence<CDNASequence>(project_, "S1", "Homo sapiens", "acnnnt");
    AddFeature(*covered, "misc_feature", "n is any base", "3", "5");
    covered->CheckMissingFeatures();
    EXPECT_TRUE(covered->GetMessages().empty());

    auto* anyCase = AddSequence<CDNASequence>(project_, "S2", "Homo sapiens", "acnnnt");
    AddFeature(*anyCase, "MISC_Feature", "", "1", "6");
    anyCase->CheckMissingFeatures();
    EXPECT_TRUE(anyCase->GetMessages().empty());

    auto* partly = AddSequence<CDNASequence>(project_, "S3", "Homo sapiens", "acnnnt");
    AddFeature(*partly, "misc_feature", "", "4", "5");
    partly->CheckMissingFeatures();
    EXPECT_EQ(partly->GetMessages(),
              (StringList{"S3 needs a 'misc_feature' that defines the unknown nucleotide in position  3"}));

    auto* otherKey = AddSequence<CDNASequence>(project_, "S4", "Homo sapiens", "acnt");
    AddFeature(*otherKey, "exon", "", "1", "4");
    AddFeature(*otherKey, "misc_feature", "", "4", "4");
    otherKey->CheckMissingFeatures();
    EXPECT_EQ(otherKey->GetMessages(),
              (StringList{"S4 needs a 'misc_feature' that defines the unknown nucleotide in position  3"}));
}

TEST_F(MissingFeatures, AnyFeatureExplainsAProteinX) {
    auto* seq = AddSequence<CProtein1Sequence>(project_, "P1", "Homo sapiens", "AXAX");
    AddFeature(*seq, "SITE", "", "2", "2");
    seq->CheckMissingFeatures();
    EXPECT_EQ(seq->GetMessages(),
              (StringList{"P1 needs a 'MISC_FEATURE' that defines the unknown amino in position  4"}));

    auto* three = AddSequence<CProtein3Sequence>(project_, "P3", "Homo sapiens", "AlaGlyXaaSer");
    three->CheckMissingFeatures();
    EXPECT_EQ(three->GetMessages(),
              (StringList{"P3 needs a 'MISC_FEATURE' that defines the unknown amino in position  3"}));
}

TEST_F(MissingFeatures, RunOnlyWhenTheProjectAsksForThem) {
    auto* seq = AddSequence<CDNASequence>(project_, "S1", "Homo sapiens", "acgtnacgta");
    AddFeature(*seq, "misc_feature", "n is any base", "", "");
    EXPECT_EQ(seq->Validate(0),
              (StringList{"S1 needs a 'misc_feature' that defines the unknown nucleotide in position  5"}));

    project_.SetCheckMissingFeatures(false);
    EXPECT_TRUE(seq->Validate(0).empty());
    seq->CheckMissingFeatures();
    EXPECT_TRUE(seq->GetMessages().empty());
}

}  // namespace
}  // namespace qln
