#include "import/ListingSource.h"

#include <algorithm>

namespace qln {

size_t CFileListingSource::Read(char* into, size_t size) {
    const size_t wanted = static_cast<size_t>(std::min<std::uintmax_t>(size, left_));
    if (wanted == 0) return 0;
    const size_t read = std::fread(into, 1, wanted, file_);
    left_ -= read;
    return read;
}

}  // namespace qln
