#include "export/St26FeatureMapper.h"

#include <gtest/gtest.h>

#include "generator/CodonTranslator.h"
#include "model/Feature.h"
#include "model/Project.h"

namespace qln {
namespace {

// A nucleotide sequence of 15 bases whose coding region 1..12 ends with the
// stop codon taa, and a protein of 10 amino acids, each with a mapper for
// its features.
class St26FeatureMapperTest : public ::testing::Test {
protected:
    St26FeatureMapperTest() {
        project_.Add(dna_);
        project_.Add(protein_);
        Feature(*dna_, new CDS(dna_, "", "1", "12"));
        codons_.UseSequence(*dna_);
    }
    static const CFeature& Feature(CSequence& sequence, CFeature* feature) {
        sequence.GetFeatures().Add(Ptr<CFeature>(feature));
        return *feature;
    }
    static std::string Qualifiers(const CSt26Feature& feature) {
        std::string text;
        for (const auto& q : feature.qualifiers) text += (text.empty() ? "" : " ") + q.name + "=" + q.value;
        return text;
    }
    // The rules the report gives, one after another.
    std::string Rules() const {
        std::string rules;
        for (const auto& item : report_.GetItems()) rules += item.element + ": " + item.rule + "\n";
        return rules;
    }

    CProject project_;
    CDNASequence* dna_ = new CDNASequence(&project_, "dna", "Mus musculus", "atgaaacgctaaggg");
    CProteinSequence* protein_ = new CProtein1Sequence(&project_, "protein", "Mus musculus", "MKVLAAGGSS");
    CSt26Report report_;
    CSt26EntryReport entry_{report_, 1, "dna"};
    CCodonTranslator codons_;
    CSt26FeatureMapper nucleotide_{entry_, codons_, false, 15};
    CSt26FeatureMapper amino_{entry_, codons_, true, 10};
};

TEST_F(St26FeatureMapperTest, SpanIsTheGivenOneOrTheWholeSequenceAndInsideIt) {
    EXPECT_EQ(nucleotide_.Span(COtherFeature(dna_, "exon", "", " 3 ", "7"))->Text(), "3..7");
    EXPECT_EQ(nucleotide_.Span(COtherFeature(dna_, "exon", "", "5", ""))->Text(), "5");
    EXPECT_TRUE(report_.GetItems().empty());
    EXPECT_EQ(nucleotide_.Span(COtherFeature(dna_, "exon", "", "", ""))->Text(), "1..15");
    EXPECT_FALSE(nucleotide_.Span(COtherFeature(dna_, "exon", "", "3a", "7")));
    EXPECT_FALSE(nucleotide_.Span(COtherFeature(dna_, "exon", "", "3", "-7")));
    EXPECT_EQ(Rules(),
              "exon: no location given: the whole sequence\nexon: not a location; 60\nexon: not a location; 60\n");

    const COtherFeature feature(dna_, "exon", "", "", "");
    EXPECT_TRUE(nucleotide_.Inside(feature, {1, 15}));
    EXPECT_FALSE(nucleotide_.Inside(feature, {2, 16}));
    EXPECT_FALSE(nucleotide_.Inside(feature, {0, 4}));
    EXPECT_FALSE(nucleotide_.Inside(feature, {5, 4}));
    EXPECT_EQ(report_.Count(CSt26Report::Severity::Error), 5);
}

TEST_F(St26FeatureMapperTest, MatPeptideRunsToTheEndOfItsCodingRegionOrProtein) {
    const CFeature& inRegion = Feature(*dna_, new CMatPeptide(dna_, "", "4", ""));
    EXPECT_EQ(nucleotide_.MatPeptideSpan(inRegion, 4)->Text(), "4..9");  // the stop codon left out
    Feature(*dna_, new CDS(dna_, "", "13", "15"));                       // ggg: no stop codon
    EXPECT_EQ(nucleotide_.MatPeptideSpan(inRegion, 14)->Text(), "14..15");
    EXPECT_EQ(amino_.MatPeptideSpan(CMatPeptide(protein_, "", "3", ""), 3)->Text(), "3..10");
    EXPECT_EQ(report_.Count(CSt26Report::Severity::Error), 0);

    dna_->GetFeatures().RemoveAt(2);
    EXPECT_FALSE(nucleotide_.MatPeptideSpan(inRegion, 13));
    EXPECT_EQ(Rules(),
              "mat_peptide: end derived from the start\nmat_peptide: end derived from the start\n"
              "CHAIN: end derived from the start\nmat_peptide: lies in no coding region\n");
}

TEST_F(St26FeatureMapperTest, KeyTakesTheListingsNameOrDropsTheFeature) {
    const auto promoter = nucleotide_.Keyed(COtherFeature(dna_, "Promoter", "", "", ""), {1, 5});
    ASSERT_TRUE(promoter);
    EXPECT_EQ(promoter->key, "regulatory");
    EXPECT_EQ(promoter->location, "1..5");
    ASSERT_EQ(promoter->qualifiers.size(), 1u);
    EXPECT_EQ(promoter->qualifiers[0].value, "promoter");
    EXPECT_EQ(nucleotide_.Keyed(COtherFeature(dna_, "", "a note", "", ""), {2, 2})->key, "misc_feature");
    EXPECT_EQ(amino_.Keyed(COtherFeature(protein_, "misc_feature", "", "", ""), {2, 2})->key, "SITE");

    EXPECT_FALSE(nucleotide_.Keyed(COtherFeature(dna_, " source", "", "", ""), {1, 15}));
    EXPECT_FALSE(nucleotide_.Keyed(COtherFeature(dna_, "made_up_key", "", "", ""), {1, 15}));
    EXPECT_FALSE(amino_.Keyed(COtherFeature(protein_, "promoter", "", "", ""), {1, 10}));
    EXPECT_EQ(report_.Count(CSt26Report::Severity::Error), 2);
    EXPECT_NE(Rules().find("source: the listing has one source feature of its own"), std::string::npos) << Rules();
}

TEST_F(St26FeatureMapperTest, QualifiersComeFromTheCommentAndTheRestIsTheNote) {
    CSt26Feature operon{"operon", "3..7", {}};
    ASSERT_TRUE(nucleotide_.AddQualifiers(operon, COtherFeature(dna_, "operon", " lac ", "", ""), 5));
    EXPECT_EQ(Qualifiers(operon), "operon=lac");
    CSt26Feature base{"modified_base", "3", {}};
    ASSERT_TRUE(nucleotide_.AddQualifiers(base, COtherFeature(dna_, "modified_base", "m5c\nat the start", "", ""), 1));
    EXPECT_EQ(Qualifiers(base), "mod_base=m5c note=at the start");
    CSt26Feature gap{"assembly_gap", "3..7", {}};
    ASSERT_TRUE(nucleotide_.AddQualifiers(gap, COtherFeature(dna_, "assembly_gap", "two\nlines", "", ""), 5));
    EXPECT_EQ(Qualifiers(gap), "estimated_length=5 gap_type=two lines");
    CSt26Feature site{"SITE", "3", {}};
    ASSERT_TRUE(amino_.AddQualifiers(site, COtherFeature(protein_, "misc_feature", "binds", "", ""), 1));
    EXPECT_EQ(Qualifiers(site), "note=binds");
    EXPECT_EQ(report_.Count(CSt26Report::Severity::Error), 0);

    CSt26Feature empty{"operon", "3..7", {}};
    EXPECT_FALSE(nucleotide_.AddQualifiers(empty, COtherFeature(dna_, "operon", "", "", ""), 5));
    CSt26Feature control{"operon", "3..7", {}};
    EXPECT_FALSE(nucleotide_.AddQualifiers(control, COtherFeature(dna_, "operon", "\x80", "", ""), 5));
    EXPECT_EQ(report_.Count(CSt26Report::Severity::Error), 2);
    EXPECT_NE(Rules().find("operon 3..7: needs operon: give it in the comment"), std::string::npos) << Rules();
}

// The steps together: one feature that passes them all, and one stopped by
// each.
TEST_F(St26FeatureMapperTest, MapWritesOnlyWhatPassesEveryStep) {
    const auto exon = nucleotide_.Map(COtherFeature(dna_, "exon", "first", "2", "6"));
    ASSERT_TRUE(exon);
    EXPECT_EQ(exon->key + " " + exon->location + " " + Qualifiers(*exon), "exon 2..6 note=first");
    EXPECT_TRUE(report_.GetItems().empty()) << Rules();

    EXPECT_FALSE(nucleotide_.Map(COtherFeature(dna_, "exon", "", "x", "")));
    EXPECT_FALSE(nucleotide_.Map(CMatPeptide(dna_, "", "13", "")));
    EXPECT_FALSE(nucleotide_.Map(COtherFeature(dna_, "exon", "", "9", "30")));
    EXPECT_FALSE(nucleotide_.Map(COtherFeature(dna_, "wrong", "", "2", "6")));
    EXPECT_FALSE(nucleotide_.Map(COtherFeature(dna_, "operon", "", "2", "6")));
    EXPECT_EQ(report_.Count(CSt26Report::Severity::Error), 5) << Rules();
}

}  // namespace
}  // namespace qln
