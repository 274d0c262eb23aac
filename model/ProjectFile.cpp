#include "model/ProjectFile.h"

#include <cstdio>

#include "model/FileHandle.h"
#include "model/FileReplacement.h"

namespace qln {

namespace {

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

SaveResult SaveProjectFile(CProject& project, const std::string& path, CProjectProgress* progress) {
    CFileReplacement replacement(path);
    FileHandle file(replacement.IsReserved() ? std::fopen(replacement.TemporaryPath().c_str(), "wb") : nullptr);
    if (!file) throw CArchiveException(CArchiveException::Cause::WriteError, path);
    CFileSink sink(file.get(), path);
    const SaveResult result = StoreProject(project, sink, path, progress);
    if (std::fclose(file.release()) != 0) throw CArchiveException(CArchiveException::Cause::WriteError, path);
    if (result == SaveResult::Cancelled) return result;  // the replacement removes what was written
    if (!replacement.Commit()) throw CArchiveException(CArchiveException::Cause::WriteError, path);
    return result;
}

Ptr<CProject> LoadProjectFile(const std::string& path, CProjectProgress* progress) {
    FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file) throw CArchiveException(CArchiveException::Cause::ReadError, path);
    CFileSource source(file.get(), path);
    return LoadProject(source, path, progress);
}

}  // namespace qln
