#include "generator/ListedFeatures.h"

#include <algorithm>

#include "model/AsciiText.h"
#include "model/Feature.h"
#include "model/Project.h"
#include "model/Sequence.h"

namespace qln {

namespace {

// A feature that tells what the unknown residues it covers stand for: any
// feature of a protein, a "misc_feature" with a comment of a nucleotide.
bool Explains(const CFeature& feature, bool protein) {
    return protein || (EqualsIgnoringCase(feature.GetKey(), "misc_feature") && !feature.GetComment().empty());
}

}  // namespace

int CListedFeatures::Item::SortPosition() const { return feature ? feature->GetFrom() : run.from; }

std::string_view CListedFeatures::UnknownComment(std::string_view typeName) {
    if (typeName == "PRT") return "Xaa can be any naturally occurring amino acid";
    if (typeName == "RNA") return "n is a, c, g, or u";
    if (typeName == "DNA/RNA") return "n is a, c, g, t or u";
    return "n is a, c, g, or t";
}

std::vector<CListedFeatures::Range> CListedFeatures::Uncovered(const std::vector<Range>& runs,
                                                               std::vector<Range> covers) {
    std::sort(covers.begin(), covers.end(), [](const Range& a, const Range& b) { return a.from < b.from; });
    // Merge overlapping and touching covers, dropping empty ones.
    std::vector<Range> merged;
    for (const Range& cover : covers) {
        if (cover.to < cover.from) continue;
        if (!merged.empty() && static_cast<long long>(cover.from) <= static_cast<long long>(merged.back().to) + 1)
            merged.back().to = std::max(merged.back().to, cover.to);
        else
            merged.push_back(cover);
    }

    std::vector<Range> out;
    size_t first = 0;
    for (const Range& run : runs) {
        while (first < merged.size() && merged[first].to < run.from) ++first;
        long long next = run.from;  // first position not yet decided
        for (size_t i = first; i < merged.size() && merged[i].from <= run.to && next <= run.to; ++i) {
            if (merged[i].from > next) out.push_back(Range{static_cast<int>(next), merged[i].from - 1});
            next = std::max<long long>(next, static_cast<long long>(merged[i].to) + 1);
        }
        if (next <= run.to) out.push_back(Range{static_cast<int>(next), run.to});
    }
    return out;
}

std::vector<CListedFeatures::Item> CListedFeatures::For(CSequence& sequence) {
    std::vector<Item> items;
    for (const auto& feature : sequence.GetFeatures()) items.push_back(Item{feature.get(), {}, {}});

    const CProject* project = sequence.GetProject();
    // Most sequences hold no unknown residue; finding that out is much
    // quicker than collecting runs.
    if ((!project || !project->GetCheckMissingFeatures()) && sequence.HasUnknownResidue()) {
        CArray<Ptr<CRange>> found;
        sequence.GetUnknownRuns(found);
        if (!found.IsEmpty()) {
            std::vector<Range> runs;
            runs.reserve(static_cast<size_t>(found.GetSize()));
            for (const auto& range : found) runs.push_back(Range{range->first, range->second});
            const bool protein = sequence.GetTypeName() == "PRT";
            std::vector<Range> covers;
            for (const auto& feature : sequence.GetFeatures())
                if (Explains(*feature, protein)) covers.push_back(Range{feature->GetFrom(), feature->GetTo()});
            const std::string_view comment = UnknownComment(sequence.GetTypeName());
            for (const Range& run : Uncovered(runs, std::move(covers))) items.push_back(Item{nullptr, run, comment});
        }
    }

    std::stable_sort(items.begin(), items.end(),
                     [](const Item& a, const Item& b) { return a.SortPosition() < b.SortPosition(); });
    return items;
}

}  // namespace qln
