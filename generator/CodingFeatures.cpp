#include "generator/CodingFeatures.h"

#include <algorithm>

#include "model/Feature.h"
#include "model/Sequence.h"

namespace qln {

CCodingFeatures::CCodingFeatures(const CSequence& sequence) {
    for (const auto& feature : sequence.GetFeatures()) {
        if (const CDS* region = dynamic_cast<const CDS*>(feature.get())) {
            regions_.push_back(region);
        } else if (const CMatPeptide* peptide = dynamic_cast<const CMatPeptide*>(feature.get())) {
            if (!matPeptide_ || peptide->GetFrom() < matPeptide_->GetFrom()) matPeptide_ = peptide;
        }
    }
    std::stable_sort(regions_.begin(), regions_.end(),
                     [](const CDS* a, const CDS* b) { return a->GetFrom() < b->GetFrom(); });
}

int CCodingFeatures::GetMatPeptideStart() const { return matPeptide_ ? std::max(matPeptide_->GetFrom(), 0) : 0; }

bool CCodingFeatures::IsJoined() const { return matPeptide_ || (!regions_.empty() && regions_.back()->IsJoined()); }

std::string CCodingFeatures::JoinedCodingText(std::string_view residues, int& matPeptideStart) const {
    const int size = static_cast<int>(residues.size());
    const int peptideFrom = GetMatPeptideStart();
    matPeptideStart = 0;

    size_t length = 0;
    for (const CDS* region : regions_) {
        const int from = region->GetFrom(), to = std::min(region->GetTo(), size);
        if (from >= 1 && to >= from) length += static_cast<size_t>(to - from + 1);
    }
    std::string text;
    text.reserve(length);
    for (const CDS* region : regions_) {
        const int from = region->GetFrom(), to = std::min(region->GetTo(), size);
        if (from < 1 || to < from) continue;
        if (matPeptideStart == 0 && peptideFrom >= from && peptideFrom <= to)
            matPeptideStart = static_cast<int>(text.size()) + (peptideFrom - from) + 1;
        text.append(residues.substr(static_cast<size_t>(from - 1), static_cast<size_t>(to - from + 1)));
    }
    return text;
}

}  // namespace qln
