// What every data-entry screen shares: the caption with the project's or
// sequence's name, Validate into the "Validation Errors" window or
// "Validation is successful." on the status line, OK that closes only when
// nothing is wrong, Save Project, Help and the help key, and keys that do
// not close the screen by accident.
#pragma once

#include <QDialog>

#include "model/Model.h"

class QLabel;
class QKeyEvent;

namespace qln {

class CScreenDocument;
class CErrorMsgDialog;

class CScreenDialog : public QDialog {
    Q_OBJECT
public:
    ~CScreenDialog() override;

    // Runs the screen modally; on OK it hands its records to their owner.
    // True when it closed with OK.
    bool Run();
    // Gives the owner (the project, or the sequence) copies of what the
    // screen holds, replacing what it had.
    virtual void HandOver() = 0;

    // The buttons' actions.
    // Checks everything the screen holds; true when there was no message.
    bool Validate();
    // Hands the records over, then saves the project; the screen stays open.
    void SaveProject();
    void ShowHelp();
    // OK: closes only when Validate finds nothing.
    void accept() override;

    QString StatusLine() const;
    // The screen's "Validation Errors" window; null before the first message.
    CErrorMsgDialog* ErrorsDialog() const { return errors_; }

protected:
    CScreenDialog(CScreenDocument& document, QWidget* parent);

    // Called by the screen once its form is set up: connects the buttons
    // found by name (validateButton, saveButton, okButton, cancelButton,
    // helpButton; statusLine), adds " - " and the name to the caption and
    // installs the help key.
    void AttachCommonControls(const QString& captionName);

    // What each screen supplies.
    virtual QString HelpPage() const = 0;
    virtual QWidget* FirstField() const = 0;
    // The messages of everything the screen holds.
    virtual StringList CollectMessages() = 0;
    // Writes the fields into the screen's record, where fields are not rows.
    virtual void StoreFields() {}
    // Runs before OK validates (the grid screens insert pending input);
    // false keeps the screen open, as when that input was refused.
    virtual bool BeforeOK() { return true; }
    // Enter pressed outside a button; the default moves on to the next field.
    virtual void OnEnter(QWidget* focus);

    CScreenDocument& Document() const { return document_; }
    // The keyboard to a field, its text selected so that typing replaces it.
    static void FocusField(QWidget* field);
    void SetStatusLine(const QString& text);
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ClearMainStatusBar();

    CScreenDocument& document_;
    QLabel* statusLine_ = nullptr;
    CErrorMsgDialog* errors_ = nullptr;  // a child: goes with the screen
};

}  // namespace qln
