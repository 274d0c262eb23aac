#include "screens/PatentDialog.h"

#include "screens/ScreenFields.h"
#include "ui_PatentDialog.h"

namespace qln {

namespace {

constexpr const char* kHeader =
    "Item|Document No.                         |Accession No.          |From      |To        ";

}  // namespace

CPatentDialog::CPatentDialog(CScreenDocument& document, CSequence& sequence, QWidget* parent)
    : CPublicationDialog(document, sequence, sequence.GetPatents(), CInsertPlace::AtEnd, parent),
      ui_(std::make_unique<Ui::PatentDialog>())
{
    ui_->setupUi(this);
    SetUpPublication(kHeader);
}

CPatentDialog::~CPatentDialog() = default;

Ptr<CPatent> CPatentDialog::BuildRecord() const
{
    return MakePtr<CPatent>(&Sequence(), FieldText(ui_->title), FieldText(ui_->documentNumber),
                            ui_->filingDate->DateText(), ui_->publicationDate->DateText(), FieldText(ui_->accession),
                            ui_->entryDate->DateText(), FieldText(ui_->from), FieldText(ui_->to));
}

void CPatentDialog::LoadRecord(const CPatent& record)
{
    SetFieldText(ui_->accession, record.GetAccessionNumber());
    ui_->entryDate->SetDateText(record.GetEntryDate().GetText());
    SetFieldText(ui_->documentNumber, record.GetDocumentNumber());
    ui_->filingDate->SetDateText(record.GetFilingDate().GetText());
    ui_->publicationDate->SetDateText(record.GetPublicationDate().GetText());
    SetFieldText(ui_->title, record.GetTitle());
    SetFieldText(ui_->from, record.GetFromText());
    SetFieldText(ui_->to, record.GetToText());
}

QString CPatentDialog::RecordText(const CPatent& record) const
{
    return ToQt(record.GetDocumentNumber()) + QLatin1Char('\t') + RangeColumns(record);
}

}  // namespace qln
