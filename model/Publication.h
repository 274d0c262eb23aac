// Publications a sequence cites: journal articles, patents, theses and
// database entries. All share the database reference and the range.
#pragma once

#include <string>

#include "model/Date.h"
#include "model/Model.h"

namespace qln {

class CSequence;

class CPublication : public CModel {
    QLN_DECLARE_CLASS(CPublication)
public:
    CPublication() = default;
    CPublication(CModel* owner, std::string accessionNumber, std::string entryDate, std::string from, std::string to);
    CPublication(const CPublication& other);

    void Serialize(CArchive& ar) override;
    // The record check; returns the messages. The base record, which no
    // screen or list holds, checks the database reference and the optional
    // range. Checks that compare a range with the sequence length fetch the
    // owning sequence's residues, so a residue file that can't be read throws
    // CResidueFileError; without an owning sequence the length counts as 0.
    const StringList& Validate(int row) override;
    // Owning sequence's prefix, the screen label and the row text.
    virtual std::string GetMessagePrefix(int row) const;
    using CModel::GetMessagePrefix;
    // "Journal Screen:Row " and the like.
    virtual const char* GetScreenLabel() const { return "DataBase Screen:Row "; }

    const std::string& GetAccessionNumber() const { return accessionNumber_; }
    void SetAccessionNumber(std::string value) { accessionNumber_ = std::move(value); }
    DateField& GetEntryDate() { return entryDate_; }
    const DateField& GetEntryDate() const { return entryDate_; }
    const std::string& GetFromText() const { return from_; }
    void SetFromText(std::string value) { from_ = std::move(value); }
    const std::string& GetToText() const { return to_; }
    void SetToText(std::string value) { to_ = std::move(value); }

    CSequence* GetSequence() const;

protected:
    // The shared pieces of the record checks, appending to the messages.
    void CheckDatabaseReference(const std::string& prefix);
    void CheckOptionalRange(const std::string& prefix);
    void CheckRequiredRange(const std::string& prefix);
    // Adds the messages of a date check; an empty date is not checked.
    void AddDateMessages(DateField& date, bool complete, const std::string& prefix);

private:
    void CheckRangeValues(const std::string& prefix);

    std::string accessionNumber_;
    std::string from_;
    std::string to_;
    DateField entryDate_;
};

class CJournal : public CPublication {
    QLN_DECLARE_CLASS(CJournal)
public:
    CJournal() = default;
    CJournal(CModel* owner, std::string authors, std::string title, std::string journalName, std::string volume,
             std::string issue, std::string pageRange, std::string publicationDate, std::string accessionNumber = {},
             std::string entryDate = {}, std::string from = {}, std::string to = {});
    CJournal(const CJournal&) = default;

    void Serialize(CArchive& ar) override;
    const StringList& Validate(int row) override;
    const char* GetScreenLabel() const override { return "Journal Screen:Row "; }

    const std::string& GetAuthors() const { return authors_; }
    void SetAuthors(std::string v) { authors_ = std::move(v); }
    const std::string& GetTitle() const { return title_; }
    void SetTitle(std::string v) { title_ = std::move(v); }
    const std::string& GetJournalName() const { return journalName_; }
    void SetJournalName(std::string v) { journalName_ = std::move(v); }
    const std::string& GetVolume() const { return volume_; }
    void SetVolume(std::string v) { volume_ = std::move(v); }
    const std::string& GetIssue() const { return issue_; }
    void SetIssue(std::string v) { issue_ = std::move(v); }
    const std::string& GetPageRange() const { return pageRange_; }
    void SetPageRange(std::string v) { pageRange_ = std::move(v); }
    DateField& GetPublicationDate() { return publicationDate_; }
    const DateField& GetPublicationDate() const { return publicationDate_; }

private:
    std::string authors_;
    std::string title_;
    std::string journalName_;
    std::string volume_;
    std::string issue_;
    std::string pageRange_;
    DateField publicationDate_;
};

class CPatent : public CPublication {
    QLN_DECLARE_CLASS(CPatent)
public:
    CPatent() = default;
    CPatent(CModel* owner, std::string title, std::string documentNumber, std::string filingDate,
            std::string publicationDate, std::string accessionNumber = {}, std::string entryDate = {},
            std::string from = {}, std::string to = {});
    CPatent(const CPatent&) = default;

    void Serialize(CArchive& ar) override;
    const StringList& Validate(int row) override;
    const char* GetScreenLabel() const override { return "Patent Screen:Row "; }

    const std::string& GetTitle() const { return title_; }
    void SetTitle(std::string v) { title_ = std::move(v); }
    const std::string& GetDocumentNumber() const { return documentNumber_; }
    void SetDocumentNumber(std::string v) { documentNumber_ = std::move(v); }
    DateField& GetFilingDate() { return filingDate_; }
    const DateField& GetFilingDate() const { return filingDate_; }
    DateField& GetPublicationDate() { return publicationDate_; }
    const DateField& GetPublicationDate() const { return publicationDate_; }

private:
    std::string title_;
    std::string documentNumber_;
    DateField filingDate_;
    DateField publicationDate_;
};

class CThesis : public CPublication {
    QLN_DECLARE_CLASS(CThesis)
public:
    CThesis() = default;
    CThesis(CModel* owner, std::string authors, std::string title, std::string date, std::string pageRange,
            std::string accessionNumber = {}, std::string entryDate = {}, std::string from = {}, std::string to = {});
    CThesis(const CThesis&) = default;

    void Serialize(CArchive& ar) override;
    const StringList& Validate(int row) override;
    const char* GetScreenLabel() const override { return "Thesis Screen:Row "; }

    const std::string& GetAuthors() const { return authors_; }
    void SetAuthors(std::string v) { authors_ = std::move(v); }
    const std::string& GetTitle() const { return title_; }
    void SetTitle(std::string v) { title_ = std::move(v); }
    DateField& GetDate() { return date_; }
    const DateField& GetDate() const { return date_; }
    const std::string& GetPageRange() const { return pageRange_; }
    void SetPageRange(std::string v) { pageRange_ = std::move(v); }

private:
    std::string authors_;
    std::string title_;
    DateField date_;
    std::string pageRange_;
};

// An entry of a sequence database, cited by its accession number.
class CPubDatabase : public CPublication {
    QLN_DECLARE_CLASS(CPubDatabase)
public:
    CPubDatabase() = default;
    CPubDatabase(CModel* owner, std::string accessionNumber, std::string entryDate, std::string from, std::string to)
        : CPublication(owner, std::move(accessionNumber), std::move(entryDate), std::move(from), std::move(to)) {}
    CPubDatabase(const CPubDatabase&) = default;

    const StringList& Validate(int row) override;
};

}  // namespace qln
