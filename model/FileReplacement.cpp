#include "model/FileReplacement.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <random>
#include <set>

namespace qln {

namespace fs = std::filesystem;

namespace {

constexpr const char* kTemporaryMark = ".saving";

// The temporary files of this process's writes in progress: another write
// of the same target must neither take their names nor remove them.
std::mutex reservedMutex;
std::set<std::string> reserved;  // guarded by reservedMutex

// "target.saving" or "target.saving-<digits>": what a write of the target
// leaves when it is killed before its rename.
bool IsTemporaryOf(const std::string& name, const std::string& targetName) {
    const std::string prefix = targetName + kTemporaryMark;
    if (name.compare(0, prefix.size(), prefix) != 0) return false;
    const std::string rest = name.substr(prefix.size());
    return rest.empty() ||
           (rest.size() > 1 && rest[0] == '-' && rest.find_first_not_of("0123456789", 1) == std::string::npos);
}

// Called with reservedMutex held.
void RemoveStaleTemporaries(const std::string& target) {
    const fs::path path(target);
    const fs::path beside = path.parent_path().empty() ? fs::path(".") : path.parent_path();
    const std::string targetName = path.filename().string();
    std::error_code ec;
    for (fs::directory_iterator it(beside, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!IsTemporaryOf(name, targetName) || reserved.count(target + name.substr(targetName.size()))) continue;
        std::error_code removeError;
        if (it->is_regular_file(removeError)) fs::remove(it->path(), removeError);
    }
}

}  // namespace

CFileReplacement::CFileReplacement(std::string target) : target_(std::move(target)) {
    std::lock_guard lock(reservedMutex);
    RemoveStaleTemporaries(target_);
    std::random_device device;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string candidate = target_ + kTemporaryMark + "-" + std::to_string(device() % 1000000);
        if (reserved.count(candidate)) continue;
        // "x": fails when the name exists, whoever made it.
        if (std::FILE* file = std::fopen(candidate.c_str(), "wbx")) {
            std::fclose(file);
            temporary_ = std::move(candidate);
            reserved.insert(temporary_);
            return;
        }
        error_ = std::error_code(errno, std::generic_category());
        if (error_ != std::errc::file_exists) return;
    }
}

CFileReplacement::~CFileReplacement() { Discard(); }

bool CFileReplacement::Commit() {
    if (temporary_.empty()) return false;
    std::error_code ec;
    fs::rename(temporary_, target_, ec);
    if (ec) {
        error_ = ec;
        Discard();
        return false;
    }
    Release();
    return true;
}

void CFileReplacement::Discard() {
    if (temporary_.empty()) return;
    std::error_code ec;
    fs::remove(temporary_, ec);
    Release();
}

void CFileReplacement::Release() {
    std::lock_guard lock(reservedMutex);
    reserved.erase(temporary_);
    temporary_.clear();
}

}  // namespace qln
