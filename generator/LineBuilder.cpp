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

int CLineBuilder::LabelWidth(int number) {
    if (number == 0 || (number != 1 && number != -1 && number % 5 != 0)) return 0;
    int width = number < 0 ? 2 : 1;
    for (int64_t rest = number < 0 ? -static_cast<int64_t>(number) : number; rest >= 10; rest /= 10) ++width;
    return width;
}

void CLineBuilder::Add(std::string_view residues, int residueCount, std::string_view translation, int number) {
    char label[12];
    const size_t labelLength = Label(number, label);
    const size_t a = translation.size(), t = residues.size();
    const size_t w = std::max({a, t, labelLength});

    const bool fits = residuesOnLine_ + residueCount <= kMaxResidues &&
                      (a == 0 || translatedOnLine_ < kMaxTranslated) && width_ + static_cast<int64_t>(w) <= kMaxWidth;
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

bool CLineBuilder::TripleFits(int number) const {
    const int w = std::max(LabelWidth(number), 3);
    return groups_ == 0 ||
           (residuesOnLine_ + 3 <= kMaxResidues && translatedOnLine_ < kMaxTranslated && width_ + w <= kMaxWidth);
}

void CLineBuilder::EndLineUnlessTripleFits(int number) {
    if (!TripleFits(number)) Finish();
}

int CLineBuilder::AddFullTripleLine(const Triple* triples, int count) {
    const int fitting = TriplesOnLine(triples, count);
    if (fitting == 0 || fitting == count) return 0;
    AddTripleLine(triples, fitting);
    return fitting;
}

int CLineBuilder::TriplesOnLine(const Triple* triples, int count) {
    int width = 0;
    int fitting = 0;
    for (; fitting < count && fitting < kMaxTranslated; ++fitting) {
        const int w = std::max(LabelWidth(triples[fitting].number), 3);
        if (fitting > 0 && width + w > kMaxWidth) break;
        width += w + 1;
    }
    return fitting;
}

void CLineBuilder::AddTripleLine(const Triple* triples, int count) {
    // The three lines share their columns: each is filled in place over
    // spaces, then cut to the length the general layout gives it.
    constexpr size_t kRoom = 128;
    char residueLine[kRoom], translationLine[kRoom], numberLine[kRoom];
    std::memset(residueLine, ' ', kRoom);
    std::memset(translationLine, ' ', kRoom);
    std::memset(numberLine, ' ', kRoom);
    size_t column = 0;
    bool shown = false;
    for (int i = 0; i < count; ++i) {
        const Triple& triple = triples[i];
        const size_t labelLength = Label(triple.number, numberLine + column);
        std::memcpy(residueLine + column, triple.residues, 3);
        std::memcpy(translationLine + column, triple.translation, 3);
        shown = shown || triple.translation[0] != ' ' || triple.translation[1] != ' ' || triple.translation[2] != ' ';
        column += std::max<size_t>(labelLength, 3) + 1;
    }
    total_ += 3 * count;
    const size_t length = column - 1;  // without the last group's space

    if (residueLine_) {
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, total_).ptr;
        const int64_t padding = 75 - (end - digits) - static_cast<int64_t>(column);
        out_.append(residueLine, length);
        out_.append(static_cast<size_t>(std::max<int64_t>(padding, 0)), ' ');
        out_.append(digits, end);
        if (shown) {
            const size_t padded = std::max<size_t>(length, kTotalEndColumn);
            out_ += '\n';
            out_.append(translationLine, padded);
            out_ += '\n';
            out_.append(numberLine, padded);
        }
    } else if (shown) {
        // Lines without residues keep the last group's space.
        out_ += '\n';
        out_.append(translationLine, column);
        out_ += '\n';
        out_.append(numberLine, column);
    }
    out_.append("\n\n");
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
