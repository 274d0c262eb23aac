// The main view's sequence editor: what moves text between the editor and the
// current sequence (commit, the display layout, the caret's residue), the
// character filter and paste, the position line, Go and Validate.
#include "app/frame/QLNView.h"

#include <QApplication>
#include <QMessageBox>
#include <QScrollBar>
#include <QTextBlock>
#include <algorithm>

#include "app/document/QLNDoc.h"
#include "app/frame/DisplayLayout.h"
#include "app/frame/OrganismField.h"
#include "app/frame/SeqEdit.h"
#include "app/frame/SequenceList.h"
#include "model/AsciiText.h"
#include "model/ResidueFile.h"
#include "model/Sequence.h"
#include "widgets/ErrorMsgDialog.h"
#include "widgets/Latin1Text.h"
#include "ui_QLNView.h"

namespace qln {

namespace {

const char* const kFormatting = "Formatting sequence for display... Please wait...";
const char* const kTooLongToShow =
    "The sequence has more than 100,000,000 residues, more than the sequence editor can hold.";
const char* const kEditorFull = "The sequence editor holds at most 100,000,000 residues.";
const char* const kPasteTooLong =
    "The pasted text would make the sequence longer than 100,000,000 residues. Nothing was pasted.";

int64_t LettersIn(const QString& text)
{
    int64_t count = 0;
    for (const QChar c : text)
        if (c.unicode() < 128 && IsAsciiLetter(static_cast<char>(c.unicode()))) ++count;
    return count;
}

}  // namespace

void CQLNView::CommitEditor()
{
    if (!current_) return;
    current_->SetOrganism(organismField_->Text());
    // An editor that was not touched since it was filled still shows the
    // sequence's own text: nothing to copy back.
    if (!editorHoldsResidues_ || !ui_->editor->document()->isModified()) return;
    // What was typed into the layout goes in as its letters: a stored text
    // is either plain letters or the exact layout its flag says.
    current_->SetResidues(FromQt(ui_->editor->toPlainText()));
    current_->SetDisplayLayout(false);
    current_->SetResiduesChanged(true);
    current_->StripToLetters();
    ui_->editor->document()->setModified(false);
}

void CQLNView::ReloadCurrentResidues()
{
    if (!current_) return;
    try {
        current_->LoadResidues();
        // The run stripped the sequence to its letters under the editor's
        // layout: the sequence takes that layout back, so that the two agree
        // again. The letters are the same, so the editor keeps its text,
        // caret and scrolling.
        if (displayFormatted_ && editorHoldsResidues_ && !current_->IsDisplayLayout()) {
            const int64_t shown = ui_->editor->document()->characterCount() - 1;
            if (static_cast<int64_t>(current_->FormatForDisplay().size()) != shown)
                ShowFormatted(ResidueAtEditorCaret());
        }
    } catch (const CResidueFileError& error) {
        ShowStop(QString::fromLatin1(error.what()));
    }
}

// ---- the editor ----------------------------------------------------------------------

void CQLNView::SetEditorText(const std::string& text)
{
    loading_ = true;
    // Nothing is repainted while a long text goes in.
    ui_->editor->setUpdatesEnabled(false);
    ui_->editor->setPlainText(ToQt(text));
    ui_->editor->setUpdatesEnabled(true);
    ui_->editor->document()->setModified(false);
    loading_ = false;
}

int64_t CQLNView::ResidueAtEditorCaret() const
{
    const int caret = ui_->editor->textCursor().selectionStart();
    if (displayFormatted_) return CDisplayLayout::ResidueAtCaret(caret, residueCount_.Count());
    // Typed text: the letters the editor shows before the caret.
    const QTextBlock caretBlock = ui_->editor->document()->findBlock(caret);
    int64_t letters = 0;
    for (QTextBlock block = ui_->editor->document()->begin(); block.isValid() && block != caretBlock;
         block = block.next())
        letters += LettersIn(block.text());
    return letters + LettersIn(caretBlock.text().left(caret - caretBlock.position()));
}

bool CQLNView::ShowFormatted(int64_t caretResidue)
{
    if (!current_) return false;
    try {
        if (current_->GetLetterCount() > CTypingFilter::kMaxResidues) {
            editorHoldsResidues_ = false;
            SetEditorText({});
            ui_->editor->setReadOnly(true);
            residueCount_.Set(current_->GetResidueCount());
            displayFormatted_ = false;
            ShowStop(tr(kTooLongToShow));
            return false;
        }
        editorHoldsResidues_ = true;
        emit StatusText(tr(kFormatting));
        bool outOfMemory = false;
        const std::string& text = current_->FormatForDisplay(&outOfMemory);
        SetEditorText(text);
        emit StatusText(QString());
        displayFormatted_ = !outOfMemory;
        residueCount_.Set(current_->GetResidueCount());
        if (outOfMemory) ShowStop(tr("Insufficient memory to display sequence string."));
        if (caretResidue >= 0 && displayFormatted_) PlaceCaret(CDisplayLayout::CaretOfResidue(caretResidue));
        RefreshPositionLine();
        return displayFormatted_;
    } catch (const CResidueFileError& error) {
        ShowStop(QString::fromLatin1(error.what()));
        return false;
    }
}

void CQLNView::PlaceCaret(int64_t position)
{
    QTextCursor cursor = ui_->editor->textCursor();
    const int64_t end = ui_->editor->document()->characterCount() - 1;
    cursor.setPosition(static_cast<int>(std::clamp<int64_t>(position, 0, end)));
    ui_->editor->setTextCursor(cursor);
}

QChar CQLNView::FilterTypedCharacter(QChar typed)
{
    const char c = typed.unicode() < 256 ? static_cast<char>(typed.unicode()) : '\0';
    const CTypingFilter::Decision decision = CTypingFilter::Filter(current_.get(), c, residueCount_.Count());
    switch (decision.action) {
    case CTypingFilter::Action::Discard: return {};
    case CTypingFilter::Action::Beep:
        QApplication::beep();
        emit StatusText(tr("Invalid sequence character."));
        return {};
    case CTypingFilter::Action::TooLong:
        QApplication::beep();
        ShowStop(tr(kEditorFull));
        return {};
    case CTypingFilter::Action::Insert: break;
    }
    displayFormatted_ = false;
    residueCount_.Change(decision.countChange);
    MarkModified();
    ui_->stringLength->setText(QString::number(residueCount_.Count()));
    return QChar(static_cast<uchar>(decision.character));
}

void CQLNView::OnDeletePressed()
{
    if (!current_ || ui_->editor->isReadOnly()) return;
    residueCount_.Change(-1);
    MarkModified();
    displayFormatted_ = false;
    RefreshPositionLine();
}

void CQLNView::OnEditorChanged()
{
    if (loading_) return;
    displayFormatted_ = false;
    MarkModified();
}

void CQLNView::PasteIntoEditor(const QString& text)
{
    if (!current_ || ui_->editor->isReadOnly() || text.isEmpty()) return;
    const std::string type = current_->GetTypeName();
    const QString converted = CTypingFilter::IsProteinType(type) ? text.toUpper() : text.toLower();
    QTextCursor cursor = ui_->editor->textCursor();
    const int64_t after = residueCount_.Count() - LettersIn(cursor.selectedText()) + LettersIn(converted);
    if (after > CTypingFilter::kMaxResidues) {
        ShowStop(tr(kPasteTooLong));
        return;
    }
    cursor.insertText(converted);
    ui_->editor->setTextCursor(cursor);
    MarkModified();
    CommitEditor();
    displayFormatted_ = false;
    try {
        residueCount_.Set(current_->GetResidueCount());
    } catch (const CResidueFileError& error) {
        ShowStop(QString::fromLatin1(error.what()));
    }
    RefreshPositionLine();
}

void CQLNView::RefreshPositionLine()
{
    emit StatusText(QString());
    const QTextCursor cursor = ui_->editor->textCursor();
    const int start = cursor.selectionStart();
    ui_->cursorPosition->setText(QString::number(start + 1));
    if (ui_->editor->document()->isEmpty())
        ui_->lineNumber->clear();
    else
        ui_->lineNumber->setText(QString::number(ui_->editor->document()->findBlock(start).blockNumber() + 1));
    ui_->stringLength->setText(QString::number(residueCount_.Count()));
}

void CQLNView::ShowStop(const QString& text)
{
    QMessageBox::critical(this, tr("Quillion"), text);
}

void CQLNView::OnGo()
{
    if (!current_) return;
    CommitEditor();
    // The search runs over exactly what the editor shows: laid out afresh
    // when it was typed into or a check left the sequence as plain letters.
    if (!displayFormatted_ || !current_->IsDisplayLayout()) {
        ShowFormatted(ResidueAtEditorCaret());
        if (!editorHoldsResidues_) return;
    }
    const int64_t caret = ui_->editor->textCursor().selectionStart();
    const std::string pattern = CTypingFilter::ToSequenceCase(current_->GetTypeName(), FromQt(ui_->search->text()));
    CSequenceSearch::Hit hit;
    try {
        hit = search_.Find(current_->GetResidues(), current_->IsDisplayLayout(), pattern, caret);
    } catch (const CResidueFileError& error) {
        ShowStop(QString::fromLatin1(error.what()));
        return;
    }
    if (!hit.found) {
        ShowStop(tr("Text not found."));
        ui_->editor->setFocus();
        return;
    }
    // The hit's letters are selected; Go again starts from the selection.
    QTextCursor cursor = ui_->editor->textCursor();
    cursor.setPosition(static_cast<int>(hit.editorEnd));
    cursor.setPosition(static_cast<int>(hit.editorPosition), QTextCursor::KeepAnchor);
    ui_->editor->setTextCursor(cursor);
    // The hit's line becomes the fourth one shown; a line is a block here.
    const int hitLine = cursor.blockNumber();
    ui_->editor->verticalScrollBar()->setValue(std::max(0, hitLine - 3));
    ui_->editor->setFocus();
}

void CQLNView::OnValidate()
{
    if (!current_) return;
    CommitEditor();
    const int caret = ui_->editor->textCursor().selectionStart();
    const int64_t caretResidue = ResidueAtEditorCaret();
    const bool wasFormatted = displayFormatted_;
    StringList messages;
    try {
        messages = current_->Validate(0);
    } catch (const CResidueFileError& error) {
        ShowStop(QString::fromLatin1(error.what()));
        return;
    }
    if (!messages.empty()) {
        if (!errors_) errors_ = new CErrorMsgDialog(this);
        errors_->ShowMessages(messages);
    }
    // The check left plain letters in the sequence: show them laid out again,
    // with the caret where it was.
    ShowFormatted(wasFormatted ? -1 : caretResidue);
    if (wasFormatted) PlaceCaret(caret);
    // Shown after the position line, which clears the status bar.
    emit StatusText(messages.empty() ? tr("Validation is successful.") : tr("Validation is unsuccessful."));
}

}  // namespace qln
