// What the export tests share: where WIPO's files and the shared sample are,
// and the errors the product's verifier finds in a listing.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "export/St26Verifier.h"

namespace qln::test {

// shared/st26 stands beside the checkout, as CI lays it out; empty when it
// is nowhere, and the tests that need it skip.
inline std::filesystem::path St26Folder() {
    for (const std::filesystem::path& folder :
         {std::filesystem::path(QLN_SOURCE_DIR) / ".." / "shared" / "st26", std::filesystem::path("/work/shared/st26")})
        if (std::filesystem::is_directory(folder)) return folder;
    return {};
}

// Every error of the verification, one line each; none when it passes.
inline std::vector<std::string> St26Errors(const CSt26Findings& findings) {
    std::vector<std::string> errors;
    for (const CSt26Finding& finding : findings.Items())
        if (finding.severity == CSt26Finding::Severity::Error) errors.push_back(finding.Text());
    return errors;
}

inline std::vector<std::string> VerifySt26(const std::string& xmlPath) {
    return St26Errors(CSt26Verifier::VerifyFile(xmlPath));
}

}  // namespace qln::test
