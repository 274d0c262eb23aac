// Reading and writing whole project files.
#pragma once

#include <string>

#include "model/Archive.h"
#include "model/Project.h"
#include "model/ProjectProgress.h"

namespace qln {

enum class SaveResult { Saved, Cancelled };

// Writes the project as an archive. When the progress reports a cancel the
// sequences stop and the body is left incomplete: the caller discards it.
SaveResult StoreProject(CProject& project, CByteSink& sink, const std::string& fileName,
                        CProjectProgress* progress = nullptr);
// Reads one project; anything else at the top is an unexpected format.
// Throws CArchiveException for every fault in the bytes.
Ptr<CProject> LoadProject(CByteSource& source, const std::string& fileName, CProjectProgress* progress = nullptr);

// File forms. Saving writes a temporary file beside the target and renames
// it over the target only when everything was written, so a failure or a
// cancel leaves the previous file as it was.
SaveResult SaveProjectFile(CProject& project, const std::string& path, CProjectProgress* progress = nullptr);
Ptr<CProject> LoadProjectFile(const std::string& path, CProjectProgress* progress = nullptr);

}  // namespace qln
