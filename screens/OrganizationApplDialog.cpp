#include "screens/OrganizationApplDialog.h"

#include "model/Project.h"
#include "screens/ScreenDocument.h"
#include "screens/ScreenFields.h"
#include "ui_OrganizationApplDialog.h"

namespace qln {

namespace {

constexpr const char* kHeader = "Item|Organization Name                                 |Phone Number          ";

}  // namespace

COrganizationApplDialog::COrganizationApplDialog(CScreenDocument& document, QWidget* parent)
    : CRecordTableDialog(document, document.Project().GetOrgApplicants(), CInsertPlace::AtEnd, parent),
      ui_(std::make_unique<Ui::OrganizationApplDialog>())
{
    ui_->setupUi(this);
    address_ = std::make_unique<CApplicantFields>(this);
    SetUpTable(QString::fromLatin1(kHeader), document.Title());
}

COrganizationApplDialog::~COrganizationApplDialog() = default;

Ptr<COrgApplicant> COrganizationApplDialog::BuildRecord() const
{
    auto record = MakePtr<COrgApplicant>(&Document().Project(), FieldText(ui_->organization));
    address_->Store(*record);
    return record;
}

void COrganizationApplDialog::LoadRecord(const COrgApplicant& record)
{
    SetFieldText(ui_->organization, record.GetOrganizationName());
    address_->Load(record);
}

QString COrganizationApplDialog::RecordText(const COrgApplicant& record) const
{
    return ToQt(record.GetOrganizationName() + "\t" + record.GetPhoneNumber());
}

bool COrganizationApplDialog::DiffersFrom(const COrgApplicant& record) const
{
    const Ptr<COrgApplicant> typed = BuildRecord();
    return typed->GetOrganizationName() != record.GetOrganizationName() || AddressDiffers(*typed, record);
}

bool COrganizationApplDialog::KeyFieldFilled() const
{
    return !ui_->organization->text().isEmpty();
}

void COrganizationApplDialog::EmptyFields()
{
    ui_->organization->clear();
    address_->Empty();
}

QWidget* COrganizationApplDialog::FirstField() const
{
    return ui_->organization;
}

}  // namespace qln
