#pragma once
// Letter case, digits and blanks of single-byte text. Only the ASCII letters have a
// case here; every other byte stays as it is, whatever the locale.
#include <string_view>

namespace qln {

inline bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

inline char ToLowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

inline char ToUpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

inline bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// At least one character, and digits only.
inline bool IsAsciiNumber(std::string_view text) {
    if (text.empty()) return false;
    for (const char c : text)
        if (!IsAsciiDigit(c)) return false;
    return true;
}

inline bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// The text without its leading and trailing blanks.
inline std::string_view TrimmedView(std::string_view text) {
    size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

// The text without its leading blanks.
inline std::string_view TrimmedLeftView(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    return text;
}

// The text without its trailing blanks.
inline std::string_view TrimmedRightView(std::string_view text) {
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// The text without the spaces at its ends; tabs and line ends there stay.
inline std::string_view SpaceTrimmedView(std::string_view text) {
    size_t begin = 0, end = text.size();
    while (begin < end && text[begin] == ' ') ++begin;
    while (end > begin && text[end - 1] == ' ') --end;
    return text.substr(begin, end - begin);
}

inline bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    // Text is usually in the case it is compared with.
    if (text.substr(0, prefix.size()) == prefix) return true;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (ToLowerAscii(text[i]) != ToLowerAscii(prefix[i])) return false;
    return true;
}

inline bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && StartsWithIgnoringCase(a, b);
}

}  // namespace qln
