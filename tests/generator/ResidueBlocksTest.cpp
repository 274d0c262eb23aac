#include <gtest/gtest.h>

#include <functional>
#include <random>
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
        const std::string general = Block(
            [&](CResidueBlocks& b) { return b.ProteinWithBuilder(protein, matPeptideStart); });
        EXPECT_EQ(quick, general) << "mature peptide at " << matPeptideStart;
    }
}

TEST_F(ListingResidueBlocks, LetterWithoutACodeFallsBackToTheLineBuilder) {
    const std::string quick = Block([&](CResidueBlocks& b) { return b.Protein("MK*V", 0); });
    EXPECT_EQ(quick, "\nMet Lys     Val \n1               \n\n");
}

TEST_F(ListingResidueBlocks, DerivedLinesEqualThoseOfTheGroups) {
    // Full lines followed by nothing, by a last codon never completed, or by
    // more codons; then with a translation wider than three letters among them.
    for (bool wide : {false, true})
        for (const auto& [codons, rest] : {std::pair{16, ""}, {16, "a"}, {32, "ac"}, {4000, "ac"}, {4001, ""}})
            for (int base : {0, 1, 17, 2500}) {
                if (wide) dna->GetCustomCodons()["ccc"] = "Pyrrolysine";
                translator.UseSequence(*dna);
                std::string coding;
                for (int i = 0; i < codons; ++i)
                    coding += std::string("atgtaarggaaacccgggtttnnn").substr((i * 3 * 5) % 24, 3);
                coding += rest;
                const std::string quick = Block([&](CResidueBlocks& b) { return b.Derived(coding, base); });
                std::string general;
                const std::vector<CCodonSpan> spans{CCodonSpan{1, static_cast<int>(coding.size()), nullptr, nullptr}};
                CResidueGrouper grouper(coding, spans, 0, translator);
                grouper.SetNumberingBase(base);
                CLineBuilder builder(general, false);
                CResidueGroup group;
                while (grouper.Next(group))
                    builder.Add(group.residues, static_cast<int>(group.residues.size()), group.translation,
                                group.number);
                builder.Finish();
                EXPECT_EQ(quick, general) << codons << " codons, base " << base << (wide ? ", wide" : "");
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
    const std::string residues =
        "atgaaataacccggg"
        "tttt"
        "atgccc";
    const std::vector<CCodonSpan> spans = CCodonSpanPlan::ForSequence(*dna, static_cast<int>(residues.size()));
    std::vector<CResidueBlocks::Stretch> stretches;
    Block([&](CResidueBlocks& b) { return b.Nucleotide(residues, spans, 0, &stretches); });
    EXPECT_EQ(stretches, (std::vector<CResidueBlocks::Stretch>{{1, 6}, {10, 15}, {20, 25}}));
}

// The nucleotide layout, group by group through the line builder's general
// rule, with its stretches: what the quicker whole-line paths must match.
std::string GeneralNucleotide(std::string_view residues, const std::vector<CCodonSpan>& spans, int matPeptideStart,
                              CCodonTranslator& translator, std::vector<CResidueBlocks::Stretch>& stretches) {
    std::string out;
    CResidueGrouper grouper(residues, spans, matPeptideStart, translator);
    if (matPeptideStart > 0)
        grouper.SetNumberingBase(CResidueGrouper::FindNumberingBase(residues, spans, matPeptideStart, translator));
    CLineBuilder builder(out, true);
    CResidueGroup group;
    const CCodonSpan* open = nullptr;
    while (grouper.Next(group)) {
        const int count = static_cast<int>(group.residues.size());
        builder.Add(group.residues, count, group.translation, group.number);
        const bool coding = group.span && group.span->region && !group.stop;
        if (coding && open == group.span && stretches.back().to + 1 == group.position) {
            stretches.back().to += count;
        } else {
            open = coding ? group.span : nullptr;
            if (coding) stretches.push_back({group.position, group.position + count - 1});
        }
    }
    builder.Finish();
    return out;
}

TEST_F(ListingResidueBlocks, NucleotideLinesEqualThoseOfTheGroups) {
    std::mt19937 random(17);
    const std::string bases = "acgtacgtacgtnry";
    for (int round = 0; round < 60; ++round) {
        const int size = 1 + static_cast<int>(random() % 4000);
        std::string residues(static_cast<size_t>(size), 'a');
        for (auto& c : residues) c = bases[random() % (round % 3 ? 4 : bases.size())];

        Ptr<CDNASequence> sequence(new CDNASequence(nullptr, "R", "Homo sapiens", residues));
        if (round % 5 == 0) sequence->GetCustomCodons()["aaa"] = "Pyrrolysine";  // wider than three letters
        if (round % 7 == 0) sequence->GetCustomCodons()["taa"] = "Gln";
        // Regions and exons anywhere, touching or overlapping, joined or not.
        const int features = 1 + static_cast<int>(random() % 6);
        for (int f = 0; f < features; ++f) {
            const int from = 1 + static_cast<int>(random() % size);
            const int to = std::min(size, from + static_cast<int>(random() % 1500));
            if (random() % 3 == 0)
                sequence->GetFeatures().Add(
                    Ptr<CFeature>(new CExon(sequence.get(), "", std::to_string(from), std::to_string(to), false)));
            else
                sequence->GetFeatures().Add(Ptr<CFeature>(
                    new CDS(sequence.get(), "", std::to_string(from), std::to_string(to), random() % 2 == 0)));
        }
        const int matPeptideStart = round % 4 == 0 ? 1 + static_cast<int>(random() % size) : 0;
        translator.UseSequence(*sequence);

        const std::vector<CCodonSpan> spans = CCodonSpanPlan::ForSequence(*sequence, size);
        std::vector<CResidueBlocks::Stretch> quickStretches, generalStretches;
        const std::string quick = Block(
            [&](CResidueBlocks& b) { return b.Nucleotide(residues, spans, matPeptideStart, &quickStretches); });
        const std::string general = GeneralNucleotide(residues, spans, matPeptideStart, translator, generalStretches);
        ASSERT_EQ(quick, general) << "round " << round;
        ASSERT_EQ(quickStretches, generalStretches) << "round " << round;
    }
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
