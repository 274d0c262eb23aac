#include "import/ListingTranslations.h"

#include <algorithm>
#include <string_view>

#include "generator/ListingWriter.h"
#include "import/ListingLines.h"
#include "import/TextScan.h"
#include "model/AsciiText.h"

namespace qln {

// Every member back to its first state; the buffers keep their memory for
// the next nucleotide.
void CTranslationTracker::Reset() {
    owner_ = nullptr;
    regions_.clear();
    count_ = 0;
    expected_.clear();
    stretchEnds_.clear();
    matched_ = 0;
    nextStretch_ = 0;
    mapIndex_ = 0;
    haveBases_ = false;
    basesRaw_.clear();
    translated_ = false;
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
    EndStretchUnderUntranslatedLine();
    haveBases_ = true;
    translated_ = false;
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

void CTranslationTracker::OnTranslationLine(std::string_view raw, const std::string& sequenceId, StringList& messages) {
    if (!haveBases_ || bases_ == 0) return;
    translated_ = true;
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
            EndStretch(expected_.size());
            ++mapIndex_;
            continue;
        }
        if (region.from > last) return;

        if (!basesFit_) return;
        // The columns are needed only where a region starts or ends inside
        // the line. A region's part ends where the next base begins: the
        // amino acid under a piece of a split codon is wider than the piece.
        const size_t startCol = region.from <= first ? 0 : Columns()[static_cast<size_t>(region.from - first)];
        const size_t endCol = region.to >= last ? raw.size() : Columns()[static_cast<size_t>(region.to - first + 1)];
        const size_t stopCol = std::min(endCol, raw.size());
        const size_t before = expected_.size();
        if (startCol < stopCol) CListingLines::AppendWithoutBlanks(raw.substr(startCol, stopCol - startCol), expected_);
        region.shown = region.shown || expected_.size() > before;
        // Each codon shows three letters, so fewer letters than bases means
        // codons without an amino acid: stop codons.
        const long long partFirst = std::max<long long>(region.from, first);
        const long long partLast = std::min<long long>(region.to, last);
        if (static_cast<long long>(expected_.size() - before) != partLast - partFirst + 1)
            MarkStopCodons(raw, region, partFirst, partLast, before);
        if (region.to > last) return;
        EndStretch(expected_.size());
        ++mapIndex_;
    }
}

void CTranslationTracker::MarkStopCodons(std::string_view raw, const Region& region, long long partFirst,
                                         long long partLast, size_t offset) {
    const long long first = static_cast<long long>(basesBefore_) + 1;
    const std::vector<uint32_t>& columns = Columns();
    const long long intoRegion = partFirst - region.from;
    long long codon = partFirst + (3 - intoRegion % 3) % 3;
    for (; codon <= partLast; codon += 3) {
        const size_t index = static_cast<size_t>(codon - first);
        if (index >= columns.size()) return;
        const size_t column = columns[index];
        if (column < raw.size() && raw[column] != ' ')
            offset += 3;
        else
            EndStretch(std::min(offset, expected_.size()));
    }
}

// A bases line whose codons are all stop codons gets no line of amino acids
// under it; when it holds codons of a region, their stretch ends there.
void CTranslationTracker::EndStretchUnderUntranslatedLine() {
    if (!haveBases_ || translated_ || bases_ == 0) return;
    const long long first = static_cast<long long>(basesBefore_) + 1;
    const long long last = static_cast<long long>(basesBefore_ + bases_);
    for (size_t i = mapIndex_; i < regions_.size() && regions_[i].from <= last; ++i) {
        if (regions_[i].from <= regions_[i].to && regions_[i].to >= first) {
            EndStretch(expected_.size());
            return;
        }
    }
}

void CTranslationTracker::EndStretch(size_t offset) {
    if (stretchEnds_.empty() ? offset > 0 : offset > stretchEnds_.back()) stretchEnds_.push_back(offset);
}

void CTranslationTracker::FinishSequence(size_t totalBases) {
    EndStretchUnderUntranslatedLine();
    for (; mapIndex_ < regions_.size(); ++mapIndex_) {
        Region& region = regions_[mapIndex_];
        if (region.from > region.to || region.to < 1) continue;
        if (static_cast<size_t>(region.to) > totalBases) break;
        EndStretch(expected_.size());
    }
}

// Joined regions hold no stop codon, so one of three bases or more shows an
// amino acid: a whole codon, or the two-base piece of a split one. Shorter
// regions may hold only pieces whose amino acid shows under another.
bool CTranslationTracker::EveryRegionShown() const {
    return std::all_of(regions_.begin(), regions_.end(), [](const Region& region) {
        return region.shown || static_cast<long long>(region.to) - region.from < 2;
    });
}

// Only coding regions add to expected_.
bool CTranslationTracker::IsPending() const { return matched_ < expected_.size(); }

CTranslationTracker::Verdict CTranslationTracker::Check(std::string_view protein) {
    if (!IsPending() || protein.empty()) return Verdict::kKept;
    // The writer lists no entry of fewer than kMinDerivedGroups amino acids.
    constexpr size_t kMinLetters = CListingWriter::kMinDerivedGroups * 3;

    // All regions as one entry: they were joined. A region of stop codons
    // alone adds nothing to the expected text, so the entry of the other
    // region alone would look the same; such regions were not joined.
    if (count_ > 1 && matched_ == 0 && protein.size() == expected_.size() && protein.size() >= kMinLetters &&
        EveryRegionShown() && StartsWithIgnoringCase(expected_, protein)) {
        Reset();
        return Verdict::kJoinedTranslation;
    }

    // One stretch: the writer starts a new entry after each stop codon and
    // region end.
    while (nextStretch_ < stretchEnds_.size() && stretchEnds_[nextStretch_] - matched_ < kMinLetters)
        matched_ = stretchEnds_[nextStretch_++];
    if (nextStretch_ == stretchEnds_.size()) {
        Reset();
        return Verdict::kKept;
    }
    const size_t end = stretchEnds_[nextStretch_];
    const std::string_view stretch = std::string_view(expected_).substr(matched_, end - matched_);
    if (protein.size() != stretch.size() || !StartsWithIgnoringCase(stretch, protein)) {
        Reset();
        return Verdict::kKept;
    }
    matched_ = end;
    ++nextStretch_;
    return Verdict::kTranslation;
}

}  // namespace qln
