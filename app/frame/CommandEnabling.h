// When the main window's commands are available, decided from a few facts
// about the open project and its output files.
#pragma once

#include <string>

namespace qln {

struct CFrameFacts {
    bool hasCurrentSequence = false;
    std::string currentTypeName;          // type text of the current sequence
    bool organismCommentAllowed = false;  // artificial or unknown organism
    bool hasProjectPath = false;
    bool listingExists = false;
    bool errorReportExists = false;
};

class CCommandEnabling {
public:
    explicit CCommandEnabling(const CFrameFacts& facts) : facts_(facts) {}

    static bool WorkInProgress() { return true; }
    bool ViewListing() const { return facts_.listingExists; }
    bool ViewErrorReport() const { return facts_.errorReportExists; }
    bool CopyToDisk() const { return facts_.listingExists; }
    bool RenameSequence() const { return facts_.hasCurrentSequence; }
    bool Generate() const { return facts_.hasCurrentSequence && facts_.hasProjectPath; }
    bool OrganismComment() const { return facts_.hasCurrentSequence && facts_.organismCommentAllowed; }

    // Project data, prior applications and applicants: always available.
    static bool ProjectScreens() { return true; }
    // The screens of the current sequence. Custom codons: nucleotide sequences only.
    bool CustomCodons() const { return facts_.hasCurrentSequence && facts_.currentTypeName.rfind("PRT", 0) != 0; }
    bool FeatureData() const { return facts_.hasCurrentSequence; }
    bool Publications() const { return facts_.hasCurrentSequence; }

private:
    CFrameFacts facts_;
};

}  // namespace qln
