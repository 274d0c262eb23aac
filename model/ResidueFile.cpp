#include "model/ResidueFile.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <mutex>
#include <random>

#include "model/Archive.h"
#include "model/FileHandle.h"

namespace qln {

namespace fs = std::filesystem;

namespace {

std::mutex folderMutex;
fs::path folder;  // guarded by folderMutex
std::atomic<unsigned> counter{0};

fs::path TemporaryRoot() {
    if (const char* tmp = std::getenv("TMP"); tmp && *tmp) return fs::path(tmp);
    return fs::temp_directory_path();
}

std::string RandomSuffix() {
    static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device device;
    std::string suffix;
    for (int i = 0; i < 16; ++i) suffix += kChars[device() % (sizeof kChars - 1)];
    return suffix;
}

// Makes the private folder: a new directory under an unpredictable name,
// readable and writable by this user only. create_directory fails on an
// existing name, so nobody can hand us a folder or link of their own.
fs::path CreatePrivateFolder() {
    const fs::path root = TemporaryRoot();
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = root / ("quillion-" + RandomSuffix());
        std::error_code ec;
        if (fs::create_directory(candidate, ec)) {
            fs::permissions(candidate, fs::perms::owner_all, fs::perm_options::replace, ec);
            if (ec) {
                fs::remove(candidate);
                break;
            }
            return candidate;
        }
        if (ec && ec != std::errc::file_exists) break;
    }
    throw CResidueFileError(CResidueFileError::Kind::Write);
}

}  // namespace

const char* CResidueFileError::MessageFor(Kind kind) {
    switch (kind) {
    case Kind::Read: return "Can't read temporary file.  The disk may be full.";
    case Kind::Write: return "Can't write temporary file.  The disk may be full.";
    case Kind::General: return "General Error.";
    }
    return "General Error.";
}

CResidueFileError::CResidueFileError(Kind kind) : std::runtime_error(MessageFor(kind)), kind_(kind) {}

std::string CResidueFiles::MakeFileName() {
    std::lock_guard lock(folderMutex);
    if (folder.empty() || !fs::is_directory(folder)) folder = CreatePrivateFolder();
    return (folder / ("Seq" + std::to_string(++counter) + ".qln")).string();
}

void CResidueFiles::Write(const std::string& path, const std::string& residues) {
    std::error_code ec;
    fs::remove(path, ec);
    // "x": fail rather than write through anything that appeared under the name.
    FileHandle file(std::fopen(path.c_str(), "wbx"));
    if (!file) throw CResidueFileError(CResidueFileError::Kind::Write);
    try {
        CFileSink sink(file.get(), path);
        CArchive ar(sink, path);
        ar.WriteString(residues);
        ar.Flush();
    } catch (const CArchiveException&) {
        throw CResidueFileError(CResidueFileError::Kind::Write);
    } catch (const std::bad_alloc&) {
        throw CResidueFileError(CResidueFileError::Kind::General);
    }
    if (std::fclose(file.release()) != 0) throw CResidueFileError(CResidueFileError::Kind::Write);
}

std::string CResidueFiles::Read(const std::string& path) {
    FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file) throw CResidueFileError(CResidueFileError::Kind::Read);
    try {
        CFileSource source(file.get(), path);
        CArchive ar(source, path);
        return ar.ReadString();
    } catch (const CArchiveException&) {
        throw CResidueFileError(CResidueFileError::Kind::Read);
    }
}

void CResidueFiles::RemoveAll() {
    std::lock_guard lock(folderMutex);
    if (folder.empty()) return;
    std::error_code ec;
    // Only our own names: the folder is private, but deleting what we did not
    // make is never right.
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("Seq", 0) == 0 && entry.path().extension() == ".qln") fs::remove(entry.path(), ec);
    }
    fs::remove(folder, ec);
    folder.clear();
}

std::string CResidueFiles::GetFolder() {
    std::lock_guard lock(folderMutex);
    return folder.string();
}

}  // namespace qln
