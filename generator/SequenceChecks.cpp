// The record checks of a sequence: publications, required fields, the
// comment of an artificial or unknown organism, residues and features; and
// the check for unknown residues that no feature explains.
#include <string>

#include "model/AsciiText.h"
#include "model/Feature.h"
#include "model/Project.h"
#include "model/Publication.h"
#include "model/Sequence.h"

namespace qln {

namespace {

// Each record with its 1-based row in its own list.
template <class T>
void AppendRecordChecks(CArray<Ptr<T>>& records, StringList& messages) {
    int row = 0;
    for (auto& record : records) {
        const StringList found = record->Validate(++row);
        messages.insert(messages.end(), found.begin(), found.end());
    }
}

}  // namespace

// Appends to the messages; the concrete kinds clear them first.
const StringList& CSequence::Validate(int row) {
    StringList& messages = GetMessages();

    AppendRecordChecks(GetJournals(), messages);
    AppendRecordChecks(GetDatabases(), messages);
    AppendRecordChecks(GetPatents(), messages);
    AppendRecordChecks(GetTheses(), messages);

    SetName(std::string(TrimmedView(GetName())));
    SetTypeName(std::string(TrimmedView(GetTypeName())));
    SetOrganism(std::string(TrimmedView(GetOrganism())));
    // Most sequences have nothing to report: the prefix is made on demand.
    auto report = [&](const char* text) { messages.push_back(GetMessagePrefix() + text); };
    if (GetName().empty()) report("Sequence Name is required.");
    if (GetTypeName().empty()) report("Sequence Type is required.");
    if (GetOrganism().empty()) report("Organism Name is required.");

    if (IsArtificialOrUnknown()) {
        CCommentFeature* comment = GetComment();
        if (comment) comment->SetComment(std::string(TrimmedView(comment->GetComment())));
        if (!comment || comment->GetComment().empty())
            report("An artificial sequence/unknown organism requires a comment.");
    }

    StripToLetters();
    CheckResidues(GetName(), false);

    // The feature checks end with the missing-features check themselves.
    RunFeatureChecks(row);

    ClearWorkingLists();
    return messages;
}

const StringList& CBaseSequence::Validate(int row) {
    GetMessages().clear();
    GetSecondMessages().clear();
    CSequence::Validate(row);
    ClearWorkingLists();
    return GetMessages();
}

const StringList& CProteinSequence::Validate(int row) {
    GetMessages().clear();
    CSequence::Validate(row);
    ClearWorkingLists();
    return GetMessages();
}

void CSequence::CheckMissingFeatures() {
    if (!GetProject() || !GetProject()->GetCheckMissingFeatures()) return;

    const bool protein = GetTypeName() == CProteinSequence::kTypeName;
    const std::string phrase = protein ? " needs a 'MISC_FEATURE' that defines the unknown amino in position "
                                       : " needs a 'misc_feature' that defines the unknown nucleotide in position ";

    CArray<Ptr<CRange>> unknown;
    GetUnknownPositions(unknown);
    StringList& messages = GetMessages();
    for (const auto& range : unknown) {
        const int position = range->first;
        bool explained = false;
        for (const auto& feature : GetFeatures()) {
            if (!protein && !EqualsIgnoringCase(feature->GetKey(), "misc_feature")) continue;
            if (feature->GetFrom() <= position && feature->GetTo() >= position) {
                explained = true;
                break;
            }
        }
        // The phrase ends in a space and one more goes before the number.
        if (!explained) messages.push_back(GetName() + phrase + " " + std::to_string(position));
    }
}

}  // namespace qln
