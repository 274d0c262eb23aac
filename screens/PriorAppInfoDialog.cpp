#include "screens/PriorAppInfoDialog.h"

#include "model/AsciiText.h"
#include "model/Project.h"
#include "widgets/Latin1Text.h"
#include "screens/ScreenDocument.h"
#include "screens/ScreenFields.h"
#include "ui_PriorAppInfoDialog.h"

namespace qln {

namespace {

constexpr const char* kHeader = "Item|Application Number                          |Filing Date         ";

}  // namespace

CPriorAppInfoDialog::CPriorAppInfoDialog(CScreenDocument& document, QWidget* parent)
    : CRecordTableDialog(document, document.Project().GetPriorApplications(), CInsertPlace::AfterCurrentRow, parent),
      ui_(std::make_unique<Ui::PriorAppInfoDialog>())
{
    ui_->setupUi(this);
    SetUpTable(QString::fromLatin1(kHeader), document.Title());
}

CPriorAppInfoDialog::~CPriorAppInfoDialog() = default;

Ptr<CEarlierApplication> CPriorAppInfoDialog::BuildRecord() const
{
    return MakePtr<CEarlierApplication>(&Document().Project(), std::string(TrimmedLeftView(FieldText(ui_->number))),
                                        ui_->filingDate->DateText());
}

void CPriorAppInfoDialog::LoadRecord(const CEarlierApplication& record)
{
    SetFieldText(ui_->number, record.GetNumber());
    ui_->filingDate->SetDateText(record.GetFilingDate().GetText());
}

QString CPriorAppInfoDialog::RecordText(const CEarlierApplication& record) const
{
    return ToQt(record.GetNumber()) + QLatin1Char('\t') + ToQt(record.GetFilingDate().GetOutputText());
}

bool CPriorAppInfoDialog::DiffersFrom(const CEarlierApplication& record) const
{
    const Ptr<CEarlierApplication> typed = BuildRecord();
    return typed->GetNumber() != record.GetNumber() ||
           typed->GetFilingDate().GetOutputText() != record.GetFilingDate().GetOutputText();
}

bool CPriorAppInfoDialog::KeyFieldFilled() const
{
    return !std::string(TrimmedLeftView(FieldText(ui_->number))).empty() || ui_->filingDate->HasDate();
}

void CPriorAppInfoDialog::EmptyFields()
{
    ui_->number->clear();
    ui_->filingDate->ClearDate();
}

QWidget* CPriorAppInfoDialog::FirstField() const
{
    return ui_->number;
}

}  // namespace qln
