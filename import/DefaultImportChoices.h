// The answers an import gets when nobody can be asked (the command-line
// program, the fuzz targets): one sequence type for every type question, all
// sequences taken, applicant names with a comma split as individuals, and a
// clashing sequence name replaced by the first free name + "_" + 2, 3, ...
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "import/ImportChoices.h"
#include "model/Project.h"

namespace qln {

class CDefaultImportChoices : public CImportChoices {
public:
    // project: where a renamed sequence's name must be free (it may be set
    // later); sequenceType: one of the five type keywords.
    explicit CDefaultImportChoices(const CProject* project = nullptr, std::string sequenceType = "DNA");

    void SetProject(const CProject* project) {
        project_ = project;
        nextSuffix_.clear();
    }
    const std::string& GetSequenceType() const { return sequenceType_; }
    // True when the user named the type, so that it wins over FASTA letters.
    void SetTypeGiven(bool given) { typeGiven_ = given; }

    // "DNA", "RNA", "DNA/RNA", "PROTEIN/1" or "PROTEIN/3" for a type given in
    // any letter case; nothing for anything else.
    static std::optional<std::string> NormalizeType(const std::string& type);
    // A name line with a comma is an individual, split by the dialog's rule,
    // with the list text Add gives it; any other line is an organization.
    static CNameAttribute DefaultNameRecord(const std::string& name);

    std::optional<std::string> ChooseSequenceFileType(const std::string& fileName) override;
    std::optional<std::string> GivenSequenceType() override;
    std::optional<std::vector<CNameAttribute>> SplitApplicantNames(const StringList& names) override;
    // The listing's type questions offer no three-letter protein: PROTEIN/3
    // answers as one-letter protein.
    std::optional<int> ChooseInvalidSequenceType(const std::string& message, const std::string& sequenceLines) override;
    std::optional<int> ChooseSkippedSequenceType(const std::string& prompt) override;
    std::optional<std::vector<int>> SelectSequences(const StringList& entries) override;
    std::optional<std::string> RenameDuplicate(const std::string& name) override;

private:
    int TypeIndex() const;

    const CProject* project_;
    std::string sequenceType_;
    bool typeGiven_ = false;
    // Where the search for a free name ended, per clashing name: names are
    // only ever added during an import, so the next search starts there and
    // many clashes on one name stay cheap.
    std::map<std::string, int> nextSuffix_;
};

}  // namespace qln
