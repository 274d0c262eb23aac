#include "screens/ProjectDataDialog.h"

#include "model/Project.h"
#include "screens/ScreenDocument.h"
#include "screens/ScreenFields.h"
#include "screens/TableRows.h"
#include "ui_ProjectDataDialog.h"

namespace qln {

CProjectDataDialog::CProjectDataDialog(CScreenDocument& document, QWidget* parent)
    : CScreenDialog(document, parent),
      ui_(std::make_unique<Ui::ProjectDataDialog>()),
      record_(DeepCopy(*document.Project().GetProjectData()))
{
    ui_->setupUi(this);
    AttachCommonControls(document.Title());
    SetFieldText(ui_->title, record_->GetTitle());
    SetFieldText(ui_->applicationNumber, record_->GetApplicationNumber());
    if (!record_->GetFilingDate().IsEmpty()) ui_->filingDate->SetDateText(record_->GetFilingDate().GetText());
    SetFieldText(ui_->fileReference, record_->GetFileReference());
    ui_->title->setFocus();
}

CProjectDataDialog::~CProjectDataDialog() = default;

void CProjectDataDialog::HandOver()
{
    Document().Project().SetProjectData(DeepCopy(*record_));
    Document().SetModified();
}

QWidget* CProjectDataDialog::FirstField() const
{
    return ui_->title;
}

StringList CProjectDataDialog::CollectMessages()
{
    return record_->Validate(0);
}

void CProjectDataDialog::StoreFields()
{
    record_->SetTitle(FieldText(ui_->title));
    record_->SetApplicationNumber(FieldText(ui_->applicationNumber));
    record_->GetFilingDate() = ui_->filingDate->DateText();
    record_->SetFileReference(FieldText(ui_->fileReference));
}

}  // namespace qln
