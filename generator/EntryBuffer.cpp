#include "generator/EntryBuffer.h"

namespace qln {

void CEntryBuffer::Write() {
    if (text_.empty()) return;
    out_.write(text_.data(), static_cast<std::streamsize>(text_.size()));
    text_.clear();
}

}  // namespace qln
