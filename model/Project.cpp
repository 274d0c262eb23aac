#include "model/Project.h"

#include "model/Archive.h"

namespace qln {

QLN_IMPLEMENT_SERIAL(CProjectData, CModel)
QLN_IMPLEMENT_SERIAL(CProject, CModel)

// ---- CProjectData ----

CProjectData::CProjectData(std::string title, std::string applicationNumber, std::string filingDate,
                           std::string fileReference)
    : title_(std::move(title)),
      fileReference_(std::move(fileReference)),
      applicationNumber_(std::move(applicationNumber)),
      filingDate_(std::move(filingDate)) {}

void CProjectData::Serialize(CArchive& ar) {
    CModel::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteString(title_);
        ar.WriteString(fileReference_);
        ar.WriteString(applicationNumber_);
        ar.WriteString(filingDate_.GetText());
    } else {
        title_ = ar.ReadString();
        fileReference_ = ar.ReadString();
        applicationNumber_ = ar.ReadString();
        filingDate_ = ar.ReadString();
    }
}

std::string CProjectData::GetMessagePrefix() const { return ParentPrefix() + "Project Data Screen: "; }

const StringList& CProjectData::Validate(int) {
    StringList& messages = GetMessages();
    messages.clear();
    const std::string prefix = GetMessagePrefix();

    if (title_.empty()) messages.push_back(prefix + "Title Of Invention: Cannot be blank.");
    if (applicationNumber_.empty() != filingDate_.IsEmpty())
        messages.push_back(prefix +
                           "Current Application Number/Current Filing Date: If Current Application Number or "
                           "Current Filing Date is entered, both must be entered.");
    if (fileReference_.empty()) messages.push_back(prefix + "Application File Reference: Cannot be blank.");

    if (!filingDate_.IsEmpty()) {
        const StringList& dateMessages = filingDate_.Validate(true, prefix);
        messages.insert(messages.end(), dateMessages.begin(), dateMessages.end());
    }

    // Every prior application must have been filed before the current one.
    if (const auto* project = dynamic_cast<const CProject*>(GetParent())) {
        int number = 0;
        for (const auto& prior : project->GetPriorApplications()) {
            ++number;
            const DateField& priorDate = prior->GetFilingDate();
            if (priorDate.IsEmpty() || filingDate_.IsEmpty() || filingDate_.IsLaterThan(priorDate)) continue;
            messages.push_back(prefix + "Row " + std::to_string(number) + ": The Current Filing Date " +
                               filingDate_.GetText() + " must be greater than the Prior Application Filing Date" +
                               priorDate.GetText() + " in the Prior Application Data Screen.");
        }
    }
    return messages;
}

std::string CProjectData::GetMessagesText() {
    std::string text;
    for (const std::string& message : Validate(0)) text += message + "\r\n";
    return text;
}

// ---- CProject ----

CProject::CProject() : projectData_(new CProjectData(this)) {}

CProject::~CProject() {
    // The index only points into the lists; empty it before they go.
    nameIndex_.clear();
}

void CProject::SetProjectData(Ptr<CProjectData> data) {
    if (data) data->SetParent(this);
    projectData_ = std::move(data);
}

int CProject::IndexOf(const std::string& name) const {
    for (int i = 0; i < sequences_.GetSize(); ++i)
        if (sequences_[i]->GetName() == name) return i;
    return -1;
}

void CProject::Add(CSequence* sequence) {
    if (!sequence) return;
    sequence->SetParent(this);
    sequence->SetProject(this);
    nameIndex_[sequence->GetName()] = sequence;
    sequences_.Add(sequence);
}

CSequence* CProject::Find(const std::string& name) const {
    auto it = nameIndex_.find(name);
    return it == nameIndex_.end() ? nullptr : it->second;
}

CSequence* CProject::FindDeleted(const std::string& name) const {
    for (const auto& sequence : deleted_)
        if (sequence->GetName() == name) return sequence.get();
    return nullptr;
}

void CProject::Delete(CSequence* sequence) {
    if (!sequence) return;
    // Copy the name: the sequence may be the one removed below.
    const std::string name = sequence->GetName();
    const int index = IndexOf(name);
    if (index < 0) return;
    deleted_.Add(sequences_[index]);
    sequences_.RemoveAt(index);
    nameIndex_.erase(name);
}

void CProject::Restore(const std::string& name) {
    for (int i = 0; i < deleted_.GetSize(); ++i) {
        if (deleted_[i]->GetName() != name) continue;
        Ptr<CSequence> sequence = deleted_[i];
        Add(sequence.get());
        deleted_.RemoveAt(i);
        return;
    }
}

void CProject::Rename(const std::string& newName, CSequence* sequence) {
    if (!sequence) return;
    // The new name may be a reference into the sequence itself; copy it first.
    std::string name = newName;
    nameIndex_.erase(sequence->GetName());
    nameIndex_[name] = sequence;
    sequence->SetName(std::move(name));
}

void CProject::Replace(CSequence* sequence) {
    if (!sequence) return;
    const int index = IndexOf(sequence->GetName());
    if (index < 0) return;
    sequence->SetParent(this);
    sequence->SetProject(this);
    sequences_[index] = sequence;
    nameIndex_[sequence->GetName()] = sequence;
}

}  // namespace qln
