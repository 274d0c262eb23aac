#include "generator/CodonTranslator.h"

#include "model/Sequence.h"

namespace qln {

namespace {

constexpr const char* kUnknownAminoAcid = "Xaa";

bool IsLowerLetter(char c) { return c >= 'a' && c <= 'z'; }

}  // namespace

CCodonTranslator::CCodonTranslator() = default;
CCodonTranslator::~CCodonTranslator() = default;

void CCodonTranslator::UseSequence(const CBaseSequence& sequence) {
    sequence_ = &sequence;
    // Sequences without custom codons all translate alike, so their answers
    // carry over: a project of many short sequences fills the cache once.
    const bool standard = sequence.GetCustomCodons().empty();
    if (standard && standardAnswers_) return;
    standardAnswers_ = standard;
    if (++stamp_ == 0) {
        // The stamp wrapped around: every slot would look filled.
        slots_.reset();
        stamp_ = 1;
    }
}

void CCodonTranslator::Fill(CCodonTranslation& translation, const char* codon) const {
    const std::string text(codon, 3);
    translation.aminoAcid = sequence_->TranslateCodon(text);
    translation.stop = sequence_->IsStopCodon(text);
    translation.unknown = translation.aminoAcid == kUnknownAminoAcid;
}

// Codons of three lower-case letters are answered once per sequence and
// kept; any other is asked every time.
const CCodonTranslation& CCodonTranslator::TranslateSlowly(const char* codon) {
    if (!IsLowerLetter(codon[0]) || !IsLowerLetter(codon[1]) || !IsLowerLetter(codon[2])) {
        Fill(other_, codon);
        return other_;
    }
    if (!slots_) slots_.reset(new Slot[kLetters * kLetters * kLetters]);
    Slot& slot = slots_[((codon[0] - 'a') * kLetters + (codon[1] - 'a')) * kLetters + (codon[2] - 'a')];
    if (slot.stamp != stamp_) {
        Fill(slot.translation, codon);
        slot.stamp = stamp_;
    }
    return slot.translation;
}

std::string CCodonTranslator::ExplainUnknown(std::string_view codon) const {
    return sequence_->ExplainXaa(std::string(codon));
}

}  // namespace qln
