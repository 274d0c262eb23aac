// The questions an import asks its user. The application answers with its
// dialogs, the command-line program with fixed defaults, tests with scripts.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/Applicant.h"
#include "model/Model.h"

namespace qln {

class CImportChoices {
public:
    // Sequence types as the type questions give them, in their button order.
    enum TypeIndex { kDNA = 0, kRNA = 1, kDNARNA = 2, kProtein1 = 3 };

    virtual ~CImportChoices() = default;

    // A sequence file without headers: "DNA", "RNA", "DNA/RNA", "PROTEIN/1"
    // or "PROTEIN/3"; nothing when the user cancels.
    virtual std::optional<std::string> ChooseSequenceFileType(const std::string& fileName) = 0;
    // A sequence type the user fixed before the import (the command line's
    // --type): it then wins over what a FASTA file's letters show.
    virtual std::optional<std::string> GivenSequenceType() { return std::nullopt; }
    // The applicant name lines of a listing, split into individual and
    // organization records; nothing when the user cancels.
    virtual std::optional<std::vector<CNameAttribute>> SplitApplicantNames(const StringList& names) = 0;
    // A listing sequence with an invalid or missing type: one of TypeIndex;
    // nothing when the question cannot be asked.
    virtual std::optional<int> ChooseInvalidSequenceType(const std::string& message,
                                                         const std::string& sequenceLines) = 0;
    // A skipped listing sequence without a type: one of TypeIndex.
    virtual std::optional<int> ChooseSkippedSequenceType(const std::string& prompt) = 0;
    // Several imported sequences: the 0-based entries to keep, in list order;
    // nothing when the user cancels.
    virtual std::optional<std::vector<int>> SelectSequences(const StringList& entries) = 0;
    // A sequence whose name is taken: the new name; nothing to stop the import.
    virtual std::optional<std::string> RenameDuplicate(const std::string& name) = 0;
};

// Where an importer reports its progress and learns of a stop request.
class CImportProgress {
public:
    static constexpr int kSequencesAnalyzed = 1032;  // value: sequences analysed so far
    static constexpr int kProgressPosition = 1040;   // value: 1 to 100

    virtual ~CImportProgress() = default;
    virtual void Command(int code, int value) { (void)code, (void)value; }
    virtual void SetTitle(const std::string& title) { (void)title; }
    virtual bool IsStopRequested() { return false; }
};

}  // namespace qln
