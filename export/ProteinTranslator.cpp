#include "export/ProteinTranslator.h"

#include "export/St26GeneticCode.h"

#include "model/AminoAcidCode.h"
#include "model/AsciiText.h"
#include "model/Sequence.h"

namespace qln {

namespace {

// Custom codons may name the two amino acids the one-letter alphabet of
// ST.26 has beyond the twenty.
char OneLetter(std::string_view aminoAcid) {
    if (EqualsIgnoringCase(aminoAcid, "Sec")) return 'U';
    if (EqualsIgnoringCase(aminoAcid, "Pyl")) return 'O';
    const char letter = CAminoAcidCode::OneLetterFor(aminoAcid);
    return letter ? letter : 'X';
}

}  // namespace

void CProteinTranslator::UseSequence(const CBaseSequence& sequence) {
    sequence_ = &sequence;
    codons_.UseSequence(sequence);
    const bool standard = sequence.GetCustomCodons().empty();
    if (!(standard && standard_)) answers_.fill(Answer{});
    standard_ = standard;
}

CProteinTranslator::Answer CProteinTranslator::Compute(const char* codon) {
    const CCodonTranslation& translation = codons_.Translate(codon);
    Answer answer;
    answer.letter = translation.stop ? kStop : translation.unknown ? kUnknown : OneLetter(translation.aminoAcid);
    if (!sequence_->GetCustomCodons().empty()) {
        std::string lower(codon, 3);
        for (char& c : lower) c = ToLowerAscii(c);
        answer.custom = sequence_->GetCustomCodons().count(lower) > 0;
    }
    // An ambiguous codon is what all its readings agree on (the listing's
    // code table reads a few of them as one amino acid that only some
    // readings give).
    const std::string_view bases(codon, 3);
    if (!answer.custom && bases.find_first_not_of("acgtuACGTU") != std::string_view::npos) {
        const char letter = CSt26GeneticCode::Standard().Translate(bases);
        answer.letter = letter == CSt26GeneticCode::kStop ? kStop : letter == 'X' ? kUnknown : letter;
    }
    return answer;
}

CProteinTranslation CProteinTranslator::Translate(std::string_view codingText) {
    CProteinTranslation result;
    const size_t codons = codingText.size() / 3;
    result.protein.reserve(codons);
    for (size_t i = 0; i < codons; ++i) {
        const char* codon = codingText.data() + 3 * i;
        const unsigned a = static_cast<unsigned char>(codon[0]) - 'a';
        const unsigned b = static_cast<unsigned char>(codon[1]) - 'a';
        const unsigned c = static_cast<unsigned char>(codon[2]) - 'a';
        Answer answer;
        if (a < kLetters && b < kLetters && c < kLetters) {
            Answer& kept = answers_[(a * kLetters + b) * kLetters + c];
            if (!kept.letter) kept = Compute(codon);
            answer = kept;
        } else {
            answer = Compute(codon);
        }
        if (answer.custom) result.customCodons.emplace_back(i, codons_.Translate(codon).aminoAcid);
        if (answer.letter == kStop) {
            if (i + 1 < codons)
                result.internalStops.push_back(i);
            else
                result.endsWithStop = true;
        } else if (answer.letter == kUnknown) {
            result.protein += 'X';
            result.unknown.emplace_back(result.protein.size(), std::string(codon, 3));
        } else {
            result.protein += answer.letter;
        }
    }
    return result;
}

}  // namespace qln
