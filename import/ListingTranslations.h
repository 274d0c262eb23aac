// Recognises the protein entries that a listing prints after a nucleotide
// sequence as translations of its coding regions. While the nucleotide's
// residue lines are read, the amino acids printed under the codons of each
// coding region are collected into the expected translation, cut into
// stretches at stop codons and region ends; every protein entry that follows
// is then compared with what is still expected: all of it (the regions
// joined), or its next stretch long enough to have an entry of its own.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/Feature.h"
#include "model/Model.h"
#include "model/Sequence.h"

namespace qln {

class CTranslationTracker {
public:
    // Coding regions beyond this many in one sequence take no part in the
    // recognition; no listing the program writes comes near it, and the
    // ordered insertion stays cheap.
    static constexpr size_t kMaxCodingRegions = 10000;

    enum class Verdict {
        kKept,              // a protein of its own
        kTranslation,       // a translation printed by the writer: drop it
        kJoinedTranslation  // the translation of all coding regions joined
    };

    // Forgets everything: no coding regions, nothing expected.
    void Reset();
    // Starts over for a new nucleotide sequence.
    void Begin(Ptr<CSequence> owner);
    // The nucleotide sequence whose coding regions are tracked (may be null).
    const Ptr<CSequence>& GetOwner() const { return owner_; }
    void SetOwner(Ptr<CSequence> owner) { owner_ = std::move(owner); }

    // A coding region of the nucleotide sequence. Regions are kept ordered:
    // a new one goes before the first whose To is greater than its From.
    void AddCodingRegion(const Ptr<CDS>& cds);
    int GetCodingRegionCount() const { return count_; }

    // A line of bases: its text as read (columns matter), how many bases it
    // holds and how many came before it.
    void OnBasesLine(std::string_view raw, size_t bases, size_t basesBefore);
    // A line of amino acids printed under the last line of bases: the part
    // under each coding region is added to the expected translation. An
    // invalid region adds its message.
    void OnTranslationLine(std::string_view raw, const std::string& sequenceId, StringList& messages);
    // The nucleotide's residues are all read: regions ending within them
    // are complete even when no amino acid was printed on their last line.
    void FinishSequence(size_t totalBases);

    // True when a translation is still expected.
    bool IsPending() const;
    // Compares a protein (three-letter codes without blanks) with the
    // expected translation. Stretches too short for an entry of their own
    // are passed over, as the writer leaves them out.
    Verdict Check(std::string_view protein);

    // For tests: the whole expected translation collected so far.
    const std::string& GetExpected() const { return expected_; }

private:
    struct Region {
        Ptr<CDS> cds;
        int from = 0;
        int to = 0;
        bool shown = false;  // an amino acid was taken for it
    };

    // Every region of a codon or more showed an amino acid.
    bool EveryRegionShown() const;

    const std::vector<uint32_t>& Columns();
    // The stop codons among the codons of region that begin on the last
    // bases line between positions partFirst and partLast; offset is where
    // the line's amino acids of the region begin in expected_.
    void MarkStopCodons(std::string_view raw, const Region& region, long long partFirst, long long partLast,
                        size_t offset);
    void EndStretchUnderUntranslatedLine();
    // A stretch of expected_ ends at offset (a stop codon or a region end).
    void EndStretch(size_t offset);

    Ptr<CSequence> owner_;
    std::vector<Region> regions_;
    int count_ = 0;
    std::string expected_;
    std::vector<size_t> stretchEnds_;  // ascending offsets into expected_
    size_t matched_ = 0;               // characters of expected_ already matched
    size_t nextStretch_ = 0;           // index into stretchEnds_ of the stretch at matched_
    size_t mapIndex_ = 0;

    bool haveBases_ = false;
    bool translated_ = false;  // a line of amino acids followed the last bases line
    std::string basesRaw_;
    size_t bases_ = 0;
    size_t basesBefore_ = 0;
    bool basesFit_ = false;  // every base of the line has a column
    std::vector<uint32_t> columns_;
    bool columnsReady_ = false;
};

}  // namespace qln
