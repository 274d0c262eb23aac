#include "import/FastaReader.h"

#include <array>

#include "model/AsciiText.h"

namespace qln {

namespace {

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A lookup table per letter class: FASTA files run to hundreds of megabytes,
// so each residue costs one table read.
struct LetterClasses {
    enum : unsigned char { kPlainNucleotide = 1, kAmbiguousNucleotide = 2, kProtein = 4, kLetter = 8 };
    std::array<unsigned char, 256> bits{};

    LetterClasses() {
        Mark("acgtun", kPlainNucleotide);
        Mark("acgturymkswbdhvn", kAmbiguousNucleotide);
        Mark("arndbcqezghilkmfpstwyvx", kProtein);
        Mark("abcdefghijklmnopqrstuvwxyz", kLetter);
    }
    void Mark(std::string_view lower, unsigned char bit) {
        for (char c : lower) {
            bits[static_cast<unsigned char>(c)] |= bit;
            bits[static_cast<unsigned char>(c - 'a' + 'A')] |= bit;
        }
    }
};

const LetterClasses& Classes() {
    static const LetterClasses classes;
    return classes;
}

}  // namespace

bool FastaReader::IsFasta(std::string_view text) {
    for (char c : text)
        if (!IsBlank(c)) return c == '>';
    return false;
}

std::vector<FastaRecord> FastaReader::Read(std::string_view text) {
    std::vector<FastaRecord> records;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = pos;
        while (end < text.size() && !IsLineEnd(text[end])) ++end;
        // A header indented by blanks is still a header.
        const std::string_view line = TrimmedView(text.substr(pos, end - pos));
        pos = end < text.size() ? end + 1 : end;
        if (!line.empty() && line[0] == '>') {
            FastaRecord& record = records.emplace_back();
            record.header = std::string(line);
            const std::string_view inside = TrimmedView(line.substr(1));
            size_t word = 0;
            while (word < inside.size() && !IsBlank(inside[word])) ++word;
            record.name = std::string(inside.substr(0, word));
            record.description = std::string(TrimmedView(inside.substr(word)));
            continue;
        }
        // Text before the first header can only be blank: IsFasta chose us.
        if (records.empty()) continue;
        std::string& residues = records.back().residues;
        for (char c : line)
            if (!IsBlank(c) && !IsDigit(c)) residues += c;
    }
    for (FastaRecord& record : records)
        if (!record.residues.empty() && record.residues.back() == '*') record.residues.pop_back();
    return records;
}

std::optional<std::string> FastaReader::TypeOf(std::string_view residues) {
    const LetterClasses& classes = Classes();
    unsigned char all = 0xFF;
    bool t = false, u = false, letters = false;
    for (char c : residues) {
        const unsigned char bits = classes.bits[static_cast<unsigned char>(c)];
        if (!(bits & LetterClasses::kLetter)) continue;  // left to the character check
        letters = true;
        all &= bits;
        t = t || c == 't' || c == 'T';
        u = u || c == 'u' || c == 'U';
    }
    if (!letters) return std::nullopt;
    if (all & LetterClasses::kPlainNucleotide) return u ? (t ? "DNA/RNA" : "RNA") : "DNA";
    // Ambiguity codes alone read as well as amino acids: ask.
    if (all & LetterClasses::kAmbiguousNucleotide) return std::nullopt;
    if (all & LetterClasses::kProtein) return "PROTEIN/1";
    return std::nullopt;
}

}  // namespace qln
