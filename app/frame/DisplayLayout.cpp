#include "app/frame/DisplayLayout.h"

#include <algorithm>

namespace qln {

int64_t CDisplayLayout::ResidueAtCaret(int64_t caret, int64_t residueCount)
{
    if (caret <= 0 || residueCount <= 0) return 0;
    const int64_t line = caret / kLineLength;
    const int64_t column = caret % kLineLength;
    const int64_t lastOfLine = std::min(line * kResiduesPerLine + kResiduesPerLine, residueCount) - 1;
    if (column >= kResidueColumns) return std::max<int64_t>(0, lastOfLine);
    // Each blank between blocks takes one column: column 11 is the 11th residue.
    const int64_t residue = line * kResiduesPerLine + column - column / (kBlockLength + 1);
    return std::min(residue, std::max<int64_t>(0, lastOfLine));
}

int64_t CDisplayLayout::CaretOfResidue(int64_t residue)
{
    if (residue <= 0) return 0;
    return residue + residue / kBlockLength + (residue / kResiduesPerLine) * kLinePadding;
}

}  // namespace qln
