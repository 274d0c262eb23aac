// Scans of listing text eight bytes at a time, for the loops that see every
// byte of a listing of hundreds of megabytes. A mask has the top bit of each
// matching byte set; the bytes are worked on apart, without a carry or a
// borrow from one to the next, so every byte's flag is exact.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace qln::textscan {

inline constexpr uint64_t kOnes = 0x0101010101010101ULL;
inline constexpr uint64_t kTops = 0x8080808080808080ULL;

inline uint64_t LoadWord(const char* bytes) {
    uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

// Bytes below 128 that equal c (below 128).
inline uint64_t EqualMask(uint64_t word, char c) {
    const uint64_t diff = word ^ (kOnes * static_cast<unsigned char>(c));
    return ~((diff | kTops) - kOnes) & ~word & kTops;
}

// Bytes below 128 at or above c (at most 128).
inline uint64_t AtLeastMask(uint64_t word, unsigned c) { return ((word | kTops) - kOnes * c) & ~word & kTops; }

inline uint64_t DigitMask(uint64_t word) { return AtLeastMask(word, '0') & ~AtLeastMask(word, '9' + 1); }

// The bytes that are control characters (the line end among them) or above
// 126. Unlike the masks above, this one may flag bytes after a true one
// falsely, in the order of significance.
inline uint64_t UnprintableFlags(uint64_t word) {
    const uint64_t below32 = (word - kOnes * 32) & ~word;
    const uint64_t above126 = (word + kOnes) | word;
    return (below32 | above126) & kTops;
}

inline bool HasUnprintable(uint64_t word) { return UnprintableFlags(word) != 0; }

// The position in memory order (0 to 7) of the last flagged byte of a
// non-zero mask.
inline unsigned LastFlagged(uint64_t mask) {
    if constexpr (std::endian::native == std::endian::little)
        return static_cast<unsigned>(63 - std::countl_zero(mask)) / 8;
    else
        return 7 - static_cast<unsigned>(std::countr_zero(mask)) / 8;
}

// The position in memory order (0 to 7) of the first flagged byte of a
// non-zero mask.
inline unsigned FirstFlagged(uint64_t mask) {
    if constexpr (std::endian::native == std::endian::little)
        return static_cast<unsigned>(std::countr_zero(mask)) / 8;
    else
        return static_cast<unsigned>(std::countl_zero(mask)) / 8;
}

inline bool IsPrintable(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code >= 32 && code <= 126;
}

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The first byte from `from` on that is not printable ASCII (32 to 126), or
// the size of the text.
inline size_t FindUnprintable(std::string_view text, size_t from) {
    size_t i = from;
    if constexpr (std::endian::native == std::endian::little) {
        // A borrow or carry runs only from a flagged byte to those after it
        // in memory, so the first flagged byte is exact.
        for (; i + 8 <= text.size(); i += 8) {
            const uint64_t flags = UnprintableFlags(LoadWord(text.data() + i));
            if (flags) return i + FirstFlagged(flags);
        }
    } else {
        while (i + 8 <= text.size() && !HasUnprintable(LoadWord(text.data() + i))) i += 8;
    }
    while (i < text.size() && IsPrintable(text[i])) ++i;
    return i;
}

// The text's length without its trailing run of digits and blanks.
inline size_t WithoutTrailingDigits(std::string_view text) {
    constexpr uint64_t kBlanks = kOnes * ' ';
    size_t end = text.size();
    for (; end >= 8; end -= 8) {
        const uint64_t word = LoadWord(text.data() + end - 8);
        // Lines of position numbers are mostly blanks.
        if (word == kBlanks) continue;
        const uint64_t others = kTops & ~(DigitMask(word) | EqualMask(word, ' '));
        if (others) return end - 8 + LastFlagged(others) + 1;
    }
    while (end > 0 && (IsDigit(text[end - 1]) || text[end - 1] == ' ')) --end;
    return end;
}

// The number of flagged bytes of a mask: the flags moved to the low bits
// are summed by the multiplication into the top byte.
inline unsigned CountFlagged(uint64_t mask) { return static_cast<unsigned>(((mask >> 7) * kOnes) >> 56); }

// The first byte from `from` on that is not a blank, or the end.
inline size_t SkipBlanks(std::string_view text, size_t from) {
    size_t i = from;
    for (; i + 8 <= text.size(); i += 8) {
        const uint64_t others = kTops & ~EqualMask(LoadWord(text.data() + i), ' ');
        if (others) return i + FirstFlagged(others);
    }
    while (i < text.size() && text[i] == ' ') ++i;
    return i;
}

// The text's length without its trailing blanks, down to `from` at least.
inline size_t WithoutTrailingBlanks(std::string_view text, size_t from) {
    size_t end = text.size();
    for (; end >= from + 8; end -= 8) {
        const uint64_t others = kTops & ~EqualMask(LoadWord(text.data() + end - 8), ' ');
        if (others) return end - 8 + LastFlagged(others) + 1;
    }
    while (end > from && text[end - 1] == ' ') --end;
    return end;
}

inline size_t CountNonBlanks(std::string_view text) {
    size_t count = text.size();
    size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) count -= CountFlagged(EqualMask(LoadWord(text.data() + i), ' '));
    for (; i < text.size(); ++i) count -= text[i] == ' ';
    return count;
}

inline bool HasDigit(std::string_view text) {
    size_t i = 0;
    for (; i + 8 <= text.size(); i += 8)
        if (DigitMask(LoadWord(text.data() + i))) return true;
    for (; i < text.size(); ++i)
        if (IsDigit(text[i])) return true;
    return false;
}

// True when the text holds more than digits, blanks and "-".
inline bool HasNonNumeric(std::string_view text) {
    size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        const uint64_t word = LoadWord(text.data() + i);
        if (kTops & ~(DigitMask(word) | EqualMask(word, ' ') | EqualMask(word, '-'))) return true;
    }
    for (; i < text.size(); ++i)
        if (!IsDigit(text[i]) && text[i] != ' ' && text[i] != '-') return true;
    return false;
}

}  // namespace qln::textscan
