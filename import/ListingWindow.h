// The bytes of a listing's text at hand: the whole of a text held in memory,
// or a window that slides over a source as the text is read. Offsets count
// from the start of the whole text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "import/ListingSource.h"

namespace qln {

class CListingWindow {
public:
    // The bytes read from a source at a time, at least.
    static constexpr size_t kBlock = 256 * 1024;

    // The whole text at hand; it must outlive the reading.
    void Open(std::string_view text);
    // Nothing at hand yet: Extend reads the first block.
    void Open(CListingSource& source);
    void Close();

    size_t Begin() const { return begin_; }
    size_t End() const { return begin_ + bytes_.size(); }
    // The bytes from Begin() to End().
    std::string_view Bytes() const { return bytes_; }
    char At(size_t offset) const { return bytes_[offset - begin_]; }

    // Brings more of the text, letting go of what lies before keepFrom
    // (from Begin() to End()). Returns false at the end of the text; what is
    // at hand then stays.
    bool Extend(size_t keepFrom);

private:
    std::string_view bytes_;
    size_t begin_ = 0;
    CListingSource* source_ = nullptr;  // null: nothing more to read
    std::string buffer_;                // holds the bytes from a source
    size_t filled_ = 0;
};

}  // namespace qln
