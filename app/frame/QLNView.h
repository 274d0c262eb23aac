// The main view: the sequence list beside the sequence editor and its header
// fields. It is the only place that moves text between the editor and the
// current sequence.
#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>
#include <string>

#include "app/frame/SequenceSearch.h"
#include "app/frame/TypingFilter.h"
#include "model/Model.h"

namespace Ui {
class QLNView;
}

namespace qln {

class CCQLNDoc;
class CProject;
class CSequence;
class CErrorMsgDialog;
class CEditCommands;
class COrganismField;

class CQLNView : public QWidget {
    Q_OBJECT
public:
    explicit CQLNView(CCQLNDoc& document, QWidget* parent = nullptr);
    ~CQLNView() override;

    CSequence* CurrentSequence() const;
    // Stores the organism and the editor text into the current sequence.
    void CommitEditor();
    // Refills the list from the project and selects the first sequence.
    void Rebuild();
    // After generation or the work file: the current sequence reads its
    // residues back from its file.
    void ReloadCurrentResidues();

    // The Edit menu, on the edit control that last had the focus.
    CEditCommands& EditCommands() { return *edit_; }
    const CEditCommands& EditCommands() const { return *edit_; }

    // Menu commands on the current sequence.
    void RenameSequence();
    void ShowOrganismComment();
    bool CanShowOrganismComment() const;  // current sequence, organism artificial or unknown
    // "&Feature Data": the feature screen of the current sequence.
    void OpenFeatureScreen();
    // "&Define Custom Codons": the custom codon screen of the current
    // nucleotide sequence.
    void OpenCustomCodonScreen();
    // The publication screens of the current sequence, starting with the one
    // of that kind (a CPublicationKind); the user may jump between them.
    void OpenPublicationScreen(int kind);

    // The restore operation of the recovery dialog.
    void RestoreSequence(const std::string& deletedName);

    // The current sequence for printing: its name, type, organism and
    // length, then the editor's text; empty without a current sequence.
    QString PrintableText() const;

    // The "String Length" the view keeps.
    int64_t ResidueCount() const { return residueCount_.Count(); }
    // True while the editor holds exactly the display layout.
    bool IsDisplayFormatted() const { return displayFormatted_; }

signals:
    void StatusText(const QString& text);  // the status bar's message pane
    void CommandStateChanged();            // menus and tool bar re-evaluate enabling
    void ImportRequested();                // the Import button

private:
    void BuildForm();
    void ConnectControls();
    CProject& Project() const;

    // The list and the current sequence.
    void SelectRow(int row);
    void LoadSelection();
    // The list again from the project, with the last sequence selected, or
    // the current one while it is still there.
    void RefillList(bool selectLast);
    void SetSequenceControlsEnabled(bool enabled);
    void ClearFields();
    void MarkModified();

    // The editor.
    void SetEditorText(const std::string& text);
    // Puts the current sequence's display layout into the editor, the caret
    // before caretResidue when given; false when it was refused.
    bool ShowFormatted(int64_t caretResidue = -1);
    // The residue the caret stands before, read from the committed sequence.
    int64_t ResidueAtEditorCaret() const;
    void PlaceCaret(int64_t position);
    QChar FilterTypedCharacter(QChar typed);
    void OnDeletePressed();
    void OnEditorChanged();
    void PasteIntoEditor(const QString& text);
    void RefreshPositionLine();
    void ShowStop(const QString& text);
    // F6 and Shift+F6: the keyboard to the next or previous pane (the
    // sequence list, the organism and search fields, the editor).
    void MoveToPane(int step);

    // The buttons.
    void OnAdd();
    void OnDelete();
    void OnRestore();
    void OnReorder();
    void OnAlterSeqType();
    void OnGo();
    void OnValidate();
    void OnSaveProject();
    void OnReloadSavedProject();
    void OnSkipClicked(bool checked);

    std::unique_ptr<Ui::QLNView> ui_;
    CCQLNDoc& document_;
    QPointer<CCQLNDoc> documentAlive_;
    Ptr<CSequence> current_;
    bool displayFormatted_ = false;
    CResidueCounter residueCount_;
    CSequenceSearch search_;
    std::unique_ptr<CEditCommands> edit_;
    // Set while the view fills its fields, so that this is not taken for an edit.
    bool loading_ = false;
    // Clear when the current sequence was too long for the editor: the
    // editor is empty then and must not be stored into the sequence.
    bool editorHoldsResidues_ = true;

    CErrorMsgDialog* errors_ = nullptr;
    COrganismField* organismField_ = nullptr;
};

}  // namespace qln
