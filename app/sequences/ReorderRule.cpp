#include "app/sequences/ReorderRule.h"

#include <cstddef>
#include <utility>

namespace qln {

int ReorderInsertionIndex(int first, int last, int after)
{
    if (after < first) return after;
    if (after > last) return after - (last - first + 1);
    return first - 1;
}

std::vector<int> ReorderRows(int count, int first, int last, int after)
{
    if (first > last) std::swap(first, last);
    if (after < 1 || first < 1 || last > count || after > count) return {};
    std::vector<int> rest;
    rest.reserve(static_cast<std::size_t>(count));
    for (int row = 1; row <= count; ++row)
        if (row < first || row > last) rest.push_back(row);
    std::vector<int> block;
    for (int row = first; row <= last; ++row) block.push_back(row);
    const int index = ReorderInsertionIndex(first, last, after);
    rest.insert(rest.begin() + index, block.begin(), block.end());
    return rest;
}

}  // namespace qln
