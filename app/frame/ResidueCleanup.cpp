#include "app/frame/ResidueCleanup.h"

#include <filesystem>
#include <system_error>

#include "model/AsciiText.h"

namespace qln {

namespace fs = std::filesystem;

CResidueCleanup::CResidueCleanup(const std::string& folder)
{
    if (folder.empty()) return;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        // Only plain files: a link or folder planted under our name stays.
        if (it->is_regular_file(ec) && !it->is_symlink(ec) && IsResidueFileName(it->path().filename().string()))
            files_.push_back(it->path().string());
    }
}

bool CResidueCleanup::IsResidueFileName(const std::string& name)
{
    constexpr std::string_view kPrefix = "Seq";
    constexpr std::string_view kSuffix = ".qln";
    if (name.size() <= kPrefix.size() + kSuffix.size()) return false;
    if (name.compare(0, kPrefix.size(), kPrefix) != 0) return false;
    if (name.compare(name.size() - kSuffix.size(), kSuffix.size(), kSuffix) != 0) return false;
    const auto digits = std::string_view(name).substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
    return IsAsciiNumber(digits);
}

int CResidueCleanup::Run(const std::function<void(int)>& progress)
{
    int handled = 0;
    int deleted = 0;
    const int total = Count();
    for (const std::string& file : files_) {
        std::error_code ec;
        if (fs::remove(file, ec)) ++deleted;
        ++handled;
        if (progress && (handled % kReportEvery == 0 || handled == total)) progress(handled);
    }
    files_.clear();
    return deleted;
}

}  // namespace qln
