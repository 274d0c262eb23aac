#include "screens/FeatureDialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTextCursor>
#include <algorithm>

#include "widgets/Latin1Text.h"
#include "model/ResidueFile.h"
#include "screens/FeatureNameLists.h"
#include "screens/FeatureNamesDialog.h"
#include "screens/ScreenFields.h"
#include "ui_FeatureDialog.h"

namespace qln {

namespace {

constexpr const char* kHeader = "Item|Feature Name                        |From Column   |To Column      ";
constexpr const char* kMessageTitle = "Quillion";
constexpr const char* kSecondMatPeptide =
    "Attempt to add multiple \"Mat_peptide\".  \"Mat_peptide\" must be unique to each sequence.";
constexpr const char* kMatPeptideNeedsJoin = "The \"mat_peptide\" on your list requires all CDSs to be joined.";
constexpr const char* kReplaceMatPeptide =
    "All of the CDSs will be no longer joined after replacing this \"Mat_peptide\". \nDo you still want to continue?";
constexpr const char* kDeleteMatPeptide =
    "All of the CDSs will be no longer joined after deleting the \"Mat_peptide\". \nDo you still want to continue?";
constexpr const char* kOtherInfoFull =
    "The Other Information field holds at most 260 characters: the chosen text was not added.";

}  // namespace

CFeatureDialog::CFeatureDialog(CScreenDocument& document, CSequence& sequence, QWidget* parent)
    : CRecordTableDialog(document, sequence.GetFeatures(), CInsertPlace::AtEnd, parent),
      sequence_(sequence),
      working_(sequence.MakeWorkingCopy()),
      ui_(std::make_unique<Ui::FeatureDialog>())
{
    ui_->setupUi(this);
    // The copies are checked as features of the working copy.
    for (int index = 0; index < WorkingList().Count(); ++index) WorkingList().At(index).SetParent(working_.get());

    ui_->sequenceType->setText(ToQt(sequence.GetTypeName()));
    ui_->stringLength->setText(QString::number(sequence.GetResidueCount()));
    ui_->joinCDS->hide();
    SetUpTable(QString::fromLatin1(kHeader), ToQt(sequence.GetName()));

    // The row buttons get the feature rules around the grid's mechanics.
    ui_->insertButton->disconnect(this);
    ui_->replaceButton->disconnect(this);
    ui_->deleteButton->disconnect(this);
    connect(ui_->insertButton, &QPushButton::clicked, this, &CFeatureDialog::InsertFeature);
    connect(ui_->replaceButton, &QPushButton::clicked, this, &CFeatureDialog::ReplaceFeature);
    connect(ui_->deleteButton, &QPushButton::clicked, this, &CFeatureDialog::DeleteFeature);
    connect(ui_->namesButton, &QPushButton::clicked, this, &CFeatureDialog::ChooseName);
    connect(ui_->joinCDS, &QCheckBox::clicked, this, &CFeatureDialog::ClickJoin);
    connect(ui_->otherInfo, &QPlainTextEdit::textChanged, this, [this] {
        KeepOtherInfoWithinLimit();
        if (!loading_) MutableRows().FieldsChanged();
    });
    ui_->otherInfo->installEventFilter(this);

    joinFlag_ = WorkingList().Count() > 0 && WorkingList().At(0).IsJoined();
    ListChanged();
}

CFeatureDialog::~CFeatureDialog() = default;

void CFeatureDialog::HandOver()
{
    CArray<Ptr<CFeature>> copies = Records();
    for (const Ptr<CFeature>& feature : copies) feature->SetParent(&sequence_);
    sequence_.GetFeatures() = std::move(copies);
}

// ---- the rows ---------------------------------------------------------------------------

bool CFeatureDialog::InsertFeature()
{
    MutableRows().FieldsChanged();
    if (CFeatureRules::RefusesInsert(Typed().key, Count())) {
        RefuseSecondMatPeptide();
        return false;
    }
    Insert();
    ListChanged();
    FocusField(ui_->key);
    return true;
}

void CFeatureDialog::ReplaceFeature()
{
    if (Rows().CurrentIndex() < 0 || Rows().CurrentIndex() >= RecordCount()) return;
    const std::string key = Typed().key;
    const bool selectedIsMatPeptide = SelectedIsMatPeptide();
    if (CFeatureRules::AsksBeforeReplace(key, selectedIsMatPeptide, Count())) {
        if (!Ask(kReplaceMatPeptide)) return;
        joinFlag_ = false;
    }
    if (CFeatureRules::RefusesReplace(key, selectedIsMatPeptide, Count())) {
        RefuseSecondMatPeptide();
        return;
    }
    Replace();
    ListChanged();
    FocusField(ui_->key);
}

void CFeatureDialog::DeleteFeature()
{
    if (Rows().CurrentIndex() < 0 || Rows().CurrentIndex() >= RecordCount()) return;
    if (CFeatureRules::AsksBeforeDelete(SelectedIsMatPeptide(), Count())) {
        if (!Ask(kDeleteMatPeptide)) return;
        joinFlag_ = false;
    }
    Delete();  // loads the new current row and marks the fields as deleted
    if (Count().codingRegions < 2) joinFlag_ = false;
    ListChanged();
    FocusField(ui_->key);
}

void CFeatureDialog::ListChanged()
{
    for (int index = 0; index < WorkingList().Count(); ++index) WorkingList().At(index).SetRow(index + 1);

    const CFeatureRules::Join join = CFeatureRules::ApplyJoinRule(joinFlag_, Count());
    joinFlag_ = join.flag;
    if (join.giveToEveryFeature) GiveJoinFlagToEveryFeature();
    if (join.box == CFeatureRules::JoinBox::Hidden) {
        ui_->joinCDS->hide();
    } else if (join.box == CFeatureRules::JoinBox::Shown) {
        ui_->joinCDS->setChecked(joinFlag_);
        ui_->joinCDS->show();
    }
}

void CFeatureDialog::ClickJoin(bool checked)
{
    const CFeatureRules::JoinClick click = CFeatureRules::ClickJoin(checked, Count());
    joinFlag_ = click.flag;
    if (click.forced) {
        ui_->joinCDS->setChecked(true);
        QMessageBox::information(this, QLatin1String(kMessageTitle), QString::fromLatin1(kMatPeptideNeedsJoin));
        return;
    }
    GiveJoinFlagToEveryFeature();
}

void CFeatureDialog::GiveJoinFlagToEveryFeature()
{
    for (int index = 0; index < WorkingList().Count(); ++index) WorkingList().At(index).SetJoined(joinFlag_);
}

void CFeatureDialog::RefuseSecondMatPeptide()
{
    QMessageBox::critical(this, QLatin1String(kMessageTitle), QString::fromLatin1(kSecondMatPeptide));
}

bool CFeatureDialog::Ask(const char* question)
{
    return QMessageBox::question(this, QLatin1String(kMessageTitle), QString::fromLatin1(question),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

CFeatureRules::Census CFeatureDialog::Count() const
{
    CFeatureRules::Census census;
    for (int index = 0; index < WorkingList().Count(); ++index) census.Add(WorkingList().At(index));
    return census;
}

bool CFeatureDialog::SelectedIsMatPeptide() const
{
    const int index = Rows().CurrentIndex();
    return index >= 0 && index < RecordCount() && CFeatureRules::IsMatPeptide(WorkingList().At(index));
}

// ---- the fields ---------------------------------------------------------------------------

CFeatureFields CFeatureDialog::Typed() const
{
    return {FieldText(ui_->key), FieldText(ui_->from), FieldText(ui_->to),
            CFeatureRules::WithStoredLineBreaks(FromQt(ui_->otherInfo->toPlainText()))};
}

Ptr<CFeature> CFeatureDialog::BuildRecord() const
{
    const CFeatureFields fields = CFeatureRules::ForInsert(Typed());
    Ptr<CFeature> feature = MakeFeatureForKey(working_.get(), fields.key, fields.comment, fields.from, fields.to,
                                              joinFlag_);
    feature->SetRow(RecordCount() + 1);
    return feature;
}

void CFeatureDialog::LoadRecord(const CFeature& record)
{
    loading_ = true;
    SetFieldText(ui_->key, record.GetKey());
    SetFieldText(ui_->from, record.GetFromText());
    SetFieldText(ui_->to, record.GetToText());
    SetOtherInfo(ToQt(record.GetComment()));
    loading_ = false;
}

QString CFeatureDialog::RecordText(const CFeature& record) const
{
    const std::string& key = record.GetKey();
    return ToQt(key + "\t" + CFeatureRules::PositionShown(key, record.GetFromText()) + "\t" +
                CFeatureRules::PositionShown(key, record.GetToText()));
}

bool CFeatureDialog::DiffersFrom(const CFeature& record) const
{
    return CFeatureRules::Differs(Typed(), record);
}

bool CFeatureDialog::KeyFieldFilled() const
{
    return !ui_->key->text().trimmed().isEmpty();
}

void CFeatureDialog::EmptyFields()
{
    ui_->key->clear();
    ui_->from->clear();
    ui_->to->clear();
    ui_->otherInfo->clear();
}

QWidget* CFeatureDialog::FirstField() const
{
    return ui_->key;
}

void CFeatureDialog::SetOtherInfo(const QString& text)
{
    ui_->otherInfo->setPlainText(text);
    ui_->otherInfo->moveCursor(QTextCursor::End);
}

// Like a limited edit control: what the user types or pastes beyond the
// limit is dropped where it went in. A longer text loaded from a feature
// stays as it is.
void CFeatureDialog::KeepOtherInfoWithinLimit()
{
    const int length = ui_->otherInfo->document()->characterCount() - 1;
    const int before = otherInfoLength_;
    otherInfoLength_ = length;
    if (loading_ || length <= kOtherInfoLimit || length <= before) return;
    const int excess = length - std::max(before, kOtherInfoLimit);
    QTextCursor cursor = ui_->otherInfo->textCursor();
    const int end = cursor.position() >= excess ? cursor.position() : length;
    cursor.setPosition(end - excess);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();  // comes back here with the shorter text
    ui_->otherInfo->setTextCursor(cursor);
    QApplication::beep();
}

// Enter in the other information moves on, as in the one-line fields.
bool CFeatureDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui_->otherInfo && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            !(key->modifiers() & ~Qt::KeypadModifier)) {
            OnEnter(ui_->otherInfo);
            return true;
        }
    }
    return CRecordTableDialog::eventFilter(watched, event);
}

