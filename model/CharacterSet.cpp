#include "model/CharacterSet.h"

#include <vector>

namespace qln {

CCharacterSet::CCharacterSet(std::string_view members, std::string_view likely) {
    for (char c : members) member_[static_cast<unsigned char>(c)] = true;

    for (char c : likely)
        if (Contains(c) && likelyCount_ < kMaxLikely) likely_[likelyCount_++] = static_cast<unsigned char>(c);
    // Unused slots repeat a member, which changes nothing.
    for (size_t i = likelyCount_; i > 0 && i < kMaxLikely; ++i) likely_[i] = likely_[0];

    int low = 256, high = -1;
    for (int c = 0; c < 256; ++c)
        if (member_[c]) {
            if (low > c) low = c;
            high = c;
        }
    if (high < 0) return;  // empty: every character is outside

    std::vector<unsigned char> holes;
    for (int c = low; c <= high; ++c)
        if (!member_[c]) holes.push_back(static_cast<unsigned char>(c));
    // A set spanning every byte could not pad its hole slots with a character
    // outside the range; the table serves it.
    if (holes.size() > kMaxHoles || (low == 0 && high == 255)) return;
    // Unused hole slots repeat a character outside the range, which the range
    // test rejects anyway.
    holes_.fill(static_cast<unsigned char>(low > 0 ? low - 1 : high + 1));
    for (size_t i = 0; i < holes.size(); ++i) holes_[i] = holes[i];
    holeCount_ = holes.size();
    low_ = static_cast<unsigned char>(low);
    span_ = static_cast<unsigned char>(high - low);
}

const CCharacterSet& CCharacterSet::Letters() {
    static const CCharacterSet letters("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", "acgt");
    return letters;
}

// The block tests have no early exit, so that their loops vectorize.

bool CCharacterSet::BlockLikely(const unsigned char* block) const {
    const std::array<unsigned char, kMaxLikely> likely = likely_;
    unsigned char rejected = 0;
    for (size_t i = 0; i < kBlock; ++i) {
        const unsigned char c = block[i];
        unsigned char found = 0;
        for (size_t k = 0; k < kMaxLikely; ++k) found |= c == likely[k];
        rejected |= found ^ 1;
    }
    return rejected == 0;
}

template <size_t Holes>
bool CCharacterSet::BlockInRange(const unsigned char* block) const {
    const unsigned char low = low_, span = span_;
    std::array<unsigned char, Holes> holes;
    for (size_t h = 0; h < Holes; ++h) holes[h] = holes_[h];
    unsigned char rejected = 0;
    for (size_t i = 0; i < kBlock; ++i) {
        const unsigned char c = block[i];
        unsigned char bad = static_cast<unsigned char>(c - low) > span;
        for (size_t h = 0; h < Holes; ++h) bad |= c == holes[h];
        rejected |= bad;
    }
    return rejected == 0;
}

bool CCharacterSet::BlockInTable(const unsigned char* block) const {
    bool inside = true;
    for (size_t i = 0; i < kBlock; ++i) inside &= member_[block[i]];
    return inside;
}

bool CCharacterSet::BlockInside(const unsigned char* block) const {
    if (likelyCount_ > 0 && BlockLikely(block)) return true;
    if (holeCount_ <= kFewHoles) return BlockInRange<kFewHoles>(block);
    if (holeCount_ <= kMaxHoles) return BlockInRange<kMaxHoles>(block);
    return BlockInTable(block);
}

size_t CCharacterSet::FirstOutside(std::string_view text) const {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const size_t size = text.size();
    size_t i = 0;
    while (i + kBlock <= size && BlockInside(bytes + i)) i += kBlock;
    // Short texts and the rest: sixteen table lookups without a branch at a
    // time, then one by one to find the outsider.
    constexpr size_t kRow = 16;
    for (; i + kRow <= size; i += kRow) {
        bool inside = true;
        for (size_t k = 0; k < kRow; ++k) inside &= member_[bytes[i + k]];
        if (!inside) break;
    }
    while (i < size && member_[bytes[i]]) ++i;
    return i;
}

}  // namespace qln
