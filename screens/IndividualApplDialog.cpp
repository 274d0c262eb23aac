#include "screens/IndividualApplDialog.h"

#include "model/Project.h"
#include "screens/ScreenDocument.h"
#include "screens/ScreenFields.h"
#include "ui_IndividualApplDialog.h"

namespace qln {

namespace {

constexpr const char* kHeader = "Item|Individual Name                                   |Phone Number          ";

}  // namespace

CIndividualApplDialog::CIndividualApplDialog(CScreenDocument& document, QWidget* parent)
    : CRecordTableDialog(document, document.Project().GetIndivApplicants(), CInsertPlace::AtEnd, parent),
      ui_(std::make_unique<Ui::IndividualApplDialog>())
{
    ui_->setupUi(this);
    address_ = std::make_unique<CApplicantFields>(this);
    SetUpTable(QString::fromLatin1(kHeader), document.Title());
}

CIndividualApplDialog::~CIndividualApplDialog() = default;

Ptr<CIndivApplicant> CIndividualApplDialog::BuildRecord() const
{
    auto record = MakePtr<CIndivApplicant>(&Document().Project(), FieldText(ui_->firstName), FieldText(ui_->lastName),
                                           FieldText(ui_->middleInitial), FieldText(ui_->suffix));
    address_->Store(*record);
    return record;
}

void CIndividualApplDialog::LoadRecord(const CIndivApplicant& record)
{
    SetFieldText(ui_->firstName, record.GetFirstName());
    SetFieldText(ui_->suffix, record.GetSuffix());
    SetFieldText(ui_->lastName, record.GetLastName());
    SetFieldText(ui_->middleInitial, record.GetMiddleInitial());
    address_->Load(record);
}

QString CIndividualApplDialog::RecordText(const CIndivApplicant& record) const
{
    return ToQt(record.GetLastName() + ", " + record.GetFirstName() + "\t" + record.GetPhoneNumber());
}

bool CIndividualApplDialog::DiffersFrom(const CIndivApplicant& record) const
{
    const Ptr<CIndivApplicant> typed = BuildRecord();
    return typed->GetFirstName() != record.GetFirstName() || typed->GetLastName() != record.GetLastName() ||
           typed->GetMiddleInitial() != record.GetMiddleInitial() || typed->GetSuffix() != record.GetSuffix() ||
           AddressDiffers(*typed, record);
}

bool CIndividualApplDialog::KeyFieldFilled() const
{
    return !ui_->lastName->text().isEmpty();
}

void CIndividualApplDialog::EmptyFields()
{
    for (QLineEdit* field : {ui_->firstName, ui_->suffix, ui_->lastName, ui_->middleInitial}) field->clear();
    address_->Empty();
}

QWidget* CIndividualApplDialog::FirstField() const
{
    return ui_->firstName;
}

}  // namespace qln
