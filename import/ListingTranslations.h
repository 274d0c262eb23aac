// Recognises the protein entries that a listing prints after a nucleotide
// sequence as translations of its coding regions. While the nucleotide's
// residue lines are read, the amino acids printed under the codons of each
// coding region are collected into the expected translation; every protein
// entry that follows is then compared with what is still expected.
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
    // expected translation.
    Verdict Check(std::string_view protein);

    // For tests: the whole expected translation collected so far.
    const std::string& GetExpected() const { return expected_; }

private:
    struct Region {
        Ptr<CDS> cds;
        int from = 0;
        int to = 0;
        size_t counted = 0;    // amino-acid characters collected for it
        size_t remaining = 0;  // of its translated length, not yet matched
        bool complete = false;
    };

    void Complete(Region& region);
    const std::vector<uint32_t>& Columns();

    Ptr<CSequence> owner_;
    std::vector<Region> regions_;
    int count_ = 0;
    std::string expected_;
    size_t matched_ = 0;  // characters of expected_ already matched
    size_t mapIndex_ = 0;
    size_t checkIndex_ = 0;

    bool haveBases_ = false;
    std::string basesRaw_;
    size_t bases_ = 0;
    size_t basesBefore_ = 0;
    bool basesFit_ = false;  // every base of the line has a column
    std::vector<uint32_t> columns_;
    bool columnsReady_ = false;
};

}  // namespace qln
