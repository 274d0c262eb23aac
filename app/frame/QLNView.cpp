// The main view's form, its list and current sequence, and its buttons; what
// happens in the sequence editor is in QLNViewEditor.cpp.
#include "app/frame/QLNView.h"

#include <QApplication>
#include <algorithm>
#include <QCheckBox>
#include <QClipboard>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBlock>
#include <QTimer>
#include <QVBoxLayout>

#include "app/sequences/AddSequenceDialog.h"
#include "app/sequences/ChangeSequenceTypeDialog.h"
#include "app/frame/DisplayLayout.h"
#include "widgets/ErrorMsgDialog.h"
#include "widgets/Help.h"
#include "widgets/Latin1Text.h"
#include "app/document/QLNDoc.h"
#include "widgets/RedStatic.h"
#include "app/sequences/RenameDialog.h"
#include "app/sequences/ReorderSeqDialog.h"
#include "app/sequences/RestoreSeqDialog.h"
#include "app/frame/SearchEdit.h"
#include "app/frame/EditCommands.h"
#include "app/frame/OrganismField.h"
#include "app/frame/SeqEdit.h"
#include "app/frame/SequenceList.h"
#include "app/frame/ViewRules.h"
#include "ui_QLNView.h"
#include "widgets/WaitCursor.h"
#include "model/AsciiText.h"
#include "model/Feature.h"
#include "model/Project.h"
#include "model/ResidueFile.h"
#include "model/Sequence.h"
#include "screens/CustCodonDialog.h"
#include "screens/FeatureDialog.h"
#include "screens/FeatureRules.h"
#include "screens/PublicationScreens.h"

namespace qln {

CQLNView::CQLNView(CCQLNDoc& document, QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::QLNView>()), document_(document), documentAlive_(&document)
{
    BuildForm();
    ConnectControls();
    document_.SetEditorCommit([this] { CommitEditor(); });
    Rebuild();
}

CQLNView::~CQLNView()
{
    if (documentAlive_) documentAlive_->SetEditorCommit({});
}

CProject& CQLNView::Project() const
{
    return document_.Project();
}

CSequence* CQLNView::CurrentSequence() const
{
    return current_.get();
}

// ---- the form ---------------------------------------------------------------------

void CQLNView::BuildForm()
{
    ui_->setupUi(this);
    edit_ = std::make_unique<CEditCommands>(
        ui_->editor, ui_->search, ui_->organism, [this](const QString& text) { PasteIntoEditor(text); },
        [this] { return current_ != nullptr; });
    // A full layout line is 75 characters; the editor shows it whole.
    const QFontMetrics pitch(ui_->editor->font());
    ui_->editor->setMinimumWidth(pitch.horizontalAdvance(QString(78, QLatin1Char('0'))) +
                                 ui_->editor->verticalScrollBar()->sizeHint().width() + 8);
    ui_->editor->setMinimumHeight(pitch.lineSpacing() * 16);
    for (QLineEdit* number : {ui_->cursorPosition, ui_->stringLength, ui_->lineNumber})
        number->setMaximumWidth(QFontMetrics(number->font()).horizontalAdvance(QString(12, QLatin1Char('0'))));
    ui_->sequenceList->setMinimumWidth(
        QFontMetrics(ui_->sequenceList->font()).horizontalAdvance(QString(22, QLatin1Char('M'))));

    auto* nextPane = new QShortcut(QKeySequence(Qt::Key_F6), this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(nextPane, &QShortcut::activated, this, [this] { MoveToPane(1); });
    auto* previousPane = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6), this, nullptr, nullptr,
                                       Qt::WidgetWithChildrenShortcut);
    connect(previousPane, &QShortcut::activated, this, [this] { MoveToPane(-1); });
}

void CQLNView::MoveToPane(int step)
{
    QWidget* const panes[] = {ui_->sequenceList, ui_->organism, ui_->editor};
    constexpr int count = 3;
    int at = count - 1;
    for (int i = 0; i < count; ++i)
        if (panes[i]->hasFocus() || (i == 1 && ui_->search->hasFocus())) at = i;
    for (int tries = 1; tries <= count; ++tries) {
        QWidget* pane = panes[(at + step * tries + 2 * count) % count];
        if (pane->isEnabled()) {
            pane->setFocus(Qt::ShortcutFocusReason);
            return;
        }
    }
}

