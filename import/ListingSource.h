// Where a listing's text comes from when it is read a block at a time
// rather than held whole: a listing of hundreds of megabytes then passes
// through a small buffer that stays in the processor's cache.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace qln {

class CListingSource {
public:
    virtual ~CListingSource() = default;
    // Copies up to size of the next bytes into `into`; returns how many
    // were copied, 0 at the end of the text (and after a read error).
    virtual size_t Read(char* into, size_t size) = 0;
};

// An open file, read up to a given length (the size it had when the import
// began: bytes added since are not read).
class CFileListingSource : public CListingSource {
public:
    CFileListingSource(std::FILE* file, std::uintmax_t length) : file_(file), left_(length) {}
    size_t Read(char* into, size_t size) override;
    bool Failed() const { return std::ferror(file_) != 0; }

private:
    std::FILE* file_;
    std::uintmax_t left_;
};

}  // namespace qln
