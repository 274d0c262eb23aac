#include "screens/FeatureNamesDialog.h"

#include <QDir>
#include <QMessageBox>

#include "widgets/DataFolder.h"
#include "widgets/Help.h"
#include "screens/FeatureNameLists.h"
#include "ui_FeatureNamesDialog.h"

namespace qln {

CFeatureNamesDialog::CFeatureNamesDialog(const std::string& typeName, const QString& key, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::FeatureNamesDialog>())
{
    ui_->setupUi(this);
    ui_->kindLabel->setText(typeName == "PRT" ? QStringLiteral("AminoAcids:") : QStringLiteral("Nucleotide:"));
    ui_->modifiedBase->addItems(CFeatureNameLists::ModifiedBases());
    ui_->lipid->addItems(CFeatureNameLists::Lipids());
    ui_->modification->addItems(CFeatureNameLists::Modifications());
    ui_->aminoAcid->addItems(CFeatureNameLists::ModifiedAminoAcids());
    ui_->okButton->setDefault(true);
    ui_->cancelButton->setAutoDefault(false);
    InstallHelpKey(this, QStringLiteral("FeatureHelp.md"));

    // Room for the widest of the extra lists, so that the window keeps its
    // size whichever of them shows.
    setMinimumSize(sizeHint());

    const QString path = CDataFolder::FilePath(CFeatureNameLists::KeyFileName(typeName));
    if (!CFeatureNameLists::ReadKeyFile(path, keys_))
        QMessageBox::critical(
            this, QStringLiteral("Quillion"),
            QStringLiteral("The Feature Name file %1 could not be found.").arg(QDir::toNativeSeparators(path)));
    ui_->keys->addItems(keys_);

    ui_->key->setText(key);
    OnTyped(key);
    ShowExtraLists();

    connect(ui_->key, &QLineEdit::textEdited, this, &CFeatureNamesDialog::OnTyped);
    connect(ui_->key, &QLineEdit::editingFinished, this, &CFeatureNamesDialog::OnKeyFieldLeft);
    connect(ui_->keys, &QListWidget::itemSelectionChanged, this, &CFeatureNamesDialog::OnListSelection);
    connect(ui_->keys, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) { TakeKey(item->text()); });
    connect(ui_->okButton, &QPushButton::clicked, this, &CFeatureNamesDialog::accept);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &CFeatureNamesDialog::reject);
    ui_->key->setFocus();
}

CFeatureNamesDialog::~CFeatureNamesDialog() = default;

QString CFeatureNamesDialog::Key() const
{
    return ui_->key->text().trimmed();
}

QString CFeatureNamesDialog::ExtraText() const
{
    CFeatureNameLists::Choice choice;
    choice.modifiedBase = ui_->modifiedBase->currentText();
    choice.lipid = ui_->lipid->currentText();
    choice.modification = ui_->modification->currentText();
    choice.aminoAcid = ui_->aminoAcid->currentText();
    return CFeatureNameLists::ExtraText(CFeatureNameLists::ExtraFor(Key()), choice);
}

void CFeatureNamesDialog::accept()
{
    if (ui_->key->hasFocus()) OnKeyFieldLeft();
    QDialog::accept();
}

// Type-ahead: the first key that begins with what is typed is selected,
// while the typed text stays as it is.
void CFeatureNamesDialog::OnTyped(const QString& typed)
{
    typing_ = true;
    const int match = CFeatureNameLists::FirstMatch(keys_, typed.trimmed());
    if (match >= 0) {
        ui_->keys->setCurrentRow(match);
        ui_->keys->scrollToItem(ui_->keys->item(match));
    } else {
        ui_->keys->clearSelection();
    }
    typing_ = false;
}

void CFeatureNamesDialog::OnListSelection()
{
    if (typing_) return;
    const QList<QListWidgetItem*> selected = ui_->keys->selectedItems();
    if (!selected.isEmpty()) TakeKey(selected.first()->text());
}

// Leaving the field takes the key its text found; a key that is not in the
// list stays as typed.
void CFeatureNamesDialog::OnKeyFieldLeft()
{
    const QString typed = ui_->key->text().trimmed();
    if (typed.isEmpty()) return;
    const int match = CFeatureNameLists::FirstMatch(keys_, typed);
    if (match >= 0)
        TakeKey(keys_[match]);
    else
        ShowExtraLists();
}

void CFeatureNamesDialog::TakeKey(const QString& key)
{
    if (ui_->key->text() != key) ui_->key->setText(key);
    ShowExtraLists();
}

void CFeatureNamesDialog::ShowExtraLists()
{
    const CFeatureNameLists::Extra extra = CFeatureNameLists::ExtraFor(ui_->key->text());
    ui_->modifiedBaseGroup->setVisible(extra == CFeatureNameLists::Extra::ModifiedBase);
    ui_->lipidGroup->setVisible(extra == CFeatureNameLists::Extra::Lipid);
    ui_->modResGroup->setVisible(extra == CFeatureNameLists::Extra::ModRes);
}

}  // namespace qln
