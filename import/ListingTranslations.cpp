#include "import/ListingTranslations.h"

#include <algorithm>
#include <string_view>

#include "import/ListingLines.h"
#include "import/TextScan.h"
#include "model/AsciiText.h"

namespace qln {

namespace {

}  // namespace

// Every member back to its first state; the buffers keep their memory for
// the next nucleotide.
void CTranslationTracker::Reset() {
    owner_ = nullptr;
    regions_.clear();
    count_ = 0;
    expected_.clear();
    matched_ = 0;
    mapIndex_ = 0;
    checkIndex_ = 0;
    haveBases_ = false;
    basesRaw_.clear();
    bases_ = 0;
    basesBefore_ = 0;
    basesFit_ = false;
    columns_.clear();
    columnsReady_ = false;
}

void CTranslationTracker::Begin(Ptr<CSequence> owner) {
    Reset();
    owner_ = std::move(owner);
}

void CTranslationTracker::AddCodingRegion(const Ptr<CDS>& cds) {
    ++count_;
    if (regions_.size() >= kMaxCodingRegions) return;
    Region region;
    region.cds = cds;
    region.from = cds->GetFrom();
    region.to = cds->GetTo();
    size_t at = 0;
    while (at < regions_.size() && regions_[at].to <= region.from) ++at;
    regions_.insert(regions_.begin() + static_cast<std::ptrdiff_t>(at), std::move(region));
}

void CTranslationTracker::OnBasesLine(std::string_view raw, size_t bases, size_t basesBefore) {
    haveBases_ = true;
    basesRaw_ = raw;
    bases_ = bases;
    basesBefore_ = basesBefore;
    // A count larger than the bases before it leaves bases without a column.
    basesFit_ = textscan::CountNonBlanks(raw) >= bases;
    columnsReady_ = false;
}

// The column of each base of the last bases line, in order: its non-blank
// characters up to the running count.
const std::vector<uint32_t>& CTranslationTracker::Columns() {
    if (!columnsReady_) {
        // Every column is written; the count moves past the non-blank ones.
        columns_.resize(basesRaw_.size() + 1);
        size_t count = 0;
        for (size_t col = 0; col < basesRaw_.size() && count < bases_; ++col) {
            columns_[count] = static_cast<uint32_t>(col);
            count += basesRaw_[col] != ' ';
        }
        columns_.resize(count);
        columnsReady_ = true;
    }
    return columns_;
}

void CTranslationTracker::OnTranslationLine(std::string_view raw, const std::string& sequenceId,
                                            StringList& messages) {
    if (!haveBases_ || bases_ == 0) return;
    const long long first = static_cast<long long>(basesBefore_) + 1;
    const long long last = static_cast<long long>(basesBefore_ + bases_);
    while (mapIndex_ < regions_.size()) {
        Region& region = regions_[mapIndex_];
        if (region.from > region.to) {
            messages.push_back("* Sequence ID '" + sequenceId + "': Invalid CDS range: From location " +
                               std::to_string(region.from) + " is greater than To location " +
                               std::to_string(region.to) + ".\n");
            ++mapIndex_;
            continue;
        }
        if (region.to < first) {
            // Ended on an earlier line whose amino acids were all stops.
            Complete(region);
            ++mapIndex_;
            continue;
        }
        if (region.from > last) return;

        if (!basesFit_) return;
        // The columns are needed only where a region starts or ends inside
        // the line.
        const size_t startCol = region.from <= first ? 0 : Columns()[static_cast<size_t>(region.from - first)];
        const size_t endCol = region.to >= last ? raw.size() : Columns()[static_cast<size_t>(region.to - first)] + 1;
        const size_t stopCol = std::min(endCol, raw.size());
        if (startCol < stopCol) {
            const size_t before = expected_.size();
            CListingLines::AppendWithoutBlanks(raw.substr(startCol, stopCol - startCol), expected_);
            region.counted += expected_.size() - before;
        }
        if (region.to > last) return;
        Complete(region);
        ++mapIndex_;
    }
}

void CTranslationTracker::FinishSequence(size_t totalBases) {
    for (; mapIndex_ < regions_.size(); ++mapIndex_) {
        Region& region = regions_[mapIndex_];
        if (region.from > region.to || region.to < 1) continue;
        if (static_cast<size_t>(region.to) > totalBases) break;
        Complete(region);
    }
}

void CTranslationTracker::Complete(Region& region) {
    // In three-letter code a region without stop codons has as many
    // amino-acid characters as bases.
    const long long span = static_cast<long long>(region.to) - region.from + 1;
    region.remaining = span == static_cast<long long>(region.counted) ? static_cast<size_t>(span) : region.counted;
    region.complete = true;
}

bool CTranslationTracker::IsPending() const {
    return matched_ < expected_.size() && checkIndex_ < regions_.size();
}

CTranslationTracker::Verdict CTranslationTracker::Check(std::string_view protein) {
    if (!IsPending() || protein.empty()) return Verdict::kKept;
    const std::string_view rest = std::string_view(expected_).substr(matched_);

    if (protein.size() == rest.size() && StartsWithIgnoringCase(rest, protein)) {
        const bool joined = count_ > 1 && protein.size() == expected_.size();
        Reset();
        return joined ? Verdict::kJoinedTranslation : Verdict::kTranslation;
    }

    Region& region = regions_[checkIndex_];
    const size_t length = region.complete ? region.remaining : 0;
    if (protein.size() > length || !StartsWithIgnoringCase(rest, protein)) {
        Reset();
        return Verdict::kKept;
    }
    // One stretch of the region (the writer starts a new entry after each
    // stop codon); the region is done when all of it was matched.
    matched_ += protein.size();
    region.remaining -= protein.size();
    if (region.remaining == 0) ++checkIndex_;
    return Verdict::kTranslation;
}

}  // namespace qln