QString CQLNView::PrintableText() const
{
    if (!current_) return {};
    return tr("Sequence Name: %1\nSequence Type: %2\nOrganism: %3\nString Length: %4\n\n%5")
        .arg(ui_->sequenceName->text(), ui_->sequenceType->text(), ui_->organism->text(), ui_->stringLength->text(),
             ui_->editor->toPlainText());
}

void CQLNView::ConnectControls()
{
    connect(&document_, &CCQLNDoc::ProjectReplaced, this, &CQLNView::Rebuild);
    // Sequences imported into an empty project are shown from the first.
    connect(&document_, &CCQLNDoc::SequencesChanged, this, [this] {
        const bool wasEmpty = !current_;
        RefillList(false);
        if (wasEmpty && ui_->sequenceList->count() > 1) SelectRow(0);
        emit CommandStateChanged();
    });
    // Reloading needs a file: none before the first save.
    connect(&document_, &CCQLNDoc::PathChanged, this,
            [this] { ui_->reloadSavedProject->setEnabled(document_.HasFileOnDisk()); });
    connect(&document_, &CCQLNDoc::ModifiedChanged, this,
            [this] { ui_->reloadSavedProject->setEnabled(document_.HasFileOnDisk()); });
    connect(ui_->sequenceList, &QListWidget::currentRowChanged, this, [this] { LoadSelection(); });
    connect(ui_->clear, &QPushButton::clicked, this, &CQLNView::ClearFields);
    connect(ui_->go, &QPushButton::clicked, this, &CQLNView::OnGo);
    connect(ui_->search, &QLineEdit::returnPressed, this, &CQLNView::OnGo);
    connect(ui_->skip, &QCheckBox::clicked, this, &CQLNView::OnSkipClicked);
    // The switch is saved with the project: changing it is a change.
    connect(ui_->missingFeatures, &QCheckBox::clicked, this, [this](bool checked) {
        Project().SetCheckMissingFeatures(checked);
        MarkModified();
    });
    connect(ui_->add, &QPushButton::clicked, this, &CQLNView::OnAdd);
    // The import shows what it added itself, as soon as it has added it.
    connect(ui_->importSequences, &QPushButton::clicked, this, [this] {
        CommitEditor();
        emit ImportRequested();
        ui_->editor->setFocus();
    });
    connect(ui_->deleteSequence, &QPushButton::clicked, this, &CQLNView::OnDelete);
    connect(ui_->restore, &QPushButton::clicked, this, &CQLNView::OnRestore);
    connect(ui_->reorder, &QPushButton::clicked, this, &CQLNView::OnReorder);
    connect(ui_->alterSeqType, &QPushButton::clicked, this, &CQLNView::OnAlterSeqType);
    connect(ui_->validate, &QPushButton::clicked, this, &CQLNView::OnValidate);
    connect(ui_->saveProject, &QPushButton::clicked, this, &CQLNView::OnSaveProject);
    connect(ui_->help, &QPushButton::clicked, this, [this] { CHelp::ShowPage(this, "SequenceHelp.md"); });
    connect(ui_->reloadSavedProject, &QPushButton::clicked, this, &CQLNView::OnReloadSavedProject);

    organismField_ = new COrganismField(
        document_, ui_->organism, ui_->standard, ui_->custom, this, [this] { return current_; },
        [this] { CommitEditor(); });
    connect(organismField_, &COrganismField::Edited, this, [this] {
        MarkModified();
        emit CommandStateChanged();  // the comment command follows the organism
    });
    connect(organismField_, &COrganismField::Focused, this, [this] {
        edit_->SetTarget(CEditCommands::Target::Organism);
        emit CommandStateChanged();
    });
    connect(ui_->search, &CSearchEdit::FocusReceived, this, [this] {
        edit_->SetTarget(CEditCommands::Target::Search);
        emit CommandStateChanged();
    });
    connect(ui_->editor, &CSeqEdit::FocusReceived, this, [this] {
        edit_->SetTarget(CEditCommands::Target::Editor);
        emit CommandStateChanged();
    });
    ui_->editor->SetCharacterFilter([this](QChar typed) { return FilterTypedCharacter(typed); });
    connect(ui_->editor, &CSeqEdit::DeletePressed, this, &CQLNView::OnDeletePressed);
    connect(ui_->editor, &CSeqEdit::PasteRequested, this, &CQLNView::PasteIntoEditor);
    connect(ui_->editor->document(), &QTextDocument::contentsChanged, this, &CQLNView::OnEditorChanged);
    connect(ui_->editor, &QPlainTextEdit::cursorPositionChanged, this, &CQLNView::RefreshPositionLine);
    connect(ui_->editor, &QPlainTextEdit::copyAvailable, this, &CQLNView::CommandStateChanged);
    connect(ui_->editor, &QPlainTextEdit::undoAvailable, this, &CQLNView::CommandStateChanged);
    connect(ui_->search, &QLineEdit::selectionChanged, this, &CQLNView::CommandStateChanged);
    connect(ui_->organism, &QLineEdit::selectionChanged, this, &CQLNView::CommandStateChanged);
}

