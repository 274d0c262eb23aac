#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "generator/CodonTranslator.h"
#include "generator/EntryBuffer.h"
#include "generator/LineBuilder.h"
#include "generator/ResidueBlocks.h"
#include "generator/ResidueGroups.h"
#include "model/Feature.h"
#include "model/Sequence.h"

namespace qln {
namespace {

class ListingResidueBlocks : public ::testing::Test {
protected:
    void SetUp() override { translator.UseSequence(*dna); }

    std::string Block(const std::function<bool(CResidueBlocks&)>& write) {
        std::ostringstream stream;
        CEntryBuffer buffer(stream);
        CResidueBlocks blocks(buffer, translator, noCancel);
        EXPECT_TRUE(write(blocks));
        buffer.Write();
        return stream.str();
    }

    Ptr<CDNASequence> dna{new CDNASequence(nullptr, "S", "Homo sapiens", "")};
    CCodonTranslator translator;
    std::function<bool()> noCancel;
};

std::string SomeProtein(size_t length) {
    const std::string letters = "ARNDBCQEZGHILKMFPSTWYVX";
    std::string out;
    for (size_t i = 0; i < length; ++i) out += letters[(i * 11 + i / 7) % letters.size()];
    return out;
}

TEST_F(ListingResidueBlocks, ProteinLinesEqualThoseOfTheLineBuilder) {
    // Long enough for numbers of four and five digits, with and without a
    // mature peptide far in.
    const std::string protein = SomeProtein(12000);
    for (int matPeptideStart : {0, 1, 4, 7003}) {
        const std::string quick = Block([&](CResidueBlocks& b) { return b.Protein(protein, matPeptideStart); });
        const std::string general =
            Block([&](CResidueBlocks& b) { return b.ProteinWithBuilder(protein, matPeptideStart); });
        EXPECT_EQ(quick, general) << "mature peptide at " << matPeptideStart;
    }
}

TEST_F(ListingResidueBlocks, LetterWithoutACodeFallsBackToTheLineBuilder) {
    const std::string quick = Block([&](CResidueBlocks& b) { return b.Protein("MK*V", 0); });
    EXPECT_EQ(quick, "\nMet Lys     Val \n1               \n\n");
}

TEST_F(ListingResidueBlocks, DerivedLinesEqualThoseOfTheGroups) {
    std::string coding;
    for (int i = 0; i < 4000; ++i) coding += std::string("atgtaarggaaacccgggtttnnn").substr((i * 3 * 5) % 24, 3);
    coding += "ac";  // a last codon never completed
    for (int base : {0, 1, 17, 2500}) {
        const std::string quick = Block([&](CResidueBlocks& b) { return b.Derived(coding, base); });
        std::string general;
        const std::vector<CCodonSpan> spans{CCodonSpan{1, static_cast<int>(coding.size()), nullptr, nullptr}};
        CResidueGrouper grouper(coding, spans, 0, translator);
        grouper.SetNumberingBase(base);
        CLineBuilder builder(general, false);
        CResidueGroup group;
        while (grouper.Next(group))
            builder.Add(group.residues, static_cast<int>(group.residues.size()), group.translation, group.number);
        builder.Finish();
        EXPECT_EQ(quick, general) << "base " << base;
    }
}

TEST_F(ListingResidueBlocks, ScanOfADerivedEntry) {
    // Codons: atg taa rgg aaa rgg; the peptide starts in the stop codon.
    std::vector<CResidueBlocks::UnknownCodon> unknown;
    EXPECT_EQ(CResidueBlocks::ScanDerived("atgtaarggaaargg", 5, translator, unknown), 2);
    ASSERT_EQ(unknown.size(), 2u);
    EXPECT_EQ(unknown[0].number, 1);
    EXPECT_EQ(unknown[0].codon, "rgg");
    EXPECT_EQ(unknown[1].number, 3);
    // Without a peptide the numbers are the ordinals; a start in the last,
    // incomplete codon gives no base.
    EXPECT_EQ(CResidueBlocks::ScanDerived("atgtaarggaaargg", 0, translator, unknown), 0);
    EXPECT_EQ(unknown[1].number, 4);
    EXPECT_EQ(CResidueBlocks::ScanDerived("atgrggac", 8, translator, unknown), 0);
    EXPECT_EQ(unknown[0].number, 2);
}

TEST_F(ListingResidueBlocks, NucleotideStretchesEndAtStopsAndAtOtherGroups) {
    auto* first = new CDS(dna.get(), "", "1", "15");
    auto* second = new CDS(dna.get(), "", "20", "25");
    dna->GetFeatures().Add(Ptr<CFeature>(first));
    dna->GetFeatures().Add(Ptr<CFeature>(second));
    const std::string residues = "atgaaataacccggg" "tttt" "atgccc";
    const std::vector<CCodonSpan> spans = CCodonSpanPlan::ForSequence(*dna, static_cast<int>(residues.size()));
    std::vector<CResidueBlocks::Stretch> stretches;
    Block([&](CResidueBlocks& b) { return b.Nucleotide(residues, spans, 0, &stretches); });
    EXPECT_EQ(stretches, (std::vector<CResidueBlocks::Stretch>{{1, 6}, {10, 15}, {20, 25}}));
}

TEST_F(ListingResidueBlocks, CancelStopsALongBlock) {
    std::function<bool()> cancel = [] { return true; };
    std::ostringstream stream;
    CEntryBuffer buffer(stream);
    CResidueBlocks blocks(buffer, translator, cancel);
    EXPECT_FALSE(blocks.Protein(SomeProtein(100000), 0));
    EXPECT_FALSE(blocks.Derived(std::string(30000, 'a'), 0));
}

}  // namespace
}  // namespace qln
