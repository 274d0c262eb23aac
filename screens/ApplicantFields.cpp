#include "screens/ApplicantFields.h"

#include "screens/ScreenFields.h"

namespace qln {

namespace {

constexpr const char* kTwelveBlanks = "            ";

QLineEdit* Field(const QWidget* form, const char* name)
{
    auto* field = form->findChild<QLineEdit*>(QLatin1String(name));
    Q_ASSERT(field);
    return field;
}

}  // namespace

CApplicantFields::CApplicantFields(const QWidget* form)
    : street_(Field(form, "street")),
      city_(Field(form, "city")),
      state_(Field(form, "state")),
      country_(Field(form, "country")),
      zipCode_(Field(form, "zipCode")),
      phone_(Field(form, "phone")),
      fax_(Field(form, "fax")),
      email_(Field(form, "email"))
{
}

void CApplicantFields::Load(const CApplicant& applicant) const
{
    SetFieldText(street_, applicant.GetStreet());
    SetFieldText(city_, applicant.GetCity());
    SetFieldText(state_, applicant.GetState());
    SetFieldText(country_, applicant.GetCountry());
    SetFieldText(zipCode_, applicant.GetPostalCode());
    SetFieldText(phone_, applicant.GetPhoneNumber());
    SetFieldText(fax_, applicant.GetFaxNumber());
    SetFieldText(email_, applicant.GetEmailAddress());
}

void CApplicantFields::Store(CApplicant& applicant) const
{
    applicant.SetStreet(FieldText(street_));
    applicant.SetCity(FieldText(city_));
    applicant.SetState(FieldText(state_));
    applicant.SetCountry(FieldText(country_));
    applicant.SetPostalCode(FieldText(zipCode_));
    applicant.SetPhoneNumber(FieldText(phone_));
    applicant.SetFaxNumber(FieldText(fax_));
    applicant.SetEmailAddress(FieldText(email_));
}

void CApplicantFields::Empty() const
{
    for (QLineEdit* field : {street_, city_, state_, country_, zipCode_, email_}) field->clear();
    phone_->setText(QString::fromLatin1(kTwelveBlanks));
    fax_->setText(QString::fromLatin1(kTwelveBlanks));
}

bool AddressDiffers(const CApplicant& a, const CApplicant& b)
{
    return a.GetStreet() != b.GetStreet() || a.GetCity() != b.GetCity() || a.GetState() != b.GetState() ||
           a.GetCountry() != b.GetCountry() || a.GetPostalCode() != b.GetPostalCode() ||
           a.GetPhoneNumber() != b.GetPhoneNumber() || a.GetFaxNumber() != b.GetFaxNumber() ||
           a.GetEmailAddress() != b.GetEmailAddress();
}

}  // namespace qln
