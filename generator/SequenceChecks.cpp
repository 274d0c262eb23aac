// The record checks of a sequence: publications, required fields, the
// comment of an artificial or unknown organism, residues and features; and
// the check for unknown residues that no feature explains.
#include <string>

#include "model/Feature.h"
#include "model/Project.h"
#include "model/Publication.h"
#include "model/Sequence.h"

namespace qln {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

std::string Trimmed(const std::string& text) {
    size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

bool EqualsIgnoringCase(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return i == a.size() && b[i] == '\0';
}

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

    SetName(Trimmed(GetName()));
    SetTypeName(Trimmed(GetTypeName()));
    SetOrganism(Trimmed(GetOrganism()));
    // Most sequences have nothing to report: the prefix is made on demand.
    auto report = [&](const char* text) { messages.push_back(GetMessagePrefix() + text); };
    if (GetName().empty()) report("Sequence Name is required.");
    if (GetTypeName().empty()) report("Sequence Type is required.");
    if (GetOrganism().empty()) report("Organism Name is required.");

    if (IsArtificialOrUnknown()) {
        CCommentFeature* comment = GetComment();
        if (comment) comment->SetComment(Trimmed(comment->GetComment()));
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
