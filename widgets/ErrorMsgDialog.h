// "Validation Errors": the message list of a check, shown without blocking
// the window behind it.
#pragma once

#include <QDialog>

class QPlainTextEdit;

#include "model/Model.h"

namespace qln {

class CErrorMsgDialog : public QDialog {
    Q_OBJECT
public:
    explicit CErrorMsgDialog(QWidget* parent = nullptr);
    // Fills the text (at most the first 500 messages) and shows the dialog
    // modeless, raised to the front.
    void ShowMessages(const StringList& messages);
    QString Text() const;

private:
    QPlainTextEdit* messages_ = nullptr;
};

}  // namespace qln
