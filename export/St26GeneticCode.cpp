#include "export/St26GeneticCode.h"

#include <array>
#include <string>

#include "model/AsciiText.h"

namespace qln {

namespace {

constexpr std::string_view kStandard = "FFLLSSSSYY**CC*WLLLLPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG";

// The bases each symbol stands for, as a mask of T, C, A, G (the table's
// order); 0 for a byte that is no symbol.
constexpr std::array<unsigned char, 256> kBaseMasks = [] {
    std::array<unsigned char, 256> masks{};
    constexpr std::pair<char, unsigned char> kSymbols[] = {
        {'t', 1},         {'u', 1},         {'c', 2},         {'a', 4},     {'g', 8},     {'y', 1 | 2},
        {'w', 1 | 4},     {'k', 1 | 8},     {'m', 2 | 4},     {'s', 2 | 8}, {'r', 4 | 8}, {'h', 1 | 2 | 4},
        {'b', 1 | 2 | 8}, {'d', 1 | 4 | 8}, {'v', 2 | 4 | 8}, {'n', 15}};
    for (const auto& [symbol, mask] : kSymbols) {
        masks[static_cast<unsigned char>(symbol)] = mask;
        masks[static_cast<unsigned char>(symbol - 'a' + 'A')] = mask;
    }
    return masks;
}();

int BaseMask(char symbol) { return kBaseMasks[static_cast<unsigned char>(symbol)]; }

struct ThreeLetter {
    std::string_view code;
    char letter;
};

constexpr ThreeLetter kThreeLetter[] = {
    {"Ala", 'A'}, {"Arg", 'R'}, {"Asn", 'N'}, {"Asp", 'D'}, {"Cys", 'C'}, {"Gln", 'Q'},  {"Glu", 'E'},
    {"Gly", 'G'}, {"His", 'H'}, {"Ile", 'I'}, {"Leu", 'L'}, {"Lys", 'K'}, {"Met", 'M'},  {"Phe", 'F'},
    {"Pro", 'P'}, {"Ser", 'S'}, {"Thr", 'T'}, {"Trp", 'W'}, {"Tyr", 'Y'}, {"Val", 'V'},  {"Sec", 'U'},
    {"Pyl", 'O'}, {"Asx", 'B'}, {"Glx", 'Z'}, {"Xle", 'J'}, {"Xaa", 'X'}, {"TERM", '*'}, {"OTHER", 'X'}};

}  // namespace

const CSt26GeneticCode* CSt26GeneticCode::ForTable(int number) {
    // Each code as it differs from the standard one is easy to misread; the
    // whole 64 letters are written out instead.
    static const std::array<CSt26GeneticCode, 27> kCodes = {{
        {1, kStandard, ""},
        {2, "FFLLSSSSYY**CCWWLLLLPPPPHHQQRRRRIIMMTTTTNNKKSS**VVVVAAAADDEEGGGG", ""},
        {3, "FFLLSSSSYY**CCWWTTTTPPPPHHQQRRRRIIMMTTTTNNKKSSRRVVVVAAAADDEEGGGG", ""},
        {4, "FFLLSSSSYY**CCWWLLLLPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG", ""},
        {5, "FFLLSSSSYY**CCWWLLLLPPPPHHQQRRRRIIMMTTTTNNKKSSSSVVVVAAAADDEEGGGG", ""},
        {6, "FFLLSSSSYYQQCC*WLLLLPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG", ""},
        {9, "FFLLSSSSYY**CCWWLLLLPPPPHHQQRRRRIIIMTTTTNNNKSSSSVVVVAAAADDEEGGGG", ""},
        {10, "FFLLSSSSYY**CCCWLLLLPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG", ""},
        {11, kStandard, ""},
        {12, "FFLLSSSSYY**CC*WLLLSPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG", ""},
        {13, "FFLLSSSSYY**CCWWLLLLPPPPHHQQRRRRIIMMTTTTNNKKSSGGVVVVAAAADDEEGGGG", ""},
        {14, "FFLLSSSSYYY*CCWWLLLLPPPPHHQQRRRRIIIMTTTTNNNKSSSSVVVVAAAADDEEGGGG", ""},
        {15, "FFLLSSSSYY*QCC*WLLLLPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG", ""},
        {16, "FFLLSSSSYY*LCC*WLLLLPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG", ""},
        {21, "FFLLSSSSYY**CCWWLLLLPPPPHHQQRRRRIIMMTTTTNNNKSSSSVVVVAAAADDEEGGGG", ""},
        {22, "FFLLSS*SYY*LCC*WLLLLPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG", ""},
        {23, "FF*LSSSSYY**CC*WLLLLPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG", ""},
        {24, "FFLLSSSSYY**CCWWLLLLPPPPHHQQRRRRIIIMTTTTNNKKSSSKVVVVAAAADDEEGGGG", ""},
        {25, "FFLLSSSSYY**CCGWLLLLPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG", ""},
        {26, "FFLLSSSSYY**CC*WLLLAPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG", ""},
        {27, "FFLLSSSSYYQQCCWWLLLLPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG", "tga"},
        {28, "FFLLSSSSYYQQCCWWLLLLPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG", "taatagtga"},
        {29, "FFLLSSSSYYYYCC*WLLLLPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG", ""},
        {30, "FFLLSSSSYYEECC*WLLLLPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG", ""},
        {31, "FFLLSSSSYYEECCWWLLLLPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG", "taatag"},
        {32, "FFLLSSSSYY*WCC*WLLLLPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG", ""},
        {33, "FFLLSSSSYYY*CCWWLLLLPPPPHHQQRRRRIIIMTTTTNNKKSSSKVVVVAAAADDEEGGGG", ""},
    }};
    for (const CSt26GeneticCode& code : kCodes)
        if (code.number_ == number) return &code;
    return nullptr;
}

CSt26GeneticCode::CSt26GeneticCode(int number, std::string_view aminoAcids, std::string_view endOnly)
    : number_(number), aminoAcids_(aminoAcids), endOnly_(endOnly) {}

void CSt26GeneticCode::FillAnswers() const {
    for (int first = 1; first < 16; ++first)
        for (int second = 1; second < 16; ++second)
            for (int third = 1; third < 16; ++third)
                answers_[static_cast<size_t>(first * 256 + second * 16 + third)] = Resolve(first, second, third);
}

// The amino acid all readings of the masks agree on, B, Z or J for the two
// readings those stand for, '*' when all are stops, else X.
char CSt26GeneticCode::Resolve(int first, int second, int third) const {
    bool seen[26] = {};
    bool stop = false;
    int readings = 0;
    for (int a = 0; a < 4; ++a)
        for (int b = 0; b < 4; ++b)
            for (int c = 0; c < 4; ++c) {
                if (!(first >> a & 1) || !(second >> b & 1) || !(third >> c & 1)) continue;
                const char aa = aminoAcids_[static_cast<size_t>(a * 16 + b * 4 + c)];
                if (aa == kStop) {
                    stop = true;
                } else if (!seen[aa - 'A']) {
                    seen[aa - 'A'] = true;
                    ++readings;
                }
            }
    if (stop) return readings == 0 ? kStop : 'X';
    if (readings == 1)
        for (int i = 0; i < 26; ++i)
            if (seen[i]) return static_cast<char>('A' + i);
    if (readings == 2 && seen['D' - 'A'] && seen['N' - 'A']) return 'B';
    if (readings == 2 && seen['E' - 'A'] && seen['Q' - 'A']) return 'Z';
    if (readings == 2 && seen['I' - 'A'] && seen['L' - 'A']) return 'J';
    return 'X';
}

char CSt26GeneticCode::Translate(std::string_view codon) const {
    if (codon.size() != 3) return 'X';
    const int first = BaseMask(codon[0]), second = BaseMask(codon[1]), third = BaseMask(codon[2]);
    if (!first || !second || !third) return 'X';
    std::call_once(filled_, [this] { FillAnswers(); });
    return answers_[static_cast<size_t>(first * 256 + second * 16 + third)];
}

std::string CSt26GeneticCode::TranslateAll(std::string_view bases) const {
    std::call_once(filled_, [this] { FillAnswers(); });
    std::string protein(bases.size() / 3, 'X');
    for (size_t i = 0; i < protein.size(); ++i) {
        const char* codon = bases.data() + 3 * i;
        const int first = BaseMask(codon[0]), second = BaseMask(codon[1]), third = BaseMask(codon[2]);
        if (first && second && third) protein[i] = answers_[static_cast<size_t>(first * 256 + second * 16 + third)];
    }
    return protein;
}

bool CSt26GeneticCode::MayEnd(std::string_view codon) const {
    if (Translate(codon) == kStop) return true;
    std::string lower(codon);
    for (char& c : lower) c = ToLowerAscii(c) == 'u' ? 't' : ToLowerAscii(c);
    for (size_t at = 0; at + 3 <= endOnly_.size(); at += 3)
        if (endOnly_.substr(at, 3) == lower) return true;
    return false;
}

bool CSt26GeneticCode::IsAlternativeStart(std::string_view codon) {
    std::string lower(codon);
    for (char& c : lower) c = ToLowerAscii(c) == 'u' ? 't' : ToLowerAscii(c);
    for (const std::string_view start : {"atg", "ttg", "ctg", "gtg", "att", "atc", "ata", "tta"})
        if (lower == start) return true;
    return false;
}

char CSt26GeneticCode::OneLetter(std::string_view threeLetter) {
    for (const ThreeLetter& entry : kThreeLetter)
        if (EqualsIgnoringCase(entry.code, threeLetter)) return entry.letter;
    return 0;
}

}  // namespace qln
