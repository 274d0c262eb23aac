#include "screens/JournalDialog.h"

#include "screens/JournalNames.h"
#include "screens/ScreenFields.h"
#include "ui_JournalDialog.h"

namespace qln {

namespace {

constexpr const char* kHeader =
    "Item|Publication Title                              |Accession No.          |From      |To        ";

}  // namespace

CJournalDialog::CJournalDialog(CScreenDocument& document, CSequence& sequence, QWidget* parent)
    : CPublicationDialog(document, sequence, sequence.GetJournals(), CInsertPlace::AtEnd, parent),
      ui_(std::make_unique<Ui::JournalDialog>())
{
    ui_->setupUi(this);
    // Any name may be typed; the list only offers the usual ones, and what
    // is typed is never added to it.
    ui_->journal->addItems(JournalNames());
    ui_->journal->setCurrentIndex(-1);
    // Picking a name is input as much as typing one.
    connect(ui_->journal, &QComboBox::activated, this, [this] { MutableRows().FieldsChanged(); });
    SetUpPublication(kHeader);
}

CJournalDialog::~CJournalDialog() = default;

Ptr<CJournal> CJournalDialog::BuildRecord() const
{
    return MakePtr<CJournal>(&Sequence(), FieldText(ui_->authors), FieldText(ui_->title),
                             FromQt(ui_->journal->currentText()), FieldText(ui_->volume), FieldText(ui_->issue),
                             FieldText(ui_->pageRange), ui_->publicationDate->DateText(), FieldText(ui_->accession),
                             ui_->entryDate->DateText(), FieldText(ui_->from), FieldText(ui_->to));
}

void CJournalDialog::LoadRecord(const CJournal& record)
{
    SetFieldText(ui_->accession, record.GetAccessionNumber());
    ui_->entryDate->SetDateText(record.GetEntryDate().GetText());
    SetFieldText(ui_->authors, record.GetAuthors());
    SetFieldText(ui_->title, record.GetTitle());
    ui_->journal->setCurrentText(ToQt(record.GetJournalName()));
    ui_->journal->lineEdit()->setCursorPosition(0);
    SetFieldText(ui_->volume, record.GetVolume());
    SetFieldText(ui_->issue, record.GetIssue());
    ui_->publicationDate->SetDateText(record.GetPublicationDate().GetText());
    SetFieldText(ui_->pageRange, record.GetPageRange());
    SetFieldText(ui_->from, record.GetFromText());
    SetFieldText(ui_->to, record.GetToText());
}

QString CJournalDialog::RecordText(const CJournal& record) const
{
    return ToQt(record.GetTitle()) + QLatin1Char('\t') + RangeColumns(record);
}

}  // namespace qln
