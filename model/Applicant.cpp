#include "model/Applicant.h"

#include "model/Archive.h"
#include "model/Project.h"

namespace qln {

QLN_IMPLEMENT_SERIAL(CApplicant, CModel)
QLN_IMPLEMENT_SERIAL(CIndivApplicant, CApplicant)
QLN_IMPLEMENT_SERIAL(COrgApplicant, CApplicant)
QLN_IMPLEMENT_SERIAL(CEarlierApplication, CModel)

// ---- CApplicant ----

CApplicant::CApplicant(CModel* parent, std::string street, std::string city, std::string state, std::string country,
                       std::string postalCode, std::string phoneNumber, std::string faxNumber, std::string emailAddress)
    : CModel(parent),
      street_(std::move(street)),
      city_(std::move(city)),
      state_(std::move(state)),
      country_(std::move(country)),
      emailAddress_(std::move(emailAddress)),
      phoneNumber_(std::move(phoneNumber)),
      faxNumber_(std::move(faxNumber)),
      postalCode_(std::move(postalCode)) {}

std::string CApplicant::LabelledRowPrefix(const char* screenLabel, int row) const {
    std::string prefix = GetParent() ? std::string(screenLabel) : std::string();
    return prefix + RowText(row);
}

// The file keeps the address fields in an order of their own, not the order
// of the members.
void CApplicant::Serialize(CArchive& ar) {
    CModel::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteString(street_);
        ar.WriteString(city_);
        ar.WriteString(state_);
        ar.WriteString(country_);
        ar.WriteString(postalCode_);
        ar.WriteString(phoneNumber_);
        ar.WriteString(faxNumber_);
        ar.WriteString(emailAddress_);
    } else {
        street_ = ar.ReadString();
        city_ = ar.ReadString();
        state_ = ar.ReadString();
        country_ = ar.ReadString();
        postalCode_ = ar.ReadString();
        phoneNumber_ = ar.ReadString();
        faxNumber_ = ar.ReadString();
        emailAddress_ = ar.ReadString();
    }
}

// ---- CIndivApplicant ----

CIndivApplicant::CIndivApplicant(CModel* parent, std::string firstName, std::string lastName, std::string middleInitial,
                                 std::string suffix)
    : CApplicant(parent, {}, {}, {}, {}, {}, {}, {}, {}),
      firstName_(std::move(firstName)),
      lastName_(std::move(lastName)),
      middleInitial_(std::move(middleInitial)),
      suffix_(std::move(suffix)) {}

void CIndivApplicant::Serialize(CArchive& ar) {
    CApplicant::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteString(firstName_);
        ar.WriteString(lastName_);
        ar.WriteString(middleInitial_);
        ar.WriteString(suffix_);
    } else {
        firstName_ = ar.ReadString();
        lastName_ = ar.ReadString();
        middleInitial_ = ar.ReadString();
        suffix_ = ar.ReadString();
    }
}

const StringList& CIndivApplicant::Validate(int row) {
    StringList& messages = GetMessages();
    messages.clear();
    if (lastName_.empty() || firstName_.empty())
        messages.push_back(GetRowPrefix(row) + "Both Last Name and First Name are required.");
    return messages;
}

std::string CIndivApplicant::GetRowPrefix(int row) const {
    return LabelledRowPrefix("Individual Applicant Screen:Row ", row);
}

std::string CIndivApplicant::GetListingName() const {
    return "      " + lastName_ + ", " + firstName_ + " " + middleInitial_ + " " + suffix_ + "\n";
}

// ---- COrgApplicant ----

COrgApplicant::COrgApplicant(CModel* parent, std::string organizationName)
    : CApplicant(parent, {}, {}, {}, {}, {}, {}, {}, {}), organizationName_(std::move(organizationName)) {}

void COrgApplicant::Serialize(CArchive& ar) {
    CApplicant::Serialize(ar);
    if (ar.IsStoring())
        ar.WriteString(organizationName_);
    else
        organizationName_ = ar.ReadString();
}

const StringList& COrgApplicant::Validate(int row) {
    StringList& messages = GetMessages();
    messages.clear();
    if (organizationName_.empty()) messages.push_back(GetRowPrefix(row) + "Organization name is required.");
    return messages;
}

std::string COrgApplicant::GetRowPrefix(int row) const {
    return LabelledRowPrefix("Organization Applicant Screen:Row ", row);
}

std::string COrgApplicant::GetListingName() const { return "      " + organizationName_ + "\n"; }

// ---- CEarlierApplication ----

CEarlierApplication::CEarlierApplication(CModel* parent, std::string number, std::string filingDate)
    : CModel(parent), number_(std::move(number)), filingDate_(std::move(filingDate)) {}

CEarlierApplication::CEarlierApplication(std::string number, std::string filingDate)
    : number_(std::move(number)), filingDate_(std::move(filingDate)) {}

void CEarlierApplication::Serialize(CArchive& ar) {
    CModel::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteString(number_);
        ar.WriteString(filingDate_.GetText());
    } else {
        number_ = ar.ReadString();
        filingDate_ = ar.ReadString();
    }
}

const StringList& CEarlierApplication::Validate(int row) {
    StringList& messages = GetMessages();
    messages.clear();
    const std::string prefix = GetRowPrefix(row);

    if (filingDate_.IsEmpty() || number_.empty()) {
        messages.push_back(prefix + "Prior Application Number/Prior Filing Date: Both fields must be filled in.");
        return messages;
    }

    const StringList& dateMessages = filingDate_.Validate(true, prefix);
    messages.insert(messages.end(), dateMessages.begin(), dateMessages.end());

    // The prior application must come before the current one.
    if (const auto* project = dynamic_cast<const CProject*>(GetParent())) {
        const CProjectData* data = project->GetProjectData();
        if (data) {
            const DateField& current = data->GetFilingDate();
            if (!current.IsEmpty() && !current.IsLaterThan(filingDate_))
                messages.push_back(prefix + "The Prior Application Filing Date " + filingDate_.GetText() +
                                   " must be earlier than the Current Filing Date " + current.GetText() + ".");
        }
    }
    return messages;
}

std::string CEarlierApplication::GetRowPrefix(int row) const {
    return ParentPrefix() + "Prior Application Data Screen:Row " + RowText(row);
}

}  // namespace qln