void CFeatureDialog::ChooseName()
{
    CFeatureNamesDialog names(sequence_.GetTypeName(), ui_->key->text(), this);
    if (names.exec() == QDialog::Accepted) {
        ui_->key->setText(names.Key());
        ui_->key->setCursorPosition(0);
        QString other = ui_->otherInfo->toPlainText();
        if (CFeatureNameLists::AddExtraText(other, names.ExtraText(), kOtherInfoLimit)) {
            if (other != ui_->otherInfo->toPlainText()) SetOtherInfo(other);
        } else {
            QApplication::beep();
            SetStatusLine(QString::fromLatin1(kOtherInfoFull));
        }
        MutableRows().FieldsChanged();
    }
    FocusField(ui_->key);
}

// ---- OK and Validate ---------------------------------------------------------------------

// A refused feature keeps the screen open with what was typed.
bool CFeatureDialog::BeforeOK()
{
    return !HasPendingInput() || InsertFeature();
}

// The working copy checks the working list as its features, as the sequence
// would check its own.
StringList CFeatureDialog::CollectMessages()
{
    CArray<Ptr<CFeature>>& features = working_->GetFeatures();
    features.RemoveAll();
    for (int index = 0; index < WorkingList().Count(); ++index) {
        CFeature& feature = WorkingList().At(index);
        feature.SetRow(index + 1);
        features.Add(Ptr<CFeature>(&feature));
    }
    StringList messages;
    try {
        messages = working_->CheckedFeatures(0);
    } catch (const CResidueFileError& error) {
        messages = {error.what()};
    }
    features.RemoveAll();
    return messages;
}

}  // namespace qln
