// The project's body in a project file: project data, custom organisms,
// last import folder, the sequences with save progress, then applicants and
// prior applications.
#include <cstdio>

#include "model/Archive.h"
#include "model/Project.h"

namespace qln {

namespace {

thread_local CProjectProgress* loadingProgress = nullptr;

int32_t ReadCount(CArchive& ar) {
    int32_t n = ar.ReadInt32();
    if (n < 0) ar.Fail(CArchiveException::Cause::BadFormat);
    return n;
}

template <class T>
void WriteRecords(CArchive& ar, const CArray<Ptr<T>>& list) {
    ar.WriteInt32(list.GetSize());
    for (const auto& item : list) ar.WriteObject(item.get());
}

template <class T>
void ReadRecords(CArchive& ar, CArray<Ptr<T>>& list, CModel* owner) {
    list.RemoveAll();
    for (int32_t i = ReadCount(ar); i > 0; --i) {
        T* item = ar.ReadRequiredObjectOf<T>();
        item->SetParent(owner);
        list.Add(Ptr<T>(item));
    }
}

}  // namespace

CProject::LoadProgress::LoadProgress(CProjectProgress* progress) : previous_(loadingProgress) {
    loadingProgress = progress;
}

CProject::LoadProgress::~LoadProgress() { loadingProgress = previous_; }

void CProject::Serialize(CArchive& ar) {
    CModel::Serialize(ar);
    if (ar.IsStoring())
        StoreBody(ar);
    else
        LoadBody(ar);
}

void CProject::Report(int code, int value) {
    if (progress_) progress_->Command(code, value);
}

void CProject::SetStatusText(const char* format, int count) {
    if (!progress_) return;
    char text[64];
    std::snprintf(text, sizeof text, format, count);
    progress_->SetStatusText(text);
}

void CProject::StoreBody(CArchive& ar) {
    saveCancelled_ = false;
    ar.WriteObject(projectData_.get());
    ar.WriteStringArray(customOrganisms_);
    ar.WriteString(lastImportFolder_);
    ar.WriteInt32(sequences_.GetSize());
    Report(CProjectProgress::kSequenceCount, sequences_.GetSize());
    int saved = 0;
    for (const auto& sequence : sequences_) {
        if (progress_ && progress_->IsCancelled()) {
            saveCancelled_ = true;
            break;
        }
        ar.WriteObject(sequence.get());
        ++saved;
        Report(CProjectProgress::kSequencesSaved, saved);
        SetStatusText("Sequences Saved: %d", saved);
    }
    WriteRecords(ar, orgApplicants_);
    WriteRecords(ar, indivApplicants_);
    WriteRecords(ar, priorApplications_);
}

void CProject::LoadBody(CArchive& ar) {
    progress_ = loadingProgress;
    SetParent(nullptr);
    SetProjectData(Ptr<CProjectData>(ar.ReadRequiredObjectOf<CProjectData>()));
    customOrganisms_ = ar.ReadStringArray();
    lastImportFolder_ = ar.ReadString();
    sequences_.RemoveAll();
    nameIndex_.clear();
    const int32_t count = ReadCount(ar);
    for (int32_t loaded = 1; loaded <= count; ++loaded) {
        Add(ar.ReadRequiredObjectOf<CSequence>());
        SetStatusText("Sequences Loaded: %d", loaded);
    }
    ReadRecords(ar, orgApplicants_, this);
    ReadRecords(ar, indivApplicants_, this);
    ReadRecords(ar, priorApplications_, this);
    progress_ = nullptr;
}

}  // namespace qln
