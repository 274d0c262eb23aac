#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "generator/StopCodonFinder.h"

namespace qln {
namespace {

std::vector<size_t> NaiveStops(const std::string& text, size_t begin, size_t end) {
    std::vector<size_t> found;
    for (size_t i = begin; i + 3 <= end; i += 3) {
        const std::string codon = text.substr(i, 3);
        if (codon == "taa" || codon == "tag" || codon == "tga" || codon == "uaa" || codon == "uag" || codon == "uga")
            found.push_back(i);
    }
    return found;
}

// The finder gets only [begin, end) of the text, in a buffer of exactly that
// size, so that the sanitizer build catches a read outside the range.
std::vector<size_t> FoundStops(const std::string& text, size_t begin, size_t end) {
    std::unique_ptr<char[]> range(new char[end - begin + 1]);
    std::copy(text.begin() + begin, text.begin() + end, range.get());
    std::vector<size_t> found;
    CStopCodonFinder::Find(range.get() - begin, begin, end, [&](size_t at) { found.push_back(at); });
    return found;
}

TEST(StopCodonFinder, FindsTheStopsOfOneFrameOnly) {
    EXPECT_EQ(FoundStops("atgtaaatagtga", 0, 13), (std::vector<size_t>{3}));
    EXPECT_EQ(FoundStops("atgtaaatagtga", 1, 13), (std::vector<size_t>{7, 10}));
    EXPECT_EQ(FoundStops("uagUAAtag", 0, 9), (std::vector<size_t>{0, 6}));  // lower case only
    EXPECT_EQ(FoundStops("ttaa", 1, 3), (std::vector<size_t>{}));           // an incomplete codon
}

TEST(StopCodonFinder, AgreesWithACodonByCodonWalk) {
    std::mt19937 random(9);
    const char* bases = "acgtu";
    for (size_t length : {0, 2, 3, 385, 386, 387, 770, 1200, 5000}) {
        for (int round = 0; round < 20; ++round) {
            std::string text(length, 'a');
            // Sparse stops in some rounds, so that whole chunks are skipped.
            const size_t alphabet = round % 2 ? 3 : 5;
            for (auto& c : text) c = bases[random() % alphabet];
            if (round % 2 && length > 0)
                for (int k = 0; k < 3; ++k) text.replace(random() % length, 3, "tga", 0, std::min<size_t>(3, length));
            text.resize(length);
            const size_t begin = length ? random() % (length / 2 + 1) : 0;
            const size_t end = begin + (length > begin ? random() % (length - begin + 1) : 0);
            EXPECT_EQ(FoundStops(text, begin, end), NaiveStops(text, begin, end))
                << "length " << length << " begin " << begin << " end " << end;
        }
    }
}

}  // namespace
}  // namespace qln
