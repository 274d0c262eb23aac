// Translates coding text into the one-letter protein of an ST.26 listing,
// with the sequence's custom codons. Coding regions repeat the same few
// codons, so each codon's answer is kept while the tables stay the same.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "generator/CodonTranslator.h"

namespace qln {

class CBaseSequence;

struct CProteinTranslation {
    std::string protein;                // one-letter, stop codons left out
    std::vector<size_t> internalStops;  // codon indexes of stops before the last codon
    bool endsWithStop = false;
    std::vector<std::pair<size_t, std::string>> customCodons;  // codon index, three-letter amino acid
    std::vector<std::pair<size_t, std::string>> unknown;       // 1-based amino acid, codon
};

class CProteinTranslator {
public:
    // Translates with this sequence's tables from now on.
    void UseSequence(const CBaseSequence& sequence);
    // Whole codons only; bases after the last one are left alone.
    CProteinTranslation Translate(std::string_view codingText);
    // The amino acids an untranslatable codon may stand for, as listing text.
    std::string ExplainUnknown(std::string_view codon) const { return codons_.ExplainUnknown(codon); }
    CCodonTranslator& GetCodonTranslator() { return codons_; }

private:
    static constexpr char kStop = '*';
    static constexpr char kUnknown = 'x';
    static constexpr size_t kLetters = 26;

    struct Answer {
        char letter = 0;  // 0 when not known yet
        bool custom = false;
    };
    Answer Compute(const char* codon);

    const CBaseSequence* sequence_ = nullptr;
    CCodonTranslator codons_;
    bool standard_ = false;  // the answers hold no custom codon
    std::array<Answer, kLetters * kLetters * kLetters> answers_{};
};

}  // namespace qln
