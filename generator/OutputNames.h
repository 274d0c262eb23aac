// The files a generation writes beside the project file: the listing, the
// error report and the work file, each named after the project file.
#pragma once

#include <string>

namespace qln {

struct COutputNames {
    std::string listing;      // "<project>_ST25.txt"
    std::string errorReport;  // "<project>_ErrorLog.txt"
    std::string workFile;     // "<project>_WorkFile.txt"

    // True when no project path was given (an unsaved project).
    bool IsEmpty() const { return listing.empty(); }
};

inline constexpr const char* kListingSuffix = "_ST25.txt";
inline constexpr const char* kErrorReportSuffix = "_ErrorLog.txt";
inline constexpr const char* kWorkFileSuffix = "_WorkFile.txt";

// The project path without the extension of its file name: cut at the last
// "." after the last folder separator ("/" or "\"); a file name without a
// "." is kept whole. An empty path gives an empty text.
std::string ProjectPathStem(const std::string& projectPath);

// All three names; empty names for an empty project path.
COutputNames MakeOutputNames(const std::string& projectPath);

}  // namespace qln
