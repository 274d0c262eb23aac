#pragma once
// Finds the standard stop codons (taa, tag, tga and their u forms, lower
// case) in one reading frame of a residue text.
#include <cstddef>

namespace qln {

class CStopCodonFinder {
public:
    static bool IsStop(const char* codon) {
        return (codon[0] == 't' || codon[0] == 'u') &&
               ((codon[1] == 'a' && (codon[2] == 'a' || codon[2] == 'g')) || (codon[1] == 'g' && codon[2] == 'a'));
    }

    // Calls found(index) for every stop codon at begin, begin + 3, ... that
    // ends at or before end. Reads nothing outside [begin, end).
    template <class Found>
    static void Find(const char* text, size_t begin, size_t end, Found&& found) {
        size_t position = begin;
        // Most chunks hold no stop codon in frame; one test clears each.
        for (; position + kChunk + 2 <= end; position += kChunk) {
            if (!ChunkMayHoldStop(text + position)) continue;
            for (size_t codon = position; codon < position + kChunk; codon += 3)
                if (IsStop(text + codon)) found(codon);
        }
        for (; position + 3 <= end; position += 3)
            if (IsStop(text + position)) found(position);
    }

private:
    static constexpr size_t kChunk = 384;  // whole codons, whole vectors

    // Whether a codon starting at 0, 3, ..., kChunk - 3 may be a stop codon;
    // reads kChunk + 2 characters.
    static bool ChunkMayHoldStop(const char* chunk);
};

}  // namespace qln
