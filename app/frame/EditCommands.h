// The Edit menu of the main view: Undo, Cut, Copy and Paste on whichever of
// its edit controls last had the keyboard (the sequence editor, the search
// field or the organism field), with the rules for when each is available.
#pragma once

#include <QString>
#include <functional>

class QLineEdit;

namespace qln {

class CSeqEdit;

class CEditCommands {
public:
    enum class Target { Editor, Search, Organism };

    // pasteIntoEditor: the view's own paste of text into the sequence
    // editor; hasSequence: whether a sequence is current.
    CEditCommands(CSeqEdit* editor, QLineEdit* search, QLineEdit* organism,
                  std::function<void(const QString&)> pasteIntoEditor, std::function<bool()> hasSequence);

    void SetTarget(Target target) { target_ = target; }

    void Undo();
    void Cut();
    void Copy();
    void Paste();
    bool CanUndo() const;
    bool CanCut() const;
    bool CanCopy() const;
    bool CanPaste() const;

private:
    static bool ClipboardHasText();

    CSeqEdit* editor_;
    QLineEdit* search_;
    QLineEdit* organism_;
    std::function<void(const QString&)> pasteIntoEditor_;
    std::function<bool()> hasSequence_;
    Target target_ = Target::Editor;
};

}  // namespace qln
