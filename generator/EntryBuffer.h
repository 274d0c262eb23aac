// The text of the entry being assembled. It goes to the stream in one write
// at the end of the entry, or in large pieces while a long residue block is
// laid out, so that memory stays small whatever the sequence length.
#pragma once

#include <ostream>
#include <string>

namespace qln {

class CEntryBuffer {
public:
    static constexpr size_t kPieceSize = size_t{1} << 20;

    explicit CEntryBuffer(std::ostream& out) : out_(out) {}

    std::string& Text() { return text_; }
    // Writes what was assembled and empties the buffer.
    void Write();
    // Writes once the buffer holds a large piece.
    void WriteIfLarge() {
        if (text_.size() >= kPieceSize) Write();
    }
    // Forgets what was assembled but not written.
    void Discard() { text_.clear(); }

private:
    std::ostream& out_;
    std::string text_;
};

}  // namespace qln
