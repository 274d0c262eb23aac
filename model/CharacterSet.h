#pragma once
// A set of byte characters with a fast "first character outside the set"
// walk, for the checks that run over whole residue texts.
#include <array>
#include <cstddef>
#include <string_view>

namespace qln {

class CCharacterSet {
public:
    // The likely members, a few at most, make the common blocks cheap to pass
    // ("acgt" for nucleotide text): the first four that are members.
    explicit CCharacterSet(std::string_view members, std::string_view likely = {});

    // The ASCII letters, upper and lower case.
    static const CCharacterSet& Letters();

    bool Contains(char c) const { return member_[static_cast<unsigned char>(c)]; }

    // Index of the first character that is not a member, or the text's size.
    size_t FirstOutside(std::string_view text) const;

    bool ContainsAll(std::string_view text) const { return FirstOutside(text) == text.size(); }

private:
    // Blocks are tested without branches, in forms the compiler turns into
    // vector compares: "one of the likely members", then "within [low,
    // low + span] and none of the holes". Sets with more holes than fit fall
    // back on the table.
    static constexpr size_t kBlock = 256;
    static constexpr size_t kMaxLikely = 4;
    static constexpr size_t kFewHoles = 4;
    static constexpr size_t kMaxHoles = 12;

    bool BlockInside(const unsigned char* block) const;
    bool BlockLikely(const unsigned char* block) const;
    template <size_t Holes>
    bool BlockInRange(const unsigned char* block) const;
    bool BlockInTable(const unsigned char* block) const;

    std::array<bool, 256> member_{};
    size_t likelyCount_ = 0;
    std::array<unsigned char, kMaxLikely> likely_{};
    size_t holeCount_ = kMaxHoles + 1;  // more than fit: no range test
    unsigned char low_ = 0;
    unsigned char span_ = 0;
    std::array<unsigned char, kMaxHoles> holes_{};
};

}  // namespace qln
