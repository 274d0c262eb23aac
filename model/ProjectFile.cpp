#include "model/ProjectFile.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>

namespace qln {

namespace fs = std::filesystem;

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Lends the project a progress receiver for the duration of one save or load.
class ProgressScope {
public:
    ProgressScope(CProject& project, CProjectProgress* progress) : project_(project) { project_.SetProgress(progress); }
    ~ProgressScope() { project_.SetProgress(nullptr); }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

private:
    CProject& project_;
};

// A name beside the target that no other save of ours is using.
std::string TemporaryNameBeside(const std::string& path) {
    std::random_device device;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string candidate = path + ".saving-" + std::to_string(device() % 1000000);
        if (!fs::exists(candidate)) return candidate;
    }
    return path + ".saving";
}

}  // namespace

SaveResult StoreProject(CProject& project, CByteSink& sink, const std::string& fileName, CProjectProgress* progress) {
    ProgressScope scope(project, progress);
    CArchive ar(sink, fileName);
    ar.WriteObject(&project);
    ar.Flush();
    return project.WasSaveCancelled() ? SaveResult::Cancelled : SaveResult::Saved;
}

Ptr<CProject> LoadProject(CByteSource& source, const std::string& fileName, CProjectProgress* progress) {
    CArchive ar(source, fileName);
    Ptr<CProject> project;
    {
        // The project reports its loading through the progress it is given
        // before its body is read.
        CProject::LoadProgress loadProgress(progress);
        CModel* top = ar.ReadObject(CModel::runtimeClass);
        if (!top || !top->IsKindOf(CProject::runtimeClass)) ar.Fail(CArchiveException::Cause::UnexpectedFormat);
        project = static_cast<CProject*>(top);
    }
    project->SetParent(nullptr);
    return project;
}

namespace {

// A save killed before its rename leaves its temporary file behind; the next
// save of the same project removes those, and only those.
void RemoveStaleSaves(const std::string& path) {
    const fs::path target(path);
    const std::string prefix = target.filename().string() + ".saving";
    std::error_code ec;
    for (fs::directory_iterator it(target.parent_path().empty() ? fs::path(".") : target.parent_path(), ec), end;
         !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.compare(0, prefix.size(), prefix) != 0) continue;
        const std::string rest = name.substr(prefix.size());
        const bool ours = rest.empty() || (rest.size() > 1 && rest[0] == '-' &&
                                           rest.find_first_not_of("0123456789", 1) == std::string::npos);
        std::error_code removeError;
        if (ours && it->is_regular_file(removeError)) fs::remove(it->path(), removeError);
    }
}

}  // namespace

SaveResult SaveProjectFile(CProject& project, const std::string& path, CProjectProgress* progress) {
    RemoveStaleSaves(path);
    const std::string temporary = TemporaryNameBeside(path);
    FileHandle file(std::fopen(temporary.c_str(), "wbx"));
    if (!file) throw CArchiveException(CArchiveException::Cause::WriteError, path);
    SaveResult result;
    try {
        CFileSink sink(file.get(), path);
        result = StoreProject(project, sink, path, progress);
        if (std::fclose(file.release()) != 0) throw CArchiveException(CArchiveException::Cause::WriteError, path);
    } catch (...) {
        file.reset();
        std::error_code ec;
        fs::remove(temporary, ec);
        throw;
    }
    std::error_code ec;
    if (result == SaveResult::Cancelled) {
        fs::remove(temporary, ec);
        return result;
    }
    fs::rename(temporary, path, ec);
    if (ec) {
        fs::remove(temporary, ec);
        throw CArchiveException(CArchiveException::Cause::WriteError, path);
    }
    return result;
}

Ptr<CProject> LoadProjectFile(const std::string& path, CProjectProgress* progress) {
    FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file) throw CArchiveException(CArchiveException::Cause::ReadError, path);
    CFileSource source(file.get(), path);
    return LoadProject(source, path, progress);
}

}  // namespace qln
