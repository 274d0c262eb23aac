// Applicants (individuals and organizations) and prior applications: the rows
// of their grid screens, validated row by row.
#pragma once

#include <string>
#include <vector>

#include "model/Date.h"
#include "model/Model.h"

namespace qln {

// The address part shared by both kinds of applicant.
class CApplicant : public CModel {
    QLN_DECLARE_CLASS(CApplicant)
public:
    CApplicant() = default;
    CApplicant(CModel* parent, std::string street, std::string city, std::string state, std::string country,
               std::string postalCode, std::string phoneNumber, std::string faxNumber, std::string emailAddress);
    CApplicant(const CApplicant&) = default;

    void Serialize(CArchive& ar) override;
    // Screen label and row text put before each message of the row.
    virtual std::string GetRowPrefix(int row) const { return RowText(row); }

    const std::string& GetStreet() const { return street_; }
    void SetStreet(std::string v) { street_ = std::move(v); }
    const std::string& GetCity() const { return city_; }
    void SetCity(std::string v) { city_ = std::move(v); }
    const std::string& GetState() const { return state_; }
    void SetState(std::string v) { state_ = std::move(v); }
    const std::string& GetCountry() const { return country_; }
    void SetCountry(std::string v) { country_ = std::move(v); }
    const std::string& GetEmailAddress() const { return emailAddress_; }
    void SetEmailAddress(std::string v) { emailAddress_ = std::move(v); }
    const std::string& GetPhoneNumber() const { return phoneNumber_; }
    void SetPhoneNumber(std::string v) { phoneNumber_ = std::move(v); }
    const std::string& GetFaxNumber() const { return faxNumber_; }
    void SetFaxNumber(std::string v) { faxNumber_ = std::move(v); }
    const std::string& GetPostalCode() const { return postalCode_; }
    void SetPostalCode(std::string v) { postalCode_ = std::move(v); }

protected:
    // The screen label when the record belongs to a project, then the row text.
    std::string LabelledRowPrefix(const char* screenLabel, int row) const;

private:
    std::string street_;
    std::string city_;
    std::string state_;
    std::string country_;
    std::string emailAddress_;
    std::string phoneNumber_;
    std::string faxNumber_;
    std::string postalCode_;
};

class CIndivApplicant : public CApplicant {
    QLN_DECLARE_CLASS(CIndivApplicant)
public:
    CIndivApplicant() = default;
    CIndivApplicant(CModel* parent, std::string firstName, std::string lastName, std::string middleInitial = {},
                    std::string suffix = {});
    CIndivApplicant(const CIndivApplicant&) = default;

    void Serialize(CArchive& ar) override;
    const StringList& Validate(int row) override;
    std::string GetRowPrefix(int row) const override;
    // Six spaces, "Last, First Middle Suffix" and a line feed (listing item 110).
    std::string GetListingName() const;

    const std::string& GetFirstName() const { return firstName_; }
    void SetFirstName(std::string v) { firstName_ = std::move(v); }
    const std::string& GetLastName() const { return lastName_; }
    void SetLastName(std::string v) { lastName_ = std::move(v); }
    const std::string& GetMiddleInitial() const { return middleInitial_; }
    void SetMiddleInitial(std::string v) { middleInitial_ = std::move(v); }
    const std::string& GetSuffix() const { return suffix_; }
    void SetSuffix(std::string v) { suffix_ = std::move(v); }

private:
    std::string firstName_;
    std::string lastName_;
    std::string middleInitial_;
    std::string suffix_;
};

class COrgApplicant : public CApplicant {
    QLN_DECLARE_CLASS(COrgApplicant)
public:
    COrgApplicant() = default;
    COrgApplicant(CModel* parent, std::string organizationName);
    COrgApplicant(const COrgApplicant&) = default;

    void Serialize(CArchive& ar) override;
    const StringList& Validate(int row) override;
    std::string GetRowPrefix(int row) const override;
    // Six spaces, the organization name and a line feed (listing item 110).
    std::string GetListingName() const;

    const std::string& GetOrganizationName() const { return organizationName_; }
    void SetOrganizationName(std::string v) { organizationName_ = std::move(v); }

private:
    std::string organizationName_;
};

// One prior application: its number and filing date.
class CEarlierApplication : public CModel {
    QLN_DECLARE_CLASS(CEarlierApplication)
public:
    CEarlierApplication() = default;
    CEarlierApplication(CModel* parent, std::string number, std::string filingDate);
    CEarlierApplication(std::string number, std::string filingDate);
    CEarlierApplication(const CEarlierApplication&) = default;

    void Serialize(CArchive& ar) override;
    const StringList& Validate(int row) override;
    std::string GetRowPrefix(int row) const;

    const std::string& GetNumber() const { return number_; }
    void SetNumber(std::string v) { number_ = std::move(v); }
    DateField& GetFilingDate() { return filingDate_; }
    const DateField& GetFilingDate() const { return filingDate_; }

private:
    std::string number_;
    DateField filingDate_;
};

// One entry of the applicant-name parsing dialog's working list.
struct CNameAttribute {
    enum Kind : int32_t { kIndividual = 0, kOrganization = 1 };
    int32_t kind = kOrganization;
    std::string lastName;
    std::string firstName;
    std::string suffix;
    std::string middleInitial;
    // The organization name, or the individual's name as the list shows it.
    std::string displayText;
};

// The working list of the applicant-name parsing dialog.
class CApplicantName {
public:
    std::vector<CNameAttribute>& GetEntries() { return entries_; }
    void Clear() { entries_.clear(); }

private:
    std::vector<CNameAttribute> entries_;
};

}  // namespace qln
