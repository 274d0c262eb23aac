#include "import/ProjectImport.h"

#include <cstdio>
#include <memory>
#include <new>
#include <stdexcept>

#include "model/ProjectFile.h"

namespace qln {

CProjectImportResult ReadProjectSequences(const std::string& path, CProjectProgress* progress) {
    CProjectImportResult result;
    if (path.size() < 3) {
        result.status = CProjectImportResult::Status::InvalidName;
        result.message = kInvalidProjectName;
        return result;
    }
    {
        std::unique_ptr<std::FILE, int (*)(std::FILE*)> probe(std::fopen(path.c_str(), "rb"), &std::fclose);
        if (!probe) {
            result.status = CProjectImportResult::Status::CannotOpen;
            result.message = kCannotOpenProjectFile;
            return result;
        }
    }

    Ptr<CProject> other;
    try {
        other = LoadProjectFile(path, progress);
    } catch (const std::exception&) {
        // Archive faults, residue files that can't be written, no memory:
        // the project is not read, whatever the cause.
        result.status = CProjectImportResult::Status::NotRead;
        result.message = kProjectFileNotRead;
        return result;
    }

    // The sequences outlive the project they were read with; they get their
    // new project when they are added to it.
    for (const Ptr<CSequence>& sequence : other->GetSequences()) {
        sequence->SetParent(nullptr);
        sequence->SetProject(nullptr);
        result.sequences.Add(sequence);
    }
    result.status = CProjectImportResult::Status::Loaded;
    return result;
}

}  // namespace qln
