#include "generator/OutputNames.h"

namespace qln {

std::string ProjectPathStem(const std::string& projectPath) {
    const size_t separator = projectPath.find_last_of("/\\");
    const size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
    const size_t dot = projectPath.rfind('.');
    if (dot == std::string::npos || dot < nameStart) return projectPath;
    return projectPath.substr(0, dot);
}

COutputNames MakeOutputNames(const std::string& projectPath) {
    if (projectPath.empty()) return {};
    const std::string stem = ProjectPathStem(projectPath);
    return {stem + kListingSuffix, stem + kErrorReportSuffix, stem + kWorkFileSuffix};
}

}  // namespace qln
