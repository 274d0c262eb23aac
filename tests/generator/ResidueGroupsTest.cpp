#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "generator/CodonTranslator.h"
#include "generator/ResidueGroups.h"
#include "model/Feature.h"
#include "model/Sequence.h"

namespace qln {
namespace {

// "position:residues:translation:number", one per group.
std::vector<std::string> Groups(std::string_view residues, const std::vector<CCodonSpan>& spans,
                                CCodonTranslator& translator, int matPeptideStart = 0, int base = 0) {
    CResidueGrouper grouper(residues, spans, matPeptideStart, translator);
    grouper.SetNumberingBase(base);
    std::vector<std::string> out;
    CResidueGroup group;
    while (grouper.Next(group))
        out.push_back(std::to_string(group.position) + ":" + std::string(group.residues) + ":" +
                      std::string(group.translation) + ":" + std::to_string(group.number));
    return out;
}

class ResidueGroupTest : public ::testing::Test {
protected:
    void SetUp() override { translator.UseSequence(*dna); }

    // Adds a feature to the sequence and returns its span.
    CCodonSpan Region(int from, int to) {
        auto* region = new CDS(dna.get(), "", std::to_string(from), std::to_string(to));
        dna->GetFeatures().Add(Ptr<CFeature>(region));
        return CCodonSpan{from, to, region, nullptr};
    }
    CCodonSpan Exon(int from, int to) {
        auto* exon = new CExon(dna.get(), "", std::to_string(from), std::to_string(to));
        dna->GetFeatures().Add(Ptr<CFeature>(exon));
        return CCodonSpan{from, to, nullptr, exon};
    }

