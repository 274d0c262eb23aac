// The protein entries the listing derives from a nucleotide sequence's coding
// regions, found without writing the listing: one from all regions joined,
// or one per run of codons between stop codons, each only when it has at
// least four codons. Their order is the order of their numbers after the
// sequence's own.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qln {

class CBaseSequence;
class CCodonTranslator;

struct CDerivedEntry {
    std::string codingText;   // the bases the entry translates
    int matPeptideStart = 0;  // 1-based inside codingText; 0 for none
    // The positions of a run's bases in the sequence; 0 for the joined entry.
    int from = 0;
    int to = 0;
};

class CDerivedEntries {
public:
    // Whether a derived entry with this coding text is listed: it needs at
    // least four groups of three (the last one may be shorter).
    static bool IsListed(std::string_view codingText);

    // residues: the sequence's residues stripped to letters. The translator
    // is switched to this sequence.
    static std::vector<CDerivedEntry> For(CBaseSequence& sequence, std::string_view residues,
                                          CCodonTranslator& translator);
};

}  // namespace qln
