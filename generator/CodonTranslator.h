// Codon translation for the residue layout. A long coding region repeats the
// same few codons over and over, so the answers of the sequence's own
// translation are kept for every codon of three lower-case letters.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace qln {

class CBaseSequence;

struct CCodonTranslation {
    std::string aminoAcid;  // three-letter code, three spaces for a stop codon
    bool stop = false;      // a stop codon the custom table does not redefine
    bool unknown = false;   // translated as "Xaa"
};

class CCodonTranslator {
public:
    CCodonTranslator();
    ~CCodonTranslator();
    CCodonTranslator(const CCodonTranslator&) = delete;
    CCodonTranslator& operator=(const CCodonTranslator&) = delete;

    // Translates with this sequence's tables from now on; earlier answers
    // are forgotten when either sequence has custom codons.
    void UseSequence(const CBaseSequence& sequence);
    // The codon is the three characters at codon. The answer stays valid
    // until the next call.
    const CCodonTranslation& Translate(const char* codon) {
        const unsigned first = static_cast<unsigned char>(codon[0]) - 'a';
        const unsigned second = static_cast<unsigned char>(codon[1]) - 'a';
        const unsigned third = static_cast<unsigned char>(codon[2]) - 'a';
        if (first < kLetters && second < kLetters && third < kLetters && slots_) {
            Slot& slot = slots_[(first * kLetters + second) * kLetters + third];
            if (slot.stamp == stamp_) return slot.translation;
        }
        return TranslateSlowly(codon);
    }
    // The amino acids an untranslatable codon may stand for, as listing text.
    std::string ExplainUnknown(std::string_view codon) const;

private:
    struct Slot {
        uint32_t stamp = 0;
        CCodonTranslation translation;
    };
    static constexpr unsigned kLetters = 26;

    const CCodonTranslation& TranslateSlowly(const char* codon);
    void Fill(CCodonTranslation& translation, const char* codon) const;

    const CBaseSequence* sequence_ = nullptr;
    uint32_t stamp_ = 0;
    bool standardAnswers_ = false;  // the cache holds answers without custom codons
    std::unique_ptr<Slot[]> slots_;
    CCodonTranslation other_;  // codons outside the cache
};

}  // namespace qln
