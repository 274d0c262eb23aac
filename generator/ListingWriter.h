// Writes the sequence listing in the ST.25 text layout: the header with the
// application data, one entry per sequence (with the protein entries derived
// from coding regions), and the entry count patched in at the end.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <ostream>

#include "model/Project.h"

namespace qln {

class CListingWriter {
public:
    // A stretch of coding region with fewer codons (amino acids) than this
    // gets no derived entry of its own.
    static constexpr size_t kMinDerivedGroups = 4;

    // The stream must allow seeking back to patch the entry count.
    CListingWriter(CProject& project, std::ostream& out);
    ~CListingWriter();
    CListingWriter(const CListingWriter&) = delete;
    CListingWriter& operator=(const CListingWriter&) = delete;

    // Asked before each derived entry and while grouping; true stops writing.
    void SetCancelCheck(std::function<bool()> isCancelled);

    // "SEQUENCE LISTING" to "<170>", leaving room for the entry count.
    void WriteHeader();
    // The entry of one sequence, whose residues the caller has loaded and
    // stripped to letters, followed by its derived protein entries. Returns
    // false when writing was cancelled part-way.
    bool WriteEntry(CSequence& sequence);
    // Writes the final entry count over the placeholder of the header.
    void PatchCount();
    int GetEntryCount() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace qln
