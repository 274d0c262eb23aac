#include "screens/DateEdit.h"

#include <QFontMetrics>
#include <QTimer>

#include "widgets/Latin1Text.h"
#include "model/Date.h"

namespace qln {

CDateEdit::CDateEdit(QWidget* parent) : QLineEdit(parent)
{
    setInputMask(QString::fromLatin1(kInputMask));
    // Wide enough for the whole mask and a little room, no wider.
    const int width = fontMetrics().horizontalAdvance(QStringLiteral("0000-00-00")) + 24;
    setMinimumWidth(width);
    setMaximumWidth(width + 24);
}

std::string CDateEdit::DateText() const
{
    return FromQt(displayText());
}

void CDateEdit::SetDateText(const std::string& text)
{
    setText(ToQt(text));
}

bool CDateEdit::HasDate() const
{
    return !DateField(DateText()).IsEmpty();
}

// A click into an empty date would leave the caret wherever the mouse was;
// typing should start with the year.
void CDateEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    QTimer::singleShot(0, this, [this] { StartAtFirstBlank(); });
}

void CDateEdit::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (!hasSelectedText()) StartAtFirstBlank();
}

void CDateEdit::StartAtFirstBlank()
{
    if (HasDate()) return;
    setCursorPosition(0);
}

}  // namespace qln
