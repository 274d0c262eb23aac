// The project checks before generation, the short and empty sequence
// warnings, and the main view's check of one sequence.
#include "generator/ProjectChecks.h"

#include <string>
#include <vector>

#include "model/AsciiText.h"

namespace qln {

namespace {

struct Warning {
    std::string text;
    bool noData;
};

std::string NoDataWarning(const std::string& name) { return "Warning: Sequence <" + name + "> has no sequence data."; }
std::string ShortProteinWarning(const std::string& name) {
    return "Warning: Sequence <" + name + "> should contain at least four amino acids.";
}
std::string ShortNucleotideWarning(const std::string& name) {
    return "Warning: Sequence <" + name + "> should contain at least ten nucleotides.";
}

// The project form: a sequence that never had residues (no text, no residue
// file) has no data; an empty count ("000") gives no length warning.
std::vector<Warning> ProjectWarnings(CSequence& sequence) {
    std::vector<Warning> warnings;
    const std::string& name = sequence.GetName();
    if (sequence.GetResidues().empty() && sequence.GetTemporaryFilePath().empty())
        warnings.push_back({NoDataWarning(name), true});
    const int count = sequence.GetResidueCount();
    const bool protein = sequence.GetTypeName() == CProteinSequence::kTypeName;
    if (protein && count >= 1 && count <= 3) warnings.push_back({ShortProteinWarning(name), false});
    if (!protein && count >= 1 && count <= 9) warnings.push_back({ShortNucleotideWarning(name), false});
    return warnings;
}

template <class T>
void CheckRecords(CArray<Ptr<T>>& records, CCheckSink& sink) {
    int row = 0;
    for (auto& record : records)
        for (const std::string& message : StringList(record->Validate(++row))) sink.AddMessage(message);
}

// Keeps every message of the run in the project's messages.
class CProjectMessages : public CCheckSink {
public:
    explicit CProjectMessages(StringList& messages) : messages_(messages) {}
    void AddMessage(const std::string& text) override { messages_.push_back(text); }

private:
    StringList& messages_;
};

}  // namespace

StringList ProjectSequenceWarnings(CSequence& sequence) {
    StringList texts;
    for (Warning& warning : ProjectWarnings(sequence)) texts.push_back(std::move(warning.text));
    return texts;
}

// The main view's form: any empty text has no data; otherwise the length
// rules apply from zero up, so "000" gets a length warning here.
StringList ViewSequenceWarnings(CSequence& sequence) {
    const std::string& name = sequence.GetName();
    if (sequence.GetResidues().empty()) return {NoDataWarning(name)};
    const int count = sequence.GetResidueCount();
    if (EqualsIgnoringCase(sequence.GetTypeName(), CProteinSequence::kTypeName)) {
        if (count < 4) return {ShortProteinWarning(name)};
    } else if (count < 10) {
        return {ShortNucleotideWarning(name)};
    }
    return {};
}

CViewCheckResult CheckSequenceForView(CSequence& sequence) {
    CViewCheckResult result;
    result.messages = sequence.Validate(0);
    for (std::string& warning : ViewSequenceWarnings(sequence)) result.messages.push_back(std::move(warning));
    result.statusText = result.messages.empty() ? "Validation is successful." : "Validation is unsuccessful.";
    return result;
}

void RunProjectChecks(CProject& project, CCheckSink& sink) {
    if (CProjectData* data = project.GetProjectData())
        for (const std::string& message : StringList(data->Validate(0))) sink.AddMessage(message);
    CheckRecords(project.GetPriorApplications(), sink);
    CheckRecords(project.GetOrgApplicants(), sink);
    CheckRecords(project.GetIndivApplicants(), sink);
    if (project.GetIndivApplicants().IsEmpty() && project.GetOrgApplicants().IsEmpty())
        sink.AddMessage("There must be an individual or organizational applicant name.");

    // Skipped sequences keep their number; each checked one is in memory only
    // for its own check.
    int number = 0;
    for (const Ptr<CSequence>& sequence : project.GetSequences()) {
        ++number;
        if (sink.IsCancelled()) return;
        if (sequence->IsSkipped()) continue;
        sequence->LoadResidues();
        for (const std::string& message : StringList(sequence->Validate(number))) sink.AddMessage(message);
        sink.SequenceChecked(number);
        for (const Warning& warning : ProjectWarnings(*sequence)) sink.AddWarning(warning.text, warning.noData);
        sequence->UnloadResidues();
    }
}

const StringList& CProject::Validate(int) {
    StringList& messages = GetMessages();
    messages.clear();
    CProjectMessages sink(messages);
    RunProjectChecks(*this, sink);
    return messages;
}

}  // namespace qln
