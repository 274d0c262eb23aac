// The sequence editor: a plain-text editor in a fixed-pitch font that hands
// every typed character to its filter and every paste or drop to the view.
#pragma once

#include <QPlainTextEdit>
#include <functional>

namespace qln {

class CSeqEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    // What to do with a typed character: the character to insert (a
    // backspace lets the editor delete), or a null QChar to drop the key.
    using CharacterFilter = std::function<QChar(QChar typed)>;

    explicit CSeqEdit(QWidget* parent = nullptr);
    void SetCharacterFilter(CharacterFilter filter) { filter_ = std::move(filter); }

signals:
    void FocusReceived();
    void DeletePressed();                      // before the editor deletes
    void PasteRequested(const QString& text);  // paste, drop: the view inserts

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    CharacterFilter filter_;
};

}  // namespace qln
