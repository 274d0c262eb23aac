#include "import/FastaReader.h"

#include <array>
#include <cstring>

#include "model/AsciiText.h"

namespace qln {

namespace {

// A header indented by blanks is still a header.
bool IsHeader(std::string_view line) {
    if (line.empty()) return false;
    if (line[0] == '>') return true;
    if (!IsBlank(line[0])) return false;
    const std::string_view trimmed = TrimmedView(line);
    return !trimmed.empty() && trimmed[0] == '>';
}

// A lookup table per letter class: FASTA files run to hundreds of megabytes,
// so each residue costs one table read.
struct LetterClasses {
    enum : unsigned char { kPlainNucleotide = 1, kAmbiguousNucleotide = 2, kProtein = 4, kLetter = 8, kSkip = 16 };
    std::array<unsigned char, 256> bits{};

    LetterClasses() {
        Mark("acgtun", kPlainNucleotide);
        Mark("acgturymkswbdhvn", kAmbiguousNucleotide);
        Mark("arndbcqezghilkmfpstwyvx", kProtein);
        Mark("abcdefghijklmnopqrstuvwxyz", kLetter);
        // Blanks and digits (position numbers) are not residues.
        for (char c : std::string_view(" \t\n\v\f\r0123456789")) bits[static_cast<unsigned char>(c)] |= kSkip;
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

std::string_view FastaReader::NextLine() {
    // memchr finds the line ends far faster than a loop over the characters;
    // a lone CR (old Mac text) ends a line too.
    const size_t start = pos_;
    const size_t rest = text_.size() - start;
    const void* lf = std::memchr(text_.data() + start, '\n', rest);
    size_t end = lf ? static_cast<size_t>(static_cast<const char*>(lf) - text_.data()) : text_.size();
    if (const void* cr = std::memchr(text_.data() + start, '\r', end - start))
        end = static_cast<size_t>(static_cast<const char*>(cr) - text_.data());
    pos_ = end < text_.size() ? end + 1 : end;
    return text_.substr(start, end - start);
}

bool FastaReader::Next(FastaRecord& record) {
    // Text before the first header can only be blank: IsFasta chose us.
    std::string_view header;
    while (pos_ < text_.size() && header.empty()) {
        const std::string_view line = NextLine();
        if (IsHeader(line)) header = TrimmedView(line);
    }
    if (header.empty()) return false;

    record.header = header;
    const std::string_view inside = TrimmedView(header.substr(1));
    size_t word = 0;
    while (word < inside.size() && !IsBlank(inside[word])) ++word;
    record.name = std::string(inside.substr(0, word));
    record.description = TrimmedView(inside.substr(word));
    record.residues.clear();

    const LetterClasses& classes = Classes();
    while (pos_ < text_.size()) {
        const size_t lineStart = pos_;
        const std::string_view line = NextLine();
        if (IsHeader(line)) {
            pos_ = lineStart;  // the next record's header
            break;
        }
        // Runs of residues are appended whole: lines are mostly nothing else.
        size_t i = 0;
        while (i < line.size()) {
            size_t run = i;
            while (run < line.size() && !(classes.bits[static_cast<unsigned char>(line[run])] & LetterClasses::kSkip))
                ++run;
            record.residues.append(line.data() + i, run - i);
            i = run + 1;
        }
    }
    if (!record.residues.empty() && record.residues.back() == '*') record.residues.pop_back();
    return true;
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
