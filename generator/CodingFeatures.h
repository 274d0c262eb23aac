// What the listing needs to know of a sequence's coding regions and mature
// peptide: the first mature peptide, and whether one protein entry is
// derived from all coding regions joined or one per stretch between stops.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qln {

class CSequence;
class CDS;
class CMatPeptide;

class CCodingFeatures {
public:
    explicit CCodingFeatures(const CSequence& sequence);

    // The mature peptide with the smallest From (the first of those with
    // equal From), or null.
    const CMatPeptide* GetMatPeptide() const { return matPeptide_; }
    // Its first position, or 0 when there is none.
    int GetMatPeptideStart() const;
    // One derived entry from all coding regions joined: when the last
    // region in From order is marked joined, or a mature peptide exists.
    bool IsJoined() const;
    // The residues of all coding regions in From order, one after another.
    // matPeptideStart receives the mature peptide's 1-based position inside
    // that text, or 0 when it lies in no region.
    std::string JoinedCodingText(std::string_view residues, int& matPeptideStart) const;

private:
    std::vector<const CDS*> regions_;  // in From order
    const CMatPeptide* matPeptide_ = nullptr;
};

}  // namespace qln