    Ptr<CDNASequence> dna{new CDNASequence(nullptr, "S", "Homo sapiens", "")};
    CCodonTranslator translator;
};

using Spans = std::vector<CCodonSpan>;
using Texts = std::vector<std::string>;

TEST_F(ResidueGroupTest, PlainGroupsOfTenWithAShortLastOne) {
    EXPECT_EQ(Groups("aaaaaaaaaaccccccccccgg", {}, translator),
              (Texts{"1:aaaaaaaaaa::0", "11:cccccccccc::0", "21:gg::0"}));
}

TEST_F(ResidueGroupTest, CodingRegionInTheMiddle) {
    // The example of residues 4 to 15 reading atg aaa ggg taa.
    const CCodonSpan region = Region(4, 15);
    EXPECT_EQ(Groups("gcaatgaaagggtaaccggt", {region}, translator),
              (Texts{"1:gca::0", "4:atg:Met:1", "7:aaa:Lys:2", "10:ggg:Gly:3", "13:taa:   :0", "16:ccggt::0"}));
}

TEST_F(ResidueGroupTest, RegionStartingAtAGroupBoundaryLeavesNoEmptyGroup) {
    const CCodonSpan region = Region(11, 13);
    EXPECT_EQ(Groups("aaaaaaaaaaatgcc", {region}, translator), (Texts{"1:aaaaaaaaaa::0", "11:atg:Met:1", "14:cc::0"}));
}

TEST_F(ResidueGroupTest, TwoResiduePieceShowsTheCodonCompletedFromTheNextRegion) {
    // Regions 1-5 and 9-12: the codon of residues 4, 5 and 9 ("aag", Lys)
    // shows under the piece of two; the next region's first group takes one.
    const Spans spans = CCodonSpanPlan::Plan({Region(1, 5), Region(9, 12)}, {});
    EXPECT_EQ(Groups("atgaacccgtggccc", spans, translator),
              (Texts{"1:atg:Met:1", "4:aa:Lys:2", "6:ccc::0", "9:g::0", "10:tgg:Trp:3", "13:ccc::0"}));
}

TEST_F(ResidueGroupTest, OneResiduePieceLeavesTheAminoAcidToThePieceOfTwo) {
    // Regions 1-4 and 8-12: codon of residues 4, 8 and 9 ("tgg", Trp).
    const Spans spans = CCodonSpanPlan::Plan({Region(1, 4), Region(8, 12)}, {});
    EXPECT_EQ(Groups("atgtcccggatgcc", spans, translator),
              (Texts{"1:atg:Met:1", "4:t::0", "5:ccc::0", "8:gg:Trp:2", "10:atg:Met:3", "13:cc::0"}));
}

TEST_F(ResidueGroupTest, CodonInThreePiecesShowsUnderTheLast) {
    // Region 1-4, a one-residue exon at 8 and a region from 20: the codon of
    // residues 4, 8 and 20 ("tgg"). The last two residues are never completed.
    const Spans spans = CCodonSpanPlan::Plan({Region(1, 4), Region(20, 25)}, {Exon(8, 8)});
    ASSERT_EQ(spans.size(), 3u);
    const std::string residues = "atgtcccgaaaaaaaaaaagatgcc";
    EXPECT_EQ(Groups(residues, spans, translator),
              (Texts{"1:atg:Met:1", "4:t::0", "5:ccc::0", "8:g::0", "9:aaaaaaaaaa::0", "19:a::0", "20:g:Trp:2",
                     "21:atg:Met:3", "24:cc::0"}));
}

TEST_F(ResidueGroupTest, SplitStopCodonHasNoNumberAndTheNextAminoAcidKeepsCounting) {
    // "ta" + "a": a stop codon split between regions 1-5 and 9-11.
    const Spans spans = CCodonSpanPlan::Plan({Region(1, 5), Region(9, 14)}, {});
    EXPECT_EQ(Groups("atgtacccaaaaggg", spans, translator),
              (Texts{"1:atg:Met:1", "4:ta:   :0", "6:ccc::0", "9:a::0", "10:aaa:Lys:2", "13:gg::0", "15:g::0"}));
}

TEST_F(ResidueGroupTest, RegionIsPreferredToAnEarlierExonInTheSameTen) {
    const CCodonSpan region = Region(7, 9);
    const CCodonSpan exon = Exon(3, 12);
    const Spans spans = CCodonSpanPlan::Plan({region}, {exon});
    ASSERT_EQ(spans.size(), 2u);
    EXPECT_NE(spans[0].region, nullptr);
    // After the region the exon holding position 10 carries on to its end.
    EXPECT_EQ(spans[1].exon, dna->GetFeatures()[1].get());
    EXPECT_EQ(spans[1].from, 10);
    EXPECT_EQ(spans[1].to, 12);
    EXPECT_EQ(Groups("cccccc"
                     "atg"
                     "tgg"
                     "cc",
                     spans, translator),
              (Texts{"1:cccccc::0", "7:atg:Met:1", "10:tgg:Trp:2", "13:cc::0"}));
}

TEST_F(ResidueGroupTest, ExonFoundOnItsOwnIsTranslatedUpToItsEnd) {
    const Spans spans = CCodonSpanPlan::Plan({}, {Exon(2, 8)});
    EXPECT_EQ(Groups("catgaaatcccccccccc", spans, translator),
              (Texts{"1:c::0", "2:atg:Met:1", "5:aaa:Lys:2", "8:t::0", "9:cccccccccc::0"}));
}

TEST_F(ResidueGroupTest, StartBeyondTheNextTenIsReachedAfterPlainGroups) {
    const Spans spans = CCodonSpanPlan::Plan({Region(25, 27)}, {});
    EXPECT_EQ(Groups(std::string(24, 'c') + "atg", spans, translator),
              (Texts{"1:cccccccccc::0", "11:cccccccccc::0", "21:cccc::0", "25:atg:Met:1"}));
}

TEST_F(ResidueGroupTest, ExonStartingInsideARegionIsPassedOver) {
    const Spans spans = CCodonSpanPlan::Plan({Region(1, 9)}, {Exon(4, 6)});
    ASSERT_EQ(spans.size(), 1u);
}

TEST_F(ResidueGroupTest, NumbersRelativeToTheMaturePeptideSkipZero) {
    const CCodonSpan region = Region(1, 18);
    const std::string residues = "atgaaagggcccttttgg";
    EXPECT_EQ(CResidueGrouper::FindNumberingBase(residues, {region}, 10, translator), 4);
    EXPECT_EQ(Groups(residues, {region}, translator, 10, 4),
              (Texts{"1:atg:Met:-3", "4:aaa:Lys:-2", "7:ggg:Gly:-1", "10:ccc:Pro:1", "13:ttt:Phe:2", "16:tgg:Trp:3"}));
}

TEST_F(ResidueGroupTest, NumberingBaseCountsOnlyAminoAcids) {
    const CCodonSpan region = Region(1, 12);
    // A stop codon before the peptide's codon does not count.
    EXPECT_EQ(CResidueGrouper::FindNumberingBase("atgtaagggccc", {region}, 8, translator), 2);
    // A peptide outside every codon gives no base.
    EXPECT_EQ(CResidueGrouper::FindNumberingBase("atgtaagggcccaaaaa", {region}, 14, translator), 0);
    EXPECT_EQ(CResidueGrouper::FindNumberingBase(std::string(100, 'a'), {}, 70, translator), 0);
}

TEST_F(ResidueGroupTest, NumberingBaseOfASplitCodonIsItsOrdinal) {
    const Spans spans = CCodonSpanPlan::Plan({Region(1, 4), Region(8, 12)}, {});
    // The peptide starts in the second piece of the split codon (position 9).
    EXPECT_EQ(CResidueGrouper::FindNumberingBase("atgtcccggatgcc", spans, 9, translator), 2);
}

TEST_F(ResidueGroupTest, PlainResiduesAheadStopAtTheNextSpan) {
    const Spans spans{Region(75, 77)};
    const std::string residues = std::string(74, 'c') + "atg" + std::string(5, 'c');
    CResidueGrouper grouper(residues, spans, 0, translator);
    EXPECT_EQ(grouper.PlainResiduesAhead(), 74);
    EXPECT_EQ(grouper.SkipPlain(60), residues.data());
    CResidueGroup group;
    ASSERT_TRUE(grouper.Next(group));
    EXPECT_EQ(group.position, 61);
    EXPECT_EQ(group.residues, "cccccccccc");
    EXPECT_EQ(grouper.PlainResiduesAhead(), 4);
    ASSERT_TRUE(grouper.Next(group));
    ASSERT_TRUE(grouper.Next(group));
    EXPECT_EQ(grouper.PlainResiduesAhead(), 5);
}

TEST_F(ResidueGroupTest, SpansOfASequenceLeaveOutImpossibleRanges) {
    Region(5, 3);    // ends before it begins
    Region(40, 50);  // beyond the residues
    Region(8, 30);   // cut at the end of the residues
    const Spans spans = CCodonSpanPlan::ForSequence(*dna, 20);
    ASSERT_EQ(spans.size(), 1u);
    EXPECT_EQ(spans[0].from, 8);
    EXPECT_EQ(spans[0].to, 20);
}

TEST(ResidueGroupTranslator, CachedAnswersFollowTheSequence) {
    Ptr<CDNASequence> plain(new CDNASequence(nullptr, "A", "x", ""));
    Ptr<CDNASequence> custom(new CDNASequence(nullptr, "B", "x", ""));
    custom->GetCustomCodons()["tga"] = "Trp";
    CCodonTranslator translator;
    translator.UseSequence(*plain);
    EXPECT_TRUE(translator.Translate("tga").stop);
    EXPECT_EQ(translator.Translate("tga").aminoAcid, "   ");
    translator.UseSequence(*custom);
    EXPECT_FALSE(translator.Translate("tga").stop);
    EXPECT_EQ(translator.Translate("tga").aminoAcid, "Trp");
    EXPECT_TRUE(translator.Translate("rgg").unknown);
    EXPECT_EQ(translator.Translate("ATG").aminoAcid, plain->TranslateCodon("ATG"));
}

}  // namespace
}  // namespace qln
