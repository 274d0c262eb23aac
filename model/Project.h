// The project: the root of the data model, owning the sequences in listing
// order, the applicants, the prior applications and the project data.
#pragma once

#include <string>
#include <unordered_map>

#include "model/Applicant.h"
#include "model/Date.h"
#include "model/Model.h"
#include "model/ProjectProgress.h"
#include "model/Sequence.h"

namespace qln {

// Title, file reference, current application number and filing date.
class CProjectData : public CModel {
    QLN_DECLARE_CLASS(CProjectData)
public:
    CProjectData() = default;
    explicit CProjectData(CModel* parent) : CModel(parent) {}
    CProjectData(std::string title, std::string applicationNumber, std::string filingDate, std::string fileReference);
    CProjectData(const CProjectData&) = default;

    void Serialize(CArchive& ar) override;
    const StringList& Validate(int row) override;
    std::string GetMessagePrefix() const override;
    // Validates and returns every message followed by "\r\n".
    std::string GetMessagesText();

    const std::string& GetTitle() const { return title_; }
    void SetTitle(std::string v) { title_ = std::move(v); }
    const std::string& GetFileReference() const { return fileReference_; }
    void SetFileReference(std::string v) { fileReference_ = std::move(v); }
    const std::string& GetApplicationNumber() const { return applicationNumber_; }
    void SetApplicationNumber(std::string v) { applicationNumber_ = std::move(v); }
    DateField& GetFilingDate() { return filingDate_; }
    const DateField& GetFilingDate() const { return filingDate_; }

private:
    std::string title_;
    std::string fileReference_;
    std::string applicationNumber_;
    DateField filingDate_;
};

class CProject : public CModel {
    QLN_DECLARE_CLASS(CProject)
public:
    CProject();
    ~CProject() override;

    void Serialize(CArchive& ar) override;
    // The project checks before generation; every message is also kept in
    // the project's messages.
    const StringList& Validate(int row) override;
    // The project's message prefix is empty, so a child's messages start with
    // its own prefix.
    std::string GetMessagePrefix() const override { return {}; }

    // ---- sequences ----
    void Add(CSequence* sequence);
    CSequence* Find(const std::string& name) const;
    CSequence* FindDeleted(const std::string& name) const;
    void Delete(CSequence* sequence);
    void Restore(const std::string& name);
    void Rename(const std::string& newName, CSequence* sequence);
    void Replace(CSequence* sequence);
    bool HasDeletedSequences() const { return !deleted_.IsEmpty(); }

    CArray<Ptr<CSequence>>& GetSequences() { return sequences_; }
    const CArray<Ptr<CSequence>>& GetSequences() const { return sequences_; }
    CArray<Ptr<CSequence>>& GetDeletedSequences() { return deleted_; }

    // ---- records ----
    CArray<Ptr<COrgApplicant>>& GetOrgApplicants() { return orgApplicants_; }
    const CArray<Ptr<COrgApplicant>>& GetOrgApplicants() const { return orgApplicants_; }
    CArray<Ptr<CIndivApplicant>>& GetIndivApplicants() { return indivApplicants_; }
    const CArray<Ptr<CIndivApplicant>>& GetIndivApplicants() const { return indivApplicants_; }
    CArray<Ptr<CEarlierApplication>>& GetPriorApplications() { return priorApplications_; }
    const CArray<Ptr<CEarlierApplication>>& GetPriorApplications() const { return priorApplications_; }
    CProjectData* GetProjectData() const { return projectData_.get(); }
    void SetProjectData(Ptr<CProjectData> data);

    StringList& GetCustomOrganisms() { return customOrganisms_; }
    const StringList& GetCustomOrganisms() const { return customOrganisms_; }
    const std::string& GetLastImportFolder() const { return lastImportFolder_; }
    void SetLastImportFolder(std::string folder) { lastImportFolder_ = std::move(folder); }
    bool GetCheckMissingFeatures() const { return checkMissingFeatures_; }
    void SetCheckMissingFeatures(bool check) { checkMissingFeatures_ = check; }

    // ---- saving and loading ----
    // Where a save reports its progress and asks whether to stop.
    void SetProgress(CProjectProgress* progress) { progress_ = progress; }
    // True when the last save stopped before all sequences were written.
    bool WasSaveCancelled() const { return saveCancelled_; }
    // A project read from a file is made by the archive; while one of these
    // exists on the reading thread, the project being read reports to it.
    class LoadProgress {
    public:
        explicit LoadProgress(CProjectProgress* progress);
        ~LoadProgress();
        LoadProgress(const LoadProgress&) = delete;
        LoadProgress& operator=(const LoadProgress&) = delete;

    private:
        CProjectProgress* previous_;
    };

private:
    int IndexOf(const std::string& name) const;
    void StoreBody(CArchive& ar);
    void LoadBody(CArchive& ar);
    void Report(int code, int value);
    void SetStatusText(const char* format, int count);

    CArray<Ptr<CSequence>> sequences_;
    CArray<Ptr<CSequence>> deleted_;
    CArray<Ptr<COrgApplicant>> orgApplicants_;
    CArray<Ptr<CIndivApplicant>> indivApplicants_;
    Ptr<CProjectData> projectData_;
    CArray<Ptr<CEarlierApplication>> priorApplications_;
    StringList customOrganisms_;
    std::unordered_map<std::string, CSequence*> nameIndex_;
    std::string lastImportFolder_;
    bool checkMissingFeatures_ = false;
    CProjectProgress* progress_ = nullptr;
    bool saveCancelled_ = false;
};

}  // namespace qln
