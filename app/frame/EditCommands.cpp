#include "app/frame/EditCommands.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>

#include "app/frame/SeqEdit.h"

namespace qln {

CEditCommands::CEditCommands(CSeqEdit* editor, QLineEdit* search, QLineEdit* organism,
                             std::function<void(const QString&)> pasteIntoEditor, std::function<bool()> hasSequence)
    : editor_(editor),
      search_(search),
      organism_(organism),
      pasteIntoEditor_(std::move(pasteIntoEditor)),
      hasSequence_(std::move(hasSequence))
{
}

bool CEditCommands::ClipboardHasText()
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data && data->hasText();
}

// The search field has no undo of its own in the menu.
void CEditCommands::Undo()
{
    if (target_ == Target::Editor)
        editor_->undo();
    else if (target_ == Target::Organism)
        organism_->undo();
}

void CEditCommands::Cut()
{
    switch (target_) {
    case Target::Editor: editor_->cut(); break;
    case Target::Search: search_->cut(); break;
    case Target::Organism: organism_->cut(); break;
    }
}

void CEditCommands::Copy()
{
    switch (target_) {
    case Target::Editor: editor_->copy(); break;
    case Target::Search: search_->copy(); break;
    case Target::Organism: organism_->copy(); break;
    }
}

// Pasted residues go through the view, which cases and stores them.
void CEditCommands::Paste()
{
    switch (target_) {
    case Target::Editor:
        if (hasSequence_() && ClipboardHasText()) pasteIntoEditor_(QApplication::clipboard()->mimeData()->text());
        break;
    case Target::Search: search_->paste(); break;
    case Target::Organism: organism_->paste(); break;
    }
}

bool CEditCommands::CanUndo() const
{
    switch (target_) {
    case Target::Editor: return !editor_->isReadOnly() && editor_->document()->isUndoAvailable();
    case Target::Organism: return organism_->isEnabled() && organism_->isUndoAvailable();
    case Target::Search: return false;
    }
    return false;
}

bool CEditCommands::CanCopy() const
{
    switch (target_) {
    case Target::Editor: return editor_->textCursor().hasSelection();
    case Target::Search: return search_->hasSelectedText();
    case Target::Organism: return organism_->hasSelectedText();
    }
    return false;
}

bool CEditCommands::CanCut() const
{
    if (target_ == Target::Editor && editor_->isReadOnly()) return false;
    return CanCopy();
}

bool CEditCommands::CanPaste() const
{
    switch (target_) {
    case Target::Editor: return hasSequence_() && !editor_->isReadOnly() && editor_->canPaste();
    case Target::Search: return search_->isEnabled() && ClipboardHasText();
    case Target::Organism: return organism_->isEnabled();
    }
    return false;
}

}  // namespace qln
