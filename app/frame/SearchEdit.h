// The one-line search field of the main view, in the editor's font.
#pragma once

#include <QLineEdit>

namespace qln {

class CSearchEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CSearchEdit(QWidget* parent = nullptr);

signals:
    void FocusReceived();

protected:
    void focusInEvent(QFocusEvent* event) override;
};

}  // namespace qln
