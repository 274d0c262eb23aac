#include "screens/CustCodonDialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTableWidget>
#include <QValidator>
#include <algorithm>

#include "widgets/Latin1Text.h"
#include "screens/ScreenDocument.h"
#include "model/Sequence.h"
#include "screens/ScreenFields.h"
#include "ui_CustCodonDialog.h"

namespace qln {

namespace {

constexpr const char* kHeader = "Item| Amino Acid | Custom Codon ";

// Lets into the codon field only the letters of the sequence's alphabet;
// typed and pasted text alike.
class CCodonValidator : public QValidator {
public:
    CCodonValidator(const CSequence& sequence, QObject* parent) : QValidator(parent), sequence_(sequence) {}
    State validate(QString& input, int&) const override
    {
        return CCustCodonRules::AcceptsText(sequence_, FromQt(input)) ? Acceptable : Invalid;
    }

private:
    const CSequence& sequence_;
};

}  // namespace

CCustCodonDialog::CCustCodonDialog(CScreenDocument& document, CBaseSequence& sequence, QWidget* parent)
    : CTableDialog(document, CInsertPlace::AtEnd, parent),
      ui_(std::make_unique<Ui::CustCodonDialog>()),
      sequence_(sequence),
      codons_(CCustCodonRules::FromTable(sequence.GetCustomCodons()))
{
    ui_->setupUi(this);
    for (const char* aminoAcid : CCustCodonRules::kAminoAcids) ui_->aminoAcid->addItem(QString::fromLatin1(aminoAcid));
    ui_->aminoAcid->setCurrentIndex(0);
    ui_->codon->setValidator(new CCodonValidator(sequence_, ui_->codon));
    SetUpTable(QString::fromLatin1(kHeader), ToQt(sequence.GetName()));

    connect(ui_->insertCodonButton, &QPushButton::clicked, this, &CCustCodonDialog::InsertCodon);
    connect(ui_->replaceCodonButton, &QPushButton::clicked, this, &CCustCodonDialog::ReplaceCodon);
    connect(ui_->aminoAcid, &QComboBox::currentIndexChanged, this, &CCustCodonDialog::OnAminoAcidChosen);
    connect(ui_->codon, &QLineEdit::inputRejected, this, [this] {
        QApplication::beep();
        ui_->codonMessage->setText(QString::fromLatin1(CCustCodonRules::kInvalidCharacter));
    });
    connect(ui_->codon, &QLineEdit::textEdited, ui_->codonMessage, &QLabel::clear);
}

CCustCodonDialog::~CCustCodonDialog() = default;

QString CCustCodonDialog::CodonMessage() const
{
    return ui_->codonMessage->text();
}

QString CCustCodonDialog::SelectedAminoAcid() const
{
    return ui_->aminoAcid->currentText();
}

bool CCustCodonDialog::CheckCodon(int ignoredIndex)
{
    const auto check = CCustCodonRules::CheckCodon(FieldText(ui_->codon), codons_, ignoredIndex);
    if (check.verdict != CCustCodonRules::Verdict::Valid) {
        ShowCheckMessage(check);
        return false;
    }
    checked_ = check.codon;
    return true;
}

void CCustCodonDialog::ShowCheckMessage(const CCustCodonRules::Check& check)
{
    const bool duplicate = check.verdict == CCustCodonRules::Verdict::Duplicate;
    const QString text = duplicate ? ToQt(CCustCodonRules::DuplicateMessage(codons_[check.duplicateIndex]))
                                   : QString::fromLatin1(CCustCodonRules::kWrongLength);
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Quillion"), text, QMessageBox::Ok, this);
    box.exec();
    // Shows the row that holds it; selecting it loads its codon.
    if (duplicate) Grid()->setCurrentCell(check.duplicateIndex, 1);
    FocusField(ui_->codon);
}

void CCustCodonDialog::InsertCodon()
{
    if (!CheckCodon(-1)) return;
    Insert();
    ui_->codon->clear();
    FocusField(ui_->codon);
}

void CCustCodonDialog::ReplaceCodon()
{
    if (Rows().CurrentRow() < 1) return;
    // The replaced row's own codon may stay.
    if (!CheckCodon(Rows().CurrentIndex())) return;
    Replace();
    ui_->codon->clear();
    FocusField(ui_->codon);
}

void CCustCodonDialog::accept()
{
    const auto check = CCustCodonRules::CheckCodon(FieldText(ui_->codon), codons_);
    switch (CCustCodonRules::OnOK(check, Rows().CurrentIndex(), Rows().FieldsHoldDeletedRow())) {
    case CCustCodonRules::OkStep::StayOpen: ShowCheckMessage(check); return;
    case CCustCodonRules::OkStep::InsertThenClose:
        checked_ = check.codon;
        Insert();
        break;
    case CCustCodonRules::OkStep::Close: break;
    }
    // Nothing on this screen needs validating.
    QDialog::accept();
}

void CCustCodonDialog::HandOver()
{
    const CBaseSequence::CodonTable table = CCustCodonRules::ToTable(codons_);
    if (table == sequence_.GetCustomCodons()) return;
    // Emptied or changed: either way the project has something to save.
    sequence_.GetCustomCodons() = table;
    Document().SetModified();
}

// The last row deleted: its codon leaves the field too, so that nothing
// looks like input still to insert.
void CCustCodonDialog::AfterDelete()
{
    CTableDialog::AfterDelete();
    if (Rows().CurrentRow() == 0) EmptyFields();
}

void CCustCodonDialog::InsertRecord(int index)
{
    codons_.insert(codons_.begin() + index, {checked_, FromQt(SelectedAminoAcid())});
}

void CCustCodonDialog::RemoveRecord(int index)
{
    codons_.erase(codons_.begin() + index);
}

void CCustCodonDialog::LoadFields(int index)
{
    SetFieldText(ui_->codon, codons_[index].codon);
}

QString CCustCodonDialog::RowText(int index) const
{
    return ToQt(codons_[index].aminoAcid) + QLatin1Char('\t') + ToQt(codons_[index].codon);
}

bool CCustCodonDialog::KeyFieldFilled() const
{
    return CCustCodonRules::CheckCodon(FieldText(ui_->codon), {}).verdict != CCustCodonRules::Verdict::Empty;
}

bool CCustCodonDialog::FieldsDiffer(int index) const
{
    return CCustCodonRules::CheckCodon(FieldText(ui_->codon), {}).codon != codons_[index].codon;
}

void CCustCodonDialog::EmptyFields()
{
    ui_->codon->clear();
}

QWidget* CCustCodonDialog::FirstField() const
{
    return ui_->codon;
}

// Another amino acid: the field starts empty, and the grid lists the table
// grouped again, so that the rows added at the end join their group.
void CCustCodonDialog::OnAminoAcidChosen()
{
    const int current = Rows().CurrentIndex();
    const std::string currentCodon = current >= 0 && current < RecordCount() ? codons_[current].codon : std::string();
    codons_ = CCustCodonRules::Grouped(std::move(codons_));
    for (int index = 0; index < RecordCount(); ++index) {
        const QStringList cells = RowText(index).split(QLatin1Char('\t'));
        for (int column = 1; column <= cells.size(); ++column)
            if (QTableWidgetItem* item = Grid()->item(index, column)) item->setText(cells[column - 1]);
    }
    // The selected codon stays selected in its new place.
    const auto moved = std::find_if(codons_.begin(), codons_.end(),
                                    [&](const CCustomCodon& entry) { return entry.codon == currentCodon; });
    if (!currentCodon.empty() && moved != codons_.end()) Grid()->setCurrentCell(int(moved - codons_.begin()), 1);
    ui_->codon->clear();
    ui_->codonMessage->clear();
}

void CCustCodonDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        done(kEscaped);
        return;
    }
    CTableDialog::keyPressEvent(event);
}

}  // namespace qln
