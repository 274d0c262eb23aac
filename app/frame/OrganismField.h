// The organism of the current sequence: the view's field with its two
// buttons, the standard organism list (modeless, found by typing, from
// "strain.txt"), the project's custom organisms, and the comment that an
// artificial sequence or unknown organism needs.
#pragma once

#include <QObject>
#include <functional>
#include <string>

#include "model/Model.h"

class QLineEdit;
class QPushButton;
class QWidget;

namespace qln {

class CCQLNDoc;
class CProject;
class CSequence;
class CTypeAheadDialog;

class COrganismField : public QObject {
    Q_OBJECT
public:
    using CurrentSequence = std::function<Ptr<CSequence>()>;

    // host: the view the field and its dialogs belong to. current: the
    // sequence the field shows; commit: stores the view's editor and field.
    COrganismField(CCQLNDoc& document, QLineEdit* field, QPushButton* standard, QPushButton* custom, QWidget* host,
                   CurrentSequence current, std::function<void()> commit);
    ~COrganismField() override;

    std::string Text() const;
    // The field filled by the program: not an edit of the user's.
    void Show(const std::string& organism);
    // A sequence was selected: a comment declined may be asked again.
    void SequenceSelected() { commentDeclined_ = false; }
    // Closes the open list when it was opened for the sequence that goes, or
    // for any sequence when gone is null (the whole project goes).
    void CloseListFor(const CSequence* gone);

    // "Artificial Sequence/&Unknown Comment": available for an artificial or
    // unknown organism in the field.
    bool CanShowComment() const;
    void ShowComment();

signals:
    void Edited();   // the user changed the field
    void Focused();  // the field took the keyboard

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CProject& Project() const;
    void MarkModified();
    void OnStandard();
    void OnCustom();
    void OnLostFocus();
    void Store(CSequence* target, const std::string& organism, bool applyToAll);
    void PromptForComment(const Ptr<CSequence>& sequence, const std::string& organism);
    void AskForComment(const Ptr<CSequence>& sequence);

    CCQLNDoc& document_;
    QLineEdit* field_;
    QWidget* host_;
    CurrentSequence current_;
    std::function<void()> commit_;
    CTypeAheadDialog* list_ = nullptr;
    // The sequence the open list will answer for.
    Ptr<CSequence> listFor_;
    bool commentDeclined_ = false;
    bool showing_ = false;  // set while the program fills the field
};

}  // namespace qln
