// The genetic codes a transl_table qualifier names (the NCBI numbering that
// INSDC and ST.26 use), translating codons written with the nucleotide
// symbols of an ST.26 listing, ambiguity codes included.
#pragma once

#include <array>
#include <mutex>
#include <string>
#include <string_view>

namespace qln {

class CSt26GeneticCode {
public:
    static constexpr char kStop = '*';

    // Null for a number that names no code.
    static const CSt26GeneticCode* ForTable(int number);
    static const CSt26GeneticCode& Standard() { return *ForTable(1); }

    // The one-letter amino acid of three lower-case symbols ("t" or "u"),
    // '*' for a stop. An ambiguous codon gives the amino acid all its
    // readings agree on, B, Z or J for the two readings those stand for,
    // else X.
    char Translate(std::string_view codon) const;
    // Every whole codon of the bases, one after the other.
    std::string TranslateAll(std::string_view bases) const;
    // A codon that may end a coding region: a stop of the code, or one that
    // the code reads as a stop only there.
    bool MayEnd(std::string_view codon) const;
    // Codons some codes start a protein with, read as methionine there.
    static bool IsAlternativeStart(std::string_view codon);

    // The one-letter form of a three-letter amino acid of transl_except or
    // anticodon ("Sec" -> 'U', "TERM" -> '*', "OTHER" -> 'X'); 0 for none.
    static char OneLetter(std::string_view threeLetter);

private:
    CSt26GeneticCode(int number, std::string_view aminoAcids, std::string_view endOnly);
    char Resolve(int first, int second, int third) const;
    void FillAnswers() const;

    int number_;
    std::string_view aminoAcids_;  // 64 letters, codons in TCAG order
    std::string_view endOnly_;     // codons, three letters each
    // The answer for every codon of symbols, by their base masks, made on
    // first use: a long coding region is translated with a few look-ups a
    // codon.
    mutable std::once_flag filled_;
    mutable std::array<char, 16 * 16 * 16> answers_{};
};

}  // namespace qln
