#include "generator/StopCodonFinder.h"

#include <array>

namespace qln {

namespace {

// 1 where a codon of the chunk starts.
constexpr std::array<unsigned char, 384> MakeFrame() {
    std::array<unsigned char, 384> frame{};
    for (size_t i = 0; i < frame.size(); i += 3) frame[i] = 1;
    return frame;
}

constexpr auto kFrame = MakeFrame();

}  // namespace

// Tests every offset of the chunk, then keeps the codon starts: contiguous
// reads without branches, which the compiler turns into vector compares.
bool CStopCodonFinder::ChunkMayHoldStop(const char* chunk) {
    static_assert(kFrame.size() == kChunk);
    const auto* c = reinterpret_cast<const unsigned char*>(chunk);
    unsigned char any = 0;
    for (size_t i = 0; i < kChunk; ++i) {
        const unsigned char first = (c[i] | 1) == 'u';  // 't' or 'u'
        const unsigned char a1 = c[i + 1] == 'a', g1 = c[i + 1] == 'g';
        const unsigned char a2 = c[i + 2] == 'a', g2 = c[i + 2] == 'g';
        any |= first & ((a1 & (a2 | g2)) | (g1 & a2)) & kFrame[i];
    }
    return any != 0;
}

}  // namespace qln
