#include "generator/LineBuilder.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace qln {

namespace {

bool HasText(std::string_view text) { return text.find_first_not_of(' ') != std::string_view::npos; }

void AppendPadded(std::string& out, std::string_view text, size_t width) {
    out.append(text);
    if (text.size() < width) out.append(width - text.size(), ' ');
}

}  // namespace

CLineBuilder::CLineBuilder(std::string& out, bool residueLine) : out_(out), residueLine_(residueLine) {}

size_t CLineBuilder::Label(int number, char* buffer) {
    if (number == 0 || (number != 1 && number != -1 && number % 5 != 0)) return 0;
    return static_cast<size_t>(std::to_chars(buffer, buffer + 12, number).ptr - buffer);
}

void CLineBuilder::Add(std::string_view residues, int residueCount, std::string_view translation, int number) {
    char label[12];
    const size_t labelLength = Label(number, label);
    const size_t a = translation.size(), t = residues.size();
    const size_t w = std::max({a, t, labelLength});

    const bool fits = residuesOnLine_ + residueCount <= kMaxResidues &&
                      (a == 0 || translatedOnLine_ < kMaxTranslated) &&
                      width_ + static_cast<int64_t>(w) <= kMaxWidth;
    if (!fits && groups_ > 0) WriteLine();

    ++groups_;
    width_ += static_cast<int>(w) + 1;
    residuesOnLine_ += residueCount;
    total_ += residueCount;
    if (a > 0) ++translatedOnLine_;
    if (residueLine_ && t > 0) {
        residueText_.Append(residues);
        residueText_.AppendSpaces(w - t + 1);
    }
    translationText_.Append(translation);
    translationText_.AppendSpaces(w - a + 1);
    numberText_.Append(std::string_view(label, labelLength));
    numberText_.AppendSpaces(w - labelLength + 1);
    if (!translationShown_ && a > 0) translationShown_ = HasText(translation);
}

void CLineBuilder::AddTriple(const char* residues, int residueCount, const char* translation, int number) {
    // Every column here is at most 12 characters wide with its space, so
    // each line takes a fixed 16 characters, of which the column's width
    // is kept: fixed-size copies are much quicker than exact ones.
    constexpr size_t kChunk = 16;
    char label[kChunk];
    std::memset(label, ' ', kChunk);
    size_t labelLength = 0;
    if (number != 0 && (number % 5 == 0 || number == 1 || number == -1))
        labelLength = static_cast<size_t>(std::to_chars(label, label + kChunk, number).ptr - label);
    const size_t w = labelLength > 3 ? labelLength : 3;

    if (groups_ > 0 && (residuesOnLine_ + residueCount > kMaxResidues || translatedOnLine_ >= kMaxTranslated ||
                        width_ + static_cast<int>(w) > kMaxWidth))
        WriteLine();

    ++groups_;
    width_ += static_cast<int>(w) + 1;
    residuesOnLine_ += residueCount;
    total_ += residueCount;
    ++translatedOnLine_;
    if (residueLine_) {
        char* tail = residueText_.Tail(kChunk);
        std::memset(tail, ' ', kChunk);
        std::memcpy(tail, residues, 3);
        residueText_.Advance(w + 1);
    }
    char* tail = translationText_.Tail(kChunk);
    std::memset(tail, ' ', kChunk);
    std::memcpy(tail, translation, 3);
    translationText_.Advance(w + 1);
    std::memcpy(numberText_.Tail(kChunk), label, kChunk);
    numberText_.Advance(w + 1);
    if (!translationShown_) translationShown_ = translation[0] != ' ' || translation[1] != ' ' || translation[2] != ' ';
}

void CLineBuilder::AddPlainLine(const char* residues) {
    total_ += kMaxResidues;
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, total_).ptr;
    const size_t digitCount = static_cast<size_t>(end - digits);

    // Six blocks of ten and five spaces: 65 columns, then the total ending
    // in column 74.
    const size_t start = out_.size();
    out_.resize(start + kTotalEndColumn + 2, ' ');
    char* line = out_.data() + start;
    for (int block = 0; block < 6; ++block) std::memcpy(line + block * 11, residues + block * 10, 10);
    std::memcpy(line + kTotalEndColumn - digitCount, digits, digitCount);
    line[kTotalEndColumn] = '\n';
    line[kTotalEndColumn + 1] = '\n';
}

void CLineBuilder::Finish() {
    if (groups_ > 0) WriteLine();
}

void CLineBuilder::WriteLine() {
    if (residueLine_) {
        // The padding is measured with the trailing space, which then goes.
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, total_).ptr;
        const int64_t padding = 75 - (end - digits) - static_cast<int64_t>(residueText_.Size());
        residueText_.DropLast();
        out_.append(residueText_.View());
        out_.append(static_cast<size_t>(std::max<int64_t>(padding, 0)), ' ');
        out_.append(digits, end);
        if (translationShown_) {
            translationText_.DropLast();
            numberText_.DropLast();
            out_ += '\n';
            AppendPadded(out_, translationText_.View(), kTotalEndColumn);
            out_ += '\n';
            AppendPadded(out_, numberText_.View(), kTotalEndColumn);
        }
    } else if (translationShown_) {
        out_ += '\n';
        out_.append(translationText_.View());
        out_ += '\n';
        out_.append(numberText_.View());
    }
    out_.append("\n\n");

    residueText_.Clear();
    translationText_.Clear();
    numberText_.Clear();
    groups_ = residuesOnLine_ = translatedOnLine_ = width_ = 0;
    translationShown_ = false;
}

}  // namespace qln
