// Writes a project as a WIPO ST.26 XML sequence listing, with a conversion
// report that names every default, change and drop. The SEQ ID numbers are
// those of the ST.25 listing: derived protein entries become protein
// sequences of their own. A project with errors that would make the listing
// invalid gets only the report; nothing is written under the output name.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "export/St26Choices.h"
#include "export/St26Findings.h"
#include "export/St26Report.h"

namespace qln {

class CProject;

inline constexpr const char* kSt26ListingSuffix = "_ST26.xml";
inline constexpr const char* kSt26ReportSuffix = "_ST26Report.txt";

enum class St26Outcome {
    Written,           // the XML and the report, nothing to confirm
    WrittenToConfirm,  // the XML and the report, with defaults to confirm
    Refused,           // errors: the report only
    Failed,            // a file could not be written or read; see GetFailure()
};

// One sequence of the project as it is exported, for the export dialog.
struct CSt26SequenceRow {
    int seqId = 0;
    std::string name;
    std::string type;      // the project's type name ("DNA", "PRT", ...)
    std::string moltype;   // "DNA", "RNA", "AA"; empty for a skipped sequence
    std::string organism;  // as exported; empty for a skipped sequence
    std::string molType;   // chosen or default
    bool molTypeIsDefault = false;
};

class CSt26Export {
public:
    // The project must not change while the export runs. projectPath names
    // the outputs ("<stem>_ST26.xml", "<stem>_ST26Report.txt").
    CSt26Export(CProject& project, std::string projectPath, CSt26Choices choices);
    ~CSt26Export();
    CSt26Export(const CSt26Export&) = delete;
    CSt26Export& operator=(const CSt26Export&) = delete;

    // Another XML path than the one beside the project; the report is
    // written beside it, named after it.
    void SetOutputPath(std::string xmlPath);
    // "CCYY-MM-DD"; today by default.
    void SetProductionDate(std::string date);
    // The software version written in the listing.
    void SetSoftwareVersion(std::string version);
    // Asked between sequences; true stops the export (outcome Failed,
    // nothing written).
    void SetCancelCheck(std::function<bool()> isCancelled);

    // The project's sequences with their SEQ IDs, organisms and mol_types
    // as an export would write them. Reads every sequence's residues.
    std::vector<CSt26SequenceRow> Rows();

    St26Outcome Run();

    const std::string& GetXmlPath() const;
    const std::string& GetReportPath() const;
    const CSt26Report& GetReport() const;
    // What the verifier found in the listing written; empty when none was.
    const CSt26Findings& GetVerification() const;
    // Why the outcome is Failed, naming the file.
    const std::string& GetFailure() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace qln
