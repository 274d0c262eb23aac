#include "export/St26Text.h"

#include "export/St26Choices.h"
#include "model/AsciiText.h"

namespace qln {

namespace {

// Latin-1 0xC0 to 0xFF folded; empty for the two signs among them.
constexpr const char* kFoldedLetters[64] = {
    "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I",  "I",   // C0-CF
    "D", "N", "O", "O", "O", "O", "O",  "",  "O", "U", "U", "U", "U", "Y", "TH", "ss",  // D0-DF
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",   // E0-EF
    "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "y",   // F0-FF
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int Number(std::string_view digits) {
    int value = 0;
    for (const char c : digits) value = value * 10 + (c - '0');
    return value;
}

}  // namespace

bool CSt26Text::IsPrintableBasicLatin(std::string_view text) {
    for (const char c : text)
        if (c < 0x20 || c > 0x7E) return false;
    return true;
}

std::optional<std::string> CSt26Text::FoldToBasicLatin(std::string_view latin1) {
    std::string out;
    out.reserve(latin1.size());
    for (const char ch : latin1) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 0x20 && c <= 0x7E) {
            out += ch;
        } else if (c >= 0xC0 && *kFoldedLetters[c - 0xC0]) {
            out += kFoldedLetters[c - 0xC0];
        } else if (c == 0xA0) {
            out += ' ';  // a no-break space is a space
        } else {
            return std::nullopt;
        }
    }
    return out;
}

CSt26Text::FreeText CSt26Text::FoldFreeText(std::string_view latin1) {
    FreeText out;
    std::string oneLine;
    oneLine.reserve(latin1.size());
    for (size_t i = 0; i < latin1.size(); ++i) {
        if (latin1[i] != '\r' && latin1[i] != '\n') {
            oneLine += latin1[i];
            continue;
        }
        if (latin1[i] == '\r' && i + 1 < latin1.size() && latin1[i + 1] == '\n') ++i;
        oneLine += ' ';
        out.lineBreaks = true;
    }
    out.text = FoldToBasicLatin(oneLine);
    out.accents = out.text && *out.text != oneLine;
    return out;
}

bool CSt26Text::IsCompleteDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
    for (const size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (!IsDigit(text[i])) return false;
    const int year = Number(text.substr(0, 4)), month = Number(text.substr(5, 2)), day = Number(text.substr(8, 2));
    if (year < 1 || month < 1 || month > 12 || day < 1) return false;
    static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= kDays[month - 1] && !(month == 2 && day == 29 && !leap);
}

std::optional<CSt26Text::ApplicationId> CSt26Text::SplitApplicationNumber(std::string_view text) {
    text = TrimmedView(text);
    if (text.size() > 6 && StartsWithIgnoringCase(text, "PCT/")) {
        std::string code{ToUpperAscii(text[4]), ToUpperAscii(text[5])};
        if (IsOfficeCode(code)) return ApplicationId{code, std::string(text)};
    }
    if (text.size() > 3 && text[0] >= 'A' && text[0] <= 'Z' && text[1] >= 'A' && text[1] <= 'Z' && IsBlank(text[2])) {
        const std::string code(text.substr(0, 2));
        const std::string_view rest = TrimmedView(text.substr(2));
        if (IsOfficeCode(code) && !rest.empty()) return ApplicationId{code, std::string(rest)};
    }
    return std::nullopt;
}

}  // namespace qln
