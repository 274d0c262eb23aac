// What the export tests share: where WIPO's files and the shared sample are,
// and the errors the product's verifier finds in a listing.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "export/St26Verifier.h"
#include "support/SharedFolder.h"

namespace qln::test {

// WIPO's files and the shared sample; the tests that need them skip when the
// folder is missing.
inline std::filesystem::path St26Folder() { return SharedFolder("st26"); }

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
