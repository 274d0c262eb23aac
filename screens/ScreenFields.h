// Moving text between the screens' one-line edits and the records.
#pragma once

#include <QLineEdit>
#include <string>

#include "widgets/Latin1Text.h"

namespace qln {

inline std::string FieldText(const QLineEdit* field)
{
    return FromQt(field->text());
}

inline void SetFieldText(QLineEdit* field, const std::string& text)
{
    field->setText(ToQt(text));
    field->setCursorPosition(0);
}

}  // namespace qln