// ---- the list and the current sequence -----------------------------------------------

void CQLNView::Rebuild()
{
    organismField_->CloseListFor(nullptr);
    // The sequence of the replaced project goes without being stored: the
    // document has already asked about unsaved changes.
    current_ = nullptr;
    search_.Forget();
    const QSignalBlocker blocker(ui_->sequenceList);
    ui_->sequenceList->clear();
    QStringList names;
    names.reserve(Project().GetSequences().GetSize());
    for (const auto& sequence : Project().GetSequences()) names.append(ToQt(sequence->GetName()));
    ui_->sequenceList->addItems(names);
    ui_->missingFeatures->setChecked(Project().GetCheckMissingFeatures());
    SelectRow(names.isEmpty() ? -1 : 0);
}

void CQLNView::RefillList(bool selectLast)
{
    const CArray<Ptr<CSequence>>& sequences = Project().GetSequences();
    int currentRow = -1;
    QStringList names;
    names.reserve(sequences.GetSize());
    for (int i = 0; i < sequences.GetSize(); ++i) {
        names.append(ToQt(sequences[i]->GetName()));
        if (sequences[i] == current_) currentRow = i;
    }
    {
        const QSignalBlocker blocker(ui_->sequenceList);
        ui_->sequenceList->clear();
        ui_->sequenceList->addItems(names);
    }
    SelectRow(currentRow >= 0 && !selectLast ? currentRow : static_cast<int>(names.size()) - 1);
}

void CQLNView::SelectRow(int row)
{
    {
        const QSignalBlocker blocker(ui_->sequenceList);
        ui_->sequenceList->setCurrentRow(row);
        if (row < 0) ui_->sequenceList->clearSelection();
    }
    LoadSelection();
}

void CQLNView::LoadSelection()
{
    organismField_->SequenceSelected();
    // Whatever is selected, typed residues go into the sequence they were
    // typed into before anything else is shown.
    CommitEditor();
    const int row = ui_->sequenceList->currentRow();
    CArray<Ptr<CSequence>>& sequences = Project().GetSequences();
    if (row < 0 || row >= sequences.GetSize()) {
        if (current_) {
            try {
                current_->UnloadResidues();
            } catch (const CResidueFileError& error) {
                ShowStop(QString::fromLatin1(error.what()));
            }
        }
        current_ = nullptr;
        ClearFields();
        SetSequenceControlsEnabled(false);
        emit CommandStateChanged();
        return;
    }

    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Ptr<CSequence> selected = sequences[row];
    auto report = [this](const CResidueFileError& error) {
        QApplication::restoreOverrideCursor();
        ShowStop(QString::fromLatin1(error.what()));
        QApplication::setOverrideCursor(Qt::WaitCursor);
    };
    if (selected != current_) {
        try {
            // An old sequence that can't be parked just stays in memory.
            if (current_) current_->UnloadResidues();
        } catch (const CResidueFileError& error) {
            report(error);
        }
        current_ = selected;
        search_.Forget();
    }
    bool loaded = true;
    try {
        current_->LoadResidues();
    } catch (const CResidueFileError& error) {
        loaded = false;
        report(error);
    }
    if (loaded) {
        ShowFormatted();
    } else {
        // Residues that could not be read back are not shown, nor stored over.
        editorHoldsResidues_ = false;
        SetEditorText({});
        residueCount_.Set(0);
    }

    loading_ = true;
    organismField_->Show(current_->GetOrganism());
    ui_->skip->setChecked(current_->IsSkipped());
    ui_->sequenceType->setText(ToQt(current_->GetTypeName()));
    ui_->sequenceName->setText(ToQt(current_->GetName()));
    ui_->search->clear();
    loading_ = false;
    SetSequenceControlsEnabled(true);  // after the type: AlterSeqType follows it
    RefreshPositionLine();
    // Walking the list with the keys keeps the keyboard there.
    if (!ui_->sequenceList->IsKeyboardSelecting()) ui_->editor->setFocus();
    QApplication::restoreOverrideCursor();
    emit CommandStateChanged();
}

