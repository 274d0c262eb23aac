// The shared folder the build names with its QLN_SHARED_DIR setting: the
// published listings (corpus/st25/) and WIPO's ST.26 files (st26/). Tests
// that need it skip, with SharedFolderMissing's reason, when it is not there.
#pragma once

#include <filesystem>
#include <string>

namespace qln::test {

// A folder inside the shared folder; it may not exist.
inline std::filesystem::path SharedFolder(const std::string& inside) {
    return std::filesystem::path(QLN_SHARED_DIR) / inside;
}

inline std::string SharedFolderMissing(const std::filesystem::path& folder) {
    return folder.string() + " is missing: point the CMake setting QLN_SHARED_DIR at the shared folder";
}

}  // namespace qln::test
