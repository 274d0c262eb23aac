#include "generator/ResidueGroups.h"

#include <algorithm>
#include <climits>

#include "generator/CodonTranslator.h"
#include "model/Feature.h"
#include "model/Sequence.h"

namespace qln {

namespace {

constexpr int kPlainGroup = 10;
constexpr int kCodon = 3;

void SortByFrom(std::vector<CCodonSpan>& spans) {
    std::stable_sort(spans.begin(), spans.end(),
                     [](const CCodonSpan& a, const CCodonSpan& b) { return a.from < b.from; });
}

}  // namespace

// ---- CCodonSpanPlan ---------------------------------------------------------------

std::vector<CCodonSpan> CCodonSpanPlan::ForSequence(const CSequence& sequence, int residueCount) {
    std::vector<CCodonSpan> regions, exons;
    for (const auto& feature : sequence.GetFeatures()) {
        const CDS* region = dynamic_cast<const CDS*>(feature.get());
        const CExon* exon = region ? nullptr : dynamic_cast<const CExon*>(feature.get());
        if (!region && !exon) continue;
        const int from = feature->GetFrom();
        const int to = std::min(feature->GetTo(), residueCount);
        if (from < 1 || to < from) continue;
        (region ? regions : exons).push_back(CCodonSpan{from, to, region, exon});
    }
    SortByFrom(regions);
    SortByFrom(exons);
    return Plan(regions, exons);
}

std::vector<CCodonSpan> CCodonSpanPlan::Plan(const std::vector<CCodonSpan>& regions,
                                             const std::vector<CCodonSpan>& exons) {
    std::vector<CCodonSpan> spans;
    size_t r = 0, e = 0;
    long long position = 1;
    for (;;) {
        while (r < regions.size() && regions[r].from < position) ++r;
        while (e < exons.size() && exons[e].from < position) ++e;
        const bool haveRegion = r < regions.size(), haveExon = e < exons.size();
        if (!haveRegion && !haveExon) break;

        // Plain groups of ten go on until the group whose ten positions hold
        // the first start; within those, a region wins over an exon.
        const long long first = std::min(haveRegion ? regions[r].from : INT_MAX, haveExon ? exons[e].from : INT_MAX);
        const long long windowEnd = position + (first - position) / kPlainGroup * kPlainGroup + kPlainGroup - 1;
        const bool takeRegion = haveRegion && regions[r].from <= windowEnd;
        const CCodonSpan& chosen = takeRegion ? regions[r] : exons[e];
        if (chosen.to < chosen.from) {
            // Not a stretch at all; nothing to group.
            takeRegion ? ++r : ++e;
            continue;
        }
        spans.push_back(chosen);
        position = static_cast<long long>(chosen.to) + 1;
        if (!takeRegion) continue;

        for (const CCodonSpan& exon : exons) {
            if (exon.from <= position && position <= exon.to) {
                CCodonSpan rest = exon;
                rest.from = static_cast<int>(position);
                spans.push_back(rest);
                position = static_cast<long long>(exon.to) + 1;
                break;
            }
        }
    }
    return spans;
}

// ---- CResidueGrouper --------------------------------------------------------------

CResidueGrouper::CResidueGrouper(std::string_view residues, const std::vector<CCodonSpan>& spans, int matPeptideStart,
                                 CCodonTranslator& translator)
    : residues_(residues),
      spans_(spans),
      matPeptideStart_(matPeptideStart),
      translator_(translator),
      size_(static_cast<int>(residues.size())) {}

int CResidueGrouper::NumberFor(int ordinal) const {
    if (base_ <= 0) return ordinal;
    return ordinal >= base_ ? ordinal - base_ + 1 : ordinal - base_;
}

int CResidueGrouper::CountAminoAcid(bool stop) { return stop ? aminoAcids_ + 1 : ++aminoAcids_; }

bool CResidueGrouper::Next(CResidueGroup& group) {
    if (position_ > size_) return false;
    if (!inSpan_) {
        const int next = span_ < spans_.size() ? spans_[span_].from : size_ + 1;
        if (position_ < next) {
            MakePlain(group, std::min(kPlainGroup, std::min(next, size_ + 1) - position_));
            return true;
        }
        inSpan_ = true;
    }
    MakeCodon(group, spans_[span_]);
    return true;
}

int CResidueGrouper::PeekWholeCodons(CodonAhead* ahead, int max) {
    if (split_.active || position_ > size_ || span_ >= spans_.size()) return 0;
    const CCodonSpan& span = spans_[span_];
    if (!inSpan_ && position_ < span.from) return 0;
    const int end = std::min(span.to, size_);
    const int whole = (end - position_ + 1) / kCodon;
    int aminoAcids = aminoAcids_;
    int count = 0;
    for (; count < max && count < whole; ++count) {
        CodonAhead& codon = ahead[count];
        codon.position = position_ + kCodon * count;
        codon.residues = residues_.data() + (codon.position - 1);
        const CCodonTranslation& translation = translator_.Translate(codon.residues);
        if (translation.aminoAcid.size() != kCodon) break;
        codon.span = &span;
        std::copy_n(translation.aminoAcid.data(), kCodon, codon.translation);
        codon.stop = translation.stop;
        const int ordinal = translation.stop ? aminoAcids + 1 : ++aminoAcids;
        codon.number = translation.stop ? 0 : NumberFor(ordinal);
        codon.aminoAcidsAfter = aminoAcids;
    }
    return count;
}

void CResidueGrouper::TakeWholeCodons(const CodonAhead* ahead, int count) {
    if (count <= 0) return;
    const CCodonSpan& span = spans_[span_];
    inSpan_ = true;
    aminoAcids_ = ahead[count - 1].aminoAcidsAfter;
    position_ = ahead[count - 1].position + kCodon;
    if (position_ > std::min(span.to, size_)) {
        inSpan_ = false;
        ++span_;
    }
}

int CResidueGrouper::PlainResiduesAhead() const {
    if (inSpan_) return 0;
    const int next = span_ < spans_.size() ? std::min(spans_[span_].from, size_ + 1) : size_ + 1;
    return std::max(0, next - position_);
}

const char* CResidueGrouper::SkipPlain(int count) {
    const char* first = residues_.data() + (position_ - 1);
    position_ += count;
    return first;
}

// Field by field: clearing the whole group at once costs more than the
// rest of making it.
void CResidueGrouper::Reset(CResidueGroup& group, const CCodonSpan* span) const {
    group.position = position_;
    group.span = span;
    group.holdsMatPeptideStart = false;
    group.translation = {};
    group.codon = {};
    group.stop = false;
    group.unknown = false;
    group.ordinal = 0;
    group.number = 0;
}

void CResidueGrouper::MakePlain(CResidueGroup& group, int length) {
    Reset(group, nullptr);
    group.residues = residues_.substr(static_cast<size_t>(position_ - 1), static_cast<size_t>(length));
    position_ += length;
}

void CResidueGrouper::Show(CResidueGroup& group, const CCodonTranslation& translation, std::string_view codon,
                           int ordinal) const {
    group.translation = translation.aminoAcid;
    group.codon = codon;
    group.unknown = translation.unknown;
    group.number = translation.stop ? 0 : NumberFor(ordinal);
}

void CResidueGrouper::MakeCodon(CResidueGroup& group, const CCodonSpan& span) {
    Reset(group, &span);
    const int end = std::min(span.to, size_);
    const int remaining = end - position_ + 1;
    const char* first = residues_.data() + (position_ - 1);

    int length;
    bool piece = true;
    if (split_.active) {
        // The next piece of a codon begun in an earlier span.
        length = std::min(split_.stillNeeded, remaining);
        split_.stillNeeded -= length;
        ++split_.piece;
        if (split_.stillNeeded == 0) split_.active = false;
    } else if (remaining >= kCodon) {
        piece = false;
        length = kCodon;
        const CCodonTranslation& translation = translator_.Translate(first);
        group.stop = translation.stop;
        group.ordinal = CountAminoAcid(translation.stop);
        Show(group, translation, std::string_view(first, kCodon), group.ordinal);
    } else {
        length = remaining;
        StartSplitCodon(length);
    }
    if (piece && split_.complete) {
        // Every piece carries the codon's ordinal; the chosen one shows it.
        group.stop = split_.stop;
        group.ordinal = split_.ordinal;
        if (split_.piece == split_.shownAt) {
            group.translation = split_.aminoAcid;
            group.codon = std::string_view(split_.codon, kCodon);
            group.unknown = split_.unknown;
            group.number = split_.stop ? 0 : NumberFor(split_.ordinal);
        }
    }

    group.residues = std::string_view(first, static_cast<size_t>(length));
    group.holdsMatPeptideStart = matPeptideStart_ >= position_ && matPeptideStart_ < position_ + length;
    position_ += length;
    if (position_ > end) {
        inSpan_ = false;
        ++span_;
    }
}

// Looks ahead into the following spans for the residues that complete the
// codon, so that the piece chosen to show it knows its amino acid: the piece
// of two residues, or the last piece when each holds one.
void CResidueGrouper::StartSplitCodon(int length) {
    split_ = SplitCodon{};
    split_.active = true;
    split_.stillNeeded = kCodon - length;
    std::copy_n(residues_.data() + (position_ - 1), length, split_.codon);

    int have = length;
    int pieces = 1;
    int pieceWithTwo = length == 2 ? 0 : -1;
    for (size_t next = span_ + 1; next < spans_.size() && have < kCodon; ++next) {
        const CCodonSpan& span = spans_[next];
        const int spanLength = std::min(span.to, size_) - span.from + 1;
        if (spanLength <= 0) continue;
        const int take = std::min(kCodon - have, spanLength);
        std::copy_n(residues_.data() + (span.from - 1), take, split_.codon + have);
        if (take == 2) pieceWithTwo = pieces;
        have += take;
        ++pieces;
    }
    split_.complete = have == kCodon;
    if (!split_.complete) return;
    split_.shownAt = pieceWithTwo >= 0 ? pieceWithTwo : pieces - 1;
    const CCodonTranslation& translation = translator_.Translate(split_.codon);
    split_.aminoAcid = translation.aminoAcid;
    split_.stop = translation.stop;
    split_.unknown = translation.unknown;
    split_.ordinal = CountAminoAcid(translation.stop);
}

int CResidueGrouper::FindNumberingBase(std::string_view residues, const std::vector<CCodonSpan>& spans,
                                       int matPeptideStart, CCodonTranslator& translator) {
    if (matPeptideStart < 1) return 0;
    CResidueGrouper grouper(residues, spans, matPeptideStart, translator);
    CResidueGroup group;
    for (;;) {
        const int plain = grouper.PlainResiduesAhead() / kPlainGroup * kPlainGroup;
        if (plain > 0) {
            if (grouper.position_ + plain > matPeptideStart) return 0;  // a plain group holds it
            grouper.SkipPlain(plain);
        }
        if (!grouper.Next(group)) return 0;
        if (group.position + static_cast<int>(group.residues.size()) > matPeptideStart)
            return group.span ? group.ordinal : 0;
    }
}

}  // namespace qln
