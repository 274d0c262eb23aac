// The main view's list of sequence names. It tells whether the selection
// is being moved with the keyboard, so that the keyboard can stay in it.
#pragma once

#include <QListWidget>

namespace qln {

class CSequenceList : public QListWidget {
    Q_OBJECT
public:
    using QListWidget::QListWidget;

    // True while a key pressed in the list is being handled.
    bool IsKeyboardSelecting() const { return keyboardSelecting_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool keyboardSelecting_ = false;
};

}  // namespace qln
