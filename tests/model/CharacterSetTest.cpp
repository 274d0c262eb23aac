#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <string_view>

#include "model/CharacterSet.h"

namespace qln {
namespace {

size_t NaiveFirstOutside(std::string_view members, std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i)
        if (members.find(text[i]) == std::string_view::npos) return i;
    return text.size();
}

// Copies the text into a buffer of exactly its size, so that the sanitizer
// build catches any read past its end.
size_t FirstOutsideExact(const CCharacterSet& set, const std::string& text) {
    std::unique_ptr<char[]> exact(new char[text.size() + 1]);
    std::copy(text.begin(), text.end(), exact.get());
    return set.FirstOutside(std::string_view(exact.get(), text.size()));
}

// Sets of every form the walk takes: likely members, few holes, many holes,
// more holes than the range test holds, every byte, none.
std::string EveryByte() {
    std::string all;
    for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
    return all;
}

struct SetCase {
    std::string members;
    std::string likely;
};

TEST(CharacterSet, FindsTheFirstOutsiderWhereverItIs) {
    const SetCase cases[] = {
        {"agctrymkswbdhvn", "acgtu"},
        {"ARNDBCQEZGHILKMFPSTWYVX", ""},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", "acgt"},
        {"aeiou!~", "xyz"},  // likely characters that are not members are ignored
        {std::string("\0\x01\xff", 3), ""},
        {EveryByte().substr(1), ""},
        {EveryByte(), ""},
    };
    std::mt19937 random(5);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.members);
        const CCharacterSet set(c.members, c.likely);
        for (size_t length : {0, 1, 63, 64, 255, 256, 257, 511, 512, 700, 1030}) {
            std::string inside(length, '\0');
            for (auto& ch : inside) ch = c.members[random() % c.members.size()];
            EXPECT_EQ(FirstOutsideExact(set, inside), NaiveFirstOutside(c.members, inside));
            // One outsider at block edges and at random places.
            for (size_t at : {size_t{0}, size_t{63}, size_t{255}, size_t{256}, length - 1, random() % (length + 1)}) {
                if (at >= length) continue;
                std::string text = inside;
                text[at] = static_cast<char>(random());
                EXPECT_EQ(FirstOutsideExact(set, text), NaiveFirstOutside(c.members, text)) << "at " << at;
            }
        }
    }
}

TEST(CharacterSet, EmptySetHoldsNothing) {
    const CCharacterSet none("");
    EXPECT_EQ(none.FirstOutside(std::string(300, 'a')), 0u);
    EXPECT_TRUE(none.ContainsAll(""));
}

TEST(CharacterSet, LettersExcludeTheSignsBetweenTheCases) {
    const CCharacterSet& letters = CCharacterSet::Letters();
    EXPECT_TRUE(letters.ContainsAll(std::string(1000, 'a') + "ZzAa"));
    for (char c : std::string("[\\]^_`@{ 1\xe9")) EXPECT_FALSE(letters.Contains(c)) << c;
    EXPECT_EQ(letters.FirstOutside(std::string(300, 'g') + "`" + std::string(10, 'g')), 300u);
}

}  // namespace
}  // namespace qln
