// The record checks of a sequence: its publications and its features.
#include "model/Feature.h"
#include "model/Publication.h"
#include "model/Sequence.h"

namespace qln {

namespace {

template <class T>
void AppendChecks(CArray<Ptr<T>>& records, StringList& messages) {
    int row = 0;
    for (auto& record : records) {
        const StringList& found = record->Validate(++row);
        messages.insert(messages.end(), found.begin(), found.end());
    }
}

}  // namespace

const StringList& CSequence::Validate(int) {
    StringList& messages = GetMessages();
    messages.clear();
    AppendChecks(GetJournals(), messages);
    AppendChecks(GetDatabases(), messages);
    AppendChecks(GetPatents(), messages);
    AppendChecks(GetTheses(), messages);
    for (auto& feature : GetFeatures()) {
        bool locationError = false;
        const StringList& found = feature->CheckFeature(feature->GetRow(), locationError);
        messages.insert(messages.end(), found.begin(), found.end());
    }
    return messages;
}

}  // namespace qln
