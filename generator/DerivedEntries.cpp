#include "generator/DerivedEntries.h"

#include "generator/CodingFeatures.h"
#include "generator/CodonTranslator.h"
#include "generator/ListingWriter.h"
#include "generator/ResidueBlocks.h"
#include "generator/ResidueGroups.h"
#include "model/Sequence.h"

namespace qln {

bool CDerivedEntries::IsListed(std::string_view codingText) {
    return CResidueBlocks::DerivedGroupCount(codingText.size()) >= CListingWriter::kMinDerivedGroups;
}

std::vector<CDerivedEntry> CDerivedEntries::For(CBaseSequence& sequence, std::string_view residues,
                                                CCodonTranslator& translator) {
    std::vector<CDerivedEntry> entries;
    if (residues.empty() || residues == CSequence::kNoResidues) return entries;
    translator.UseSequence(sequence);
    const CCodingFeatures coding(sequence);
    if (coding.IsJoined()) {
        CDerivedEntry entry;
        entry.codingText = coding.JoinedCodingText(residues, entry.matPeptideStart);
        if (IsListed(entry.codingText)) entries.push_back(std::move(entry));
        return entries;
    }
    const auto spans = CCodonSpanPlan::ForSequence(sequence, static_cast<int>(residues.size()));
    for (const auto& stretch : CResidueBlocks::CodingStretches(residues, spans, translator)) {
        const auto text = residues.substr(static_cast<size_t>(stretch.from - 1),
                                          static_cast<size_t>(stretch.to - stretch.from + 1));
        if (IsListed(text)) entries.push_back(CDerivedEntry{std::string(text), 0, stretch.from, stretch.to});
    }
    return entries;
}

}  // namespace qln
