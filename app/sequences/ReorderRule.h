// Where the reorder dialog puts a block of rows: rows are numbered from 1 as
// the grids show them.
#pragma once

#include <vector>

namespace qln {

// The index (from 0, in the list without the block) at which the block of
// rows first..last goes when the user picks row "after": after that row, or
// back where it was when "after" lies inside the block.
int ReorderInsertionIndex(int first, int last, int after);

// The new order as the old row numbers, or an empty list when a row is
// missing (below 1 or beyond count) and nothing moves.
std::vector<int> ReorderRows(int count, int first, int last, int after);

}  // namespace qln
