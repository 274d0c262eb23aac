#include "screens/ThesisDialog.h"

#include "screens/ScreenFields.h"
#include "ui_ThesisDialog.h"

namespace qln {

namespace {

constexpr const char* kHeader =
    "Item|Title                                          |Accession No.          |From      |To        ";

}  // namespace

CThesisDialog::CThesisDialog(CScreenDocument& document, CSequence& sequence, QWidget* parent)
    : CPublicationDialog(document, sequence, sequence.GetTheses(), CInsertPlace::AtEnd, parent),
      ui_(std::make_unique<Ui::ThesisDialog>())
{
    ui_->setupUi(this);
    SetUpPublication(kHeader);
}

CThesisDialog::~CThesisDialog() = default;

Ptr<CThesis> CThesisDialog::BuildRecord() const
{
    return MakePtr<CThesis>(&Sequence(), FieldText(ui_->authors), FieldText(ui_->title),
                            ui_->publicationDate->DateText(), FieldText(ui_->pageRange), FieldText(ui_->accession),
                            ui_->entryDate->DateText(), FieldText(ui_->from), FieldText(ui_->to));
}

void CThesisDialog::LoadRecord(const CThesis& record)
{
    SetFieldText(ui_->accession, record.GetAccessionNumber());
    ui_->entryDate->SetDateText(record.GetEntryDate().GetText());
    SetFieldText(ui_->authors, record.GetAuthors());
    SetFieldText(ui_->title, record.GetTitle());
    ui_->publicationDate->SetDateText(record.GetDate().GetText());
    SetFieldText(ui_->pageRange, record.GetPageRange());
    SetFieldText(ui_->from, record.GetFromText());
    SetFieldText(ui_->to, record.GetToText());
}

QString CThesisDialog::RecordText(const CThesis& record) const
{
    return ToQt(record.GetTitle()) + QLatin1Char('\t') + RangeColumns(record);
}

}  // namespace qln
