// The three-letter amino acid codes and their one-letter forms.
#pragma once

#include <string>
#include <string_view>

namespace qln {

class CAminoAcidCode {
public:
    // One-letter code of a three-letter code in any letter case ("Ala" -> 'A'),
    // or '\0' for a triple that is no code.
    static char OneLetterFor(std::string_view triple);
    // Three-letter code of a one-letter code ('A' -> "Ala"), or empty.
    static std::string_view ThreeLetterFor(char code);
    // One-letter text of a three-letter text: white space removed, each
    // complete known triple gives its code, anything else gives nothing.
    static std::string ToOneLetter(std::string_view threeLetterText);
};

}  // namespace qln
