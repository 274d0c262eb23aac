#include "app/frame/SeqEdit.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QMimeData>

namespace qln {

CSeqEdit::CSeqEdit(QWidget* parent) : QPlainTextEdit(parent)
{
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // The layout makes its own lines of 75 characters.
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setWordWrapMode(QTextOption::NoWrap);
    setTabChangesFocus(true);
    // Composed input would pass by the character filter.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setUndoRedoEnabled(true);
}

void CSeqEdit::keyPressEvent(QKeyEvent* event)
{
    const QString text = event->text();
    // Control combinations are commands, not characters.
    const bool command = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    if (event->key() == Qt::Key_Delete && !command && !(event->modifiers() & Qt::ShiftModifier)) {
        emit DeletePressed();
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    const bool typed = !text.isEmpty() && !command && !isReadOnly() && filter_ &&
                       (text[0].isPrint() || text[0] == QChar('\b') || text[0] == QChar('\r') ||
                        text[0] == QChar('\n'));
    if (!typed) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    QString accepted;
    for (const QChar c : text) {
        const QChar insert = filter_(c);
        if (!insert.isNull()) accepted += insert;
    }
    event->accept();
    if (accepted.isEmpty()) return;
    QKeyEvent converted(event->type(), event->key(), event->modifiers(), accepted, event->isAutoRepeat(),
                        static_cast<ushort>(event->count()));
    QPlainTextEdit::keyPressEvent(&converted);
}

void CSeqEdit::focusInEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusInEvent(event);
    emit FocusReceived();
}

void CSeqEdit::insertFromMimeData(const QMimeData* source)
{
    if (source && source->hasText()) emit PasteRequested(source->text());
}

}  // namespace qln
