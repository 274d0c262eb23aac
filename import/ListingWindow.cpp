#include "import/ListingWindow.h"

#include <algorithm>
#include <cstring>

namespace qln {

void CListingWindow::Open(std::string_view text) {
    Close();
    bytes_ = text;
}

void CListingWindow::Open(CListingSource& source) {
    Close();
    source_ = &source;
}

void CListingWindow::Close() {
    bytes_ = {};
    begin_ = 0;
    source_ = nullptr;
    std::string().swap(buffer_);
    filled_ = 0;
}

// What is kept moves to the front of the buffer. The buffer grows only when
// what must be kept leaves less than a block free: a line or a look-ahead
// longer than the buffer.
bool CListingWindow::Extend(size_t keepFrom) {
    if (!source_) return false;
    const size_t drop = std::clamp(keepFrom, begin_, End()) - begin_;
    if (drop > 0) {
        std::memmove(buffer_.data(), buffer_.data() + drop, filled_ - drop);
        filled_ -= drop;
        begin_ += drop;
    }
    if (buffer_.size() < filled_ + kBlock) buffer_.resize(filled_ + kBlock);
    const size_t read = source_->Read(buffer_.data() + filled_, buffer_.size() - filled_);
    filled_ += read;
    bytes_ = std::string_view(buffer_.data(), filled_);
    if (read == 0) source_ = nullptr;
    return read > 0;
}

}  // namespace qln