void CQLNView::SetSequenceControlsEnabled(bool enabled)
{
    const CViewRules::Controls controls = CViewRules::ControlsFor(enabled, FromQt(ui_->sequenceType->text()),
                                                                  Project().HasDeletedSequences());
    for (QWidget* control : std::initializer_list<QWidget*>{ui_->sequenceList, ui_->organism, ui_->search, ui_->clear,
                                                            ui_->standard, ui_->go, ui_->reorder, ui_->validate,
                                                            ui_->custom, ui_->deleteSequence, ui_->skip})
        control->setEnabled(controls.sequenceControls);
    ui_->alterSeqType->setEnabled(controls.alterSeqType);
    ui_->restore->setEnabled(controls.restore);
    ui_->reloadSavedProject->setEnabled(document_.HasFileOnDisk());
    // The editor stays readable while disabled: read-only on grey.
    ui_->editor->setReadOnly(!controls.sequenceControls || !editorHoldsResidues_);
    QPalette colours = ui_->editor->palette();
    colours.setColor(QPalette::Base, palette().color(controls.sequenceControls ? QPalette::Base : QPalette::Window));
    ui_->editor->setPalette(colours);
}

void CQLNView::ClearFields()
{
    loading_ = true;
    organismField_->Show({});
    ui_->search->clear();
    ui_->sequenceType->clear();
    ui_->sequenceName->clear();
    ui_->skip->setChecked(false);
    ui_->editor->setPlainText(QString());
    loading_ = false;
    // The emptied editor is what a later commit stores.
    ui_->editor->document()->setModified(true);
    editorHoldsResidues_ = true;
    if (current_ && ui_->sequenceList->isEnabled()) ui_->editor->setReadOnly(false);
    residueCount_.Set(0);
    search_.Forget();
    RefreshPositionLine();
    ui_->cursorPosition->setText("1");
    ui_->lineNumber->clear();
    ui_->editor->setFocus();
    displayFormatted_ = false;
}

void CQLNView::MarkModified()
{
    if (!document_.IsModified()) document_.SetModified(true);
}

// ---- the buttons ----------------------------------------------------------------------

