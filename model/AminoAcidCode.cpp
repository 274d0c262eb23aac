#include "model/AminoAcidCode.h"

#include <array>

#include "model/AsciiText.h"

namespace qln {

namespace {

struct Code {
    const char* lowerTriple;
    const char* triple;
    char letter;
};

// The codes of the three-letter check, including the ambiguous Asx and Glx
// and the unknown Xaa.
constexpr std::array<Code, 23> kCodes = {{
    {"ala", "Ala", 'A'}, {"arg", "Arg", 'R'}, {"asn", "Asn", 'N'}, {"asp", "Asp", 'D'}, {"cys", "Cys", 'C'},
    {"gln", "Gln", 'Q'}, {"asx", "Asx", 'B'}, {"glu", "Glu", 'E'}, {"glx", "Glx", 'Z'}, {"gly", "Gly", 'G'},
    {"his", "His", 'H'}, {"ile", "Ile", 'I'}, {"leu", "Leu", 'L'}, {"lys", "Lys", 'K'}, {"met", "Met", 'M'},
    {"phe", "Phe", 'F'}, {"pro", "Pro", 'P'}, {"ser", "Ser", 'S'}, {"thr", "Thr", 'T'}, {"trp", "Trp", 'W'},
    {"tyr", "Tyr", 'Y'}, {"val", "Val", 'V'}, {"xaa", "Xaa", 'X'},
}};

}  // namespace

char CAminoAcidCode::OneLetterFor(std::string_view triple) {
    if (triple.size() != 3) return '\0';
    const char lower[3] = {ToLowerAscii(triple[0]), ToLowerAscii(triple[1]), ToLowerAscii(triple[2])};
    for (const Code& code : kCodes)
        if (std::string_view(code.lowerTriple) == std::string_view(lower, 3)) return code.letter;
    return '\0';
}

std::string_view CAminoAcidCode::ThreeLetterFor(char letter) {
    for (const Code& code : kCodes)
        if (code.letter == letter) return code.triple;
    return {};
}

std::string CAminoAcidCode::ToOneLetter(std::string_view text) {
    std::string compact;
    compact.reserve(text.size());
    for (char c : text)
        if (!IsBlank(c)) compact += c;
    std::string out;
    out.reserve(compact.size() / 3);
    for (size_t i = 0; i + 3 <= compact.size(); i += 3)
        if (char letter = OneLetterFor(std::string_view(compact).substr(i, 3))) out += letter;
    return out;
}

}  // namespace qln
