#include "import/ListingTolerance.h"

#include "model/AsciiText.h"

namespace qln::tolerance {

bool HasLoneCarriageReturn(std::string_view text) {
    for (size_t at = text.find('\r'); at != std::string_view::npos; at = text.find('\r', at + 1))
        if (at + 1 == text.size() || text[at + 1] != '\n') return true;
    return false;
}

std::string WithLineFeeds(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            out += text[i];
            continue;
        }
        out += '\n';
        if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    }
    return out;
}

// The CR of a CR LF may end one block and its LF start the next: the state
// carries over, and a block that was only that LF is followed by another
// read rather than reported as the end.
size_t CLineFeedSource::Read(char* into, size_t size) {
    while (true) {
        const size_t read = source_.Read(into, size);
        if (read == 0) return 0;
        size_t kept = 0;
        for (size_t i = 0; i < read; ++i) {
            const char c = into[i];
            if (c == '\n' && afterCarriageReturn_) {
                afterCarriageReturn_ = false;
                continue;
            }
            afterCarriageReturn_ = c == '\r';
            into[kept++] = afterCarriageReturn_ ? '\n' : c;
        }
        if (kept > 0) return kept;
    }
}

namespace {

// Skips the word at the front of text (any letter case) and the blanks after
// it; false when text does not start with it.
bool SkipWord(std::string_view& text, std::string_view word) {
    if (!StartsWithIgnoringCase(text, word)) return false;
    text.remove_prefix(word.size());
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    return true;
}

}  // namespace

std::string_view SequenceNumber(std::string_view value) {
    // The label "SEQ ID NO" with one blank each is already gone; its colon
    // may be left.
    std::string_view rest = value;
    std::string_view words = rest;
    if (SkipWord(words, "SEQ") && SkipWord(words, "ID") && SkipWord(words, "NO")) rest = words;
    SkipWord(rest, ":");
    return rest.empty() ? value : rest;
}

namespace {

// Up to most digits at the front of text, taken off it; empty for none.
std::string_view TakeDigits(std::string_view& text, size_t most) {
    size_t count = 0;
    while (count < text.size() && count < most && text[count] >= '0' && text[count] <= '9') ++count;
    const std::string_view digits = text.substr(0, count);
    text.remove_prefix(count);
    return digits;
}

}  // namespace

std::string PaddedDate(std::string_view text) {
    std::string_view rest = text;
    const std::string_view year = TakeDigits(rest, 4);
    if (year.size() != 4 || rest.empty() || rest.front() != '-') return std::string(text);
    rest.remove_prefix(1);
    const std::string_view month = TakeDigits(rest, 2);
    if (month.empty() || rest.empty() || rest.front() != '-') return std::string(text);
    rest.remove_prefix(1);
    const std::string_view day = TakeDigits(rest, 2);
    if (day.empty() || !rest.empty()) return std::string(text);
    const auto two = [](std::string_view digits) {
        return digits.size() == 1 ? "0" + std::string(digits) : std::string(digits);
    };
    return std::string(year) + "-" + two(month) + "-" + two(day);
}

bool IsUnassigned(std::string_view value) {
    std::string lower(value);
    for (char& c : lower) c = ToLowerAscii(c);
    return lower.ends_with("not yet assigned") || lower.ends_with("to be assigned");
}

}  // namespace qln::tolerance
