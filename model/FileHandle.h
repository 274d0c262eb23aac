// An open C stream that is closed when its handle goes.
#pragma once

#include <cstdio>
#include <memory>

namespace qln {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace qln
