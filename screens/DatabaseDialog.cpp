#include "screens/DatabaseDialog.h"

#include "screens/ScreenFields.h"
#include "ui_DatabaseDialog.h"

namespace qln {

namespace {

constexpr const char* kHeader = "Item|Accession No.                             |From      |To        ";

}  // namespace

CDatabaseDialog::CDatabaseDialog(CScreenDocument& document, CSequence& sequence, QWidget* parent)
    : CPublicationDialog(document, sequence, sequence.GetDatabases(), CInsertPlace::AfterCurrentRow, parent),
      ui_(std::make_unique<Ui::DatabaseDialog>())
{
    ui_->setupUi(this);
    SetUpPublication(kHeader);
}

CDatabaseDialog::~CDatabaseDialog() = default;

Ptr<CPubDatabase> CDatabaseDialog::BuildRecord() const
{
    return MakePtr<CPubDatabase>(&Sequence(), FieldText(ui_->accession), ui_->entryDate->DateText(),
                                 FieldText(ui_->from), FieldText(ui_->to));
}

void CDatabaseDialog::LoadRecord(const CPubDatabase& record)
{
    SetFieldText(ui_->accession, record.GetAccessionNumber());
    ui_->entryDate->SetDateText(record.GetEntryDate().GetText());
    SetFieldText(ui_->from, record.GetFromText());
    SetFieldText(ui_->to, record.GetToText());
}

QString CDatabaseDialog::RecordText(const CPubDatabase& record) const
{
    return RangeColumns(record);
}

}  // namespace qln