void CQLNView::OnAdd()
{
    CommitEditor();
    CAddSequenceDialog dialog(Project().GetSequences(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    ClearFields();
    try {
        if (current_) current_->UnloadResidues();
    } catch (const CResidueFileError& error) {
        ShowStop(QString::fromLatin1(error.what()));
    }
    Ptr<CSequence> sequence;
    CProject* project = &Project();
    switch (dialog.TypeIndex()) {
    case 1: sequence = new CRNASequence(project, dialog.Name(), {}, {}); break;
    case 2: sequence = new CDNARNASequence(project, dialog.Name(), {}, {}); break;
    case 3: sequence = new CProtein1Sequence(project, dialog.Name(), {}, {}); break;
    default: sequence = new CDNASequence(project, dialog.Name(), {}, {}); break;
    }
    Project().Add(sequence.get());
    {
        const QSignalBlocker blocker(ui_->sequenceList);
        ui_->sequenceList->addItem(ToQt(sequence->GetName()));
    }
    // The new sequence is current before it is selected, so that the cleared
    // fields go into the new one, not the old one.
    current_ = sequence;
    SelectRow(ui_->sequenceList->count() - 1);
    MarkModified();
    residueCount_.Set(0);
    RefreshPositionLine();
}

void CQLNView::OnDelete()
{
    const int row = ui_->sequenceList->currentRow();
    if (row < 0 || row >= Project().GetSequences().GetSize()) return;
    CommitEditor();
    const Ptr<CSequence> doomed = Project().GetSequences()[row];
    organismField_->CloseListFor(doomed.get());
    if (doomed == current_) {
        try {
            current_->UnloadResidues();
        } catch (const CResidueFileError& error) {
            ShowStop(QString::fromLatin1(error.what()));
        }
        current_ = nullptr;
    }
    Project().Delete(doomed.get());
    {
        const QSignalBlocker blocker(ui_->sequenceList);
        delete ui_->sequenceList->takeItem(row);
    }
    SelectRow(CViewRules::RowAfterDelete(row, ui_->sequenceList->count()));
    MarkModified();
}

void CQLNView::OnRestore()
{
    CommitEditor();
    CRestoreSeqDialog dialog(
        Project(), [this](const std::string& name) { RestoreSequence(name); }, this);
    dialog.exec();
    SetSequenceControlsEnabled(ui_->sequenceList->count() > 0);
    emit CommandStateChanged();
}

void CQLNView::RestoreSequence(const std::string& deletedName)
{
    CommitEditor();
    Project().Restore(deletedName);
    {
        const QSignalBlocker blocker(ui_->sequenceList);
        ui_->sequenceList->addItem(ToQt(deletedName));
    }
    SelectRow(ui_->sequenceList->count() - 1);
    MarkModified();
}

void CQLNView::OnReorder()
{
    // The order changes under the list: what was typed goes in first.
    CommitEditor();
    CReorderSeqDialog dialog(Project().GetSequences(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    MarkModified();
    Project().GetSequences() = dialog.NewOrder();
    RefillList(true);
}

void CQLNView::OnAlterSeqType()
{
    CommitEditor();
    CChangeSequenceTypeDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted || !current_) return;
    static const char* const kTypes[] = {CDNASequence::kTypeName, CRNASequence::kTypeName, CDNARNASequence::kTypeName};
    const int index = dialog.TypeIndex();
    if (index < 0 || index > 2) return;
    const QString chosen = QString::fromLatin1(kTypes[index]);
    try {
        current_->LoadResidues();
    } catch (const CResidueFileError& error) {
        ShowStop(QString::fromLatin1(error.what()));
        return;
    }
    auto* old = dynamic_cast<CBaseSequence*>(current_.get());
    if (old && ToQt(old->GetTypeName()).compare(chosen, Qt::CaseInsensitive) != 0) {
        Ptr<CBaseSequence> converted = CBaseSequence::CreateOfType(kTypes[index], &Project(), old->GetName(),
                                                                   old->GetOrganism(), {});
        converted->TakeOver(*old);
        organismField_->CloseListFor(old);
        Project().Replace(converted.get());
        current_ = converted;
    }
    LoadSelection();
    MarkModified();
}

void CQLNView::OpenCustomCodonScreen()
{
    // The screen edits the sequence's own table: it stays alive while open.
    const Ptr<CSequence> keep = current_;
    auto* sequence = dynamic_cast<CBaseSequence*>(keep.get());
    if (!sequence) return;
    CCustCodonDialog(document_, *sequence, this).Run();
}

bool CQLNView::CanShowOrganismComment() const
{
    return organismField_->CanShowComment();
}

void CQLNView::ShowOrganismComment()
{
    organismField_->ShowComment();
}

void CQLNView::OpenFeatureScreen()
{
    if (!current_) return;
    // The screen shows the residue count and checks ranges against it.
    CommitEditor();
    const Ptr<CSequence> sequence = current_;
    std::unique_ptr<CFeatureDialog> screen;
    try {
        CWaitCursor wait;
        screen = std::make_unique<CFeatureDialog>(document_, *sequence, this);
    } catch (const CResidueFileError& error) {
        ShowStop(QString::fromLatin1(error.what()));
        return;
    }
    // Only a change counts: OK on an untouched screen leaves the project as it was.
    const CArray<Ptr<CFeature>> before = sequence->GetFeatures();
    if (screen->Run() && !CFeatureRules::SameFeatures(before, sequence->GetFeatures())) MarkModified();
    emit CommandStateChanged();
}

void CQLNView::OpenPublicationScreen(int kind)
{
    if (!current_) return;
    // The screens show the residue count and check ranges against it.
    CommitEditor();
    const Ptr<CSequence> sequence = current_;
    OpenPublicationScreens(static_cast<CPublicationKind>(kind), document_, *sequence, this);
}

void CQLNView::RenameSequence()
{
    if (!current_) return;
    RenameDialog dialog(Project().GetSequences(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    const int row = ui_->sequenceList->currentRow();
    Project().Rename(dialog.NewName(), current_.get());
    if (QListWidgetItem* item = ui_->sequenceList->item(row)) item->setText(ToQt(current_->GetName()));
    ui_->sequenceName->setText(ToQt(current_->GetName()));
    MarkModified();
    emit CommandStateChanged();
}

void CQLNView::OnSaveProject()
{
    CommitEditor();
    if (current_ && !displayFormatted_) ShowFormatted(ResidueAtEditorCaret());
    document_.Save();
}

void CQLNView::OnReloadSavedProject()
{
    const bool wasModified = document_.IsModified();
    document_.SetModified(false);
    // A reload that fails keeps the open project, and its changes count.
    if (!document_.Reload()) document_.SetModified(wasModified);
}

void CQLNView::OnSkipClicked(bool checked)
{
    CommitEditor();
    MarkModified();
    if (current_) current_->SetSkipped(checked);
}

}  // namespace qln
