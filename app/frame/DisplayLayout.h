// The editor's display layout of residues: blocks of ten, six blocks to a
// line, each line padded and ended by its position number, 76 characters
// with the line feed. These map between editor positions and residues.
#pragma once

#include <cstdint>

namespace qln {

class CDisplayLayout {
public:
    static constexpr int64_t kLineLength = 76;  // with the line feed
    static constexpr int64_t kResiduesPerLine = 60;
    static constexpr int64_t kBlockLength = 10;
    // Six blocks and the blank after each of the first five.
    static constexpr int64_t kResidueColumns = kResiduesPerLine + kResiduesPerLine / kBlockLength - 1;
    // What a line holds beyond its residues and one blank per block.
    static constexpr int64_t kLinePadding = kLineLength - kResiduesPerLine - kResiduesPerLine / kBlockLength;

    // The residue a caret at editor position caret stands before. A caret in
    // a line's padding or position number stands on that line's last residue,
    // and nothing maps beyond the last residue, so a search from there never
    // passes over residues that come before the next line.
    static int64_t ResidueAtCaret(int64_t caret, int64_t residueCount);
    // The editor position at which a residue is shown.
    static int64_t CaretOfResidue(int64_t residue);
};

}  // namespace qln
