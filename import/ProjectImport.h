// Reading the sequences of another project file, to be added to the open
// project. Only the sequences come over (with their features, publications
// and comments); the other project's data and applicants stay behind.
#pragma once

#include <string>

#include "model/Model.h"
#include "model/ProjectProgress.h"
#include "model/Sequence.h"

namespace qln {

inline constexpr const char* kInvalidProjectName = "Invalid project name.";
inline constexpr const char* kCannotOpenProjectFile = "Unable to open the project file.";
inline constexpr const char* kProjectFileNotRead = "No project file specified.";

struct CProjectImportResult {
    enum class Status {
        Loaded,       // sequences holds the project's sequences in project order
        InvalidName,  // a path of fewer than 3 characters
        CannotOpen,   // the file can't be opened for reading
        NotRead,      // the file is no project, or a residue file failed
    };
    Status status = Status::NotRead;
    // The text for the user: empty when loaded, else one of the texts above.
    std::string message;
    // Detached from the project they were read with: no parent, no project.
    CArray<Ptr<CSequence>> sequences;
};

// Loads the project file at path (progress receives its "Sequences Loaded"
// texts) and hands out its sequences.
CProjectImportResult ReadProjectSequences(const std::string& path, CProjectProgress* progress = nullptr);

}  // namespace qln
