#include "app/frame/SearchEdit.h"

#include <QFontDatabase>

namespace qln {

CSearchEdit::CSearchEdit(QWidget* parent) : QLineEdit(parent)
{
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

void CSearchEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    emit FocusReceived();
}

}  // namespace qln
