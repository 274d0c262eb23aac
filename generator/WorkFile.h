// The work-in-progress report: every field of the project, one labelled
// item to a line, whether or not the data are valid.
#pragma once

#include <ostream>
#include <string>

#include "model/Project.h"

namespace qln {

inline constexpr const char* kWorkFileOpenFailed = "I/O error opening error log file.";
inline constexpr const char* kWorkFileWriteFailed = "I/O error creating user work file.";

struct CWorkFileResult {
    bool written = false;
    // The text to show when the report could not be written, else empty.
    std::string message;
};

// Writes the sections in order: organization applicants, individual
// applicants, the project data, prior applications, then each sequence with
// its features and publications. Each sequence's residues are loaded for its
// section and parked again afterwards, so a residue file that can't be read
// or written throws CResidueFileError. The caller checks the stream.
void WriteWorkFile(CProject& project, std::ostream& out);

// Writes the report to the file, replacing it. Fails with kWorkFileOpenFailed
// when the file can't be opened and kWorkFileWriteFailed when writing fails;
// residue file errors are thrown as above.
CWorkFileResult WriteWorkFile(CProject& project, const std::string& path);

}  // namespace qln
