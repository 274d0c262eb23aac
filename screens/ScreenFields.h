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

// Key fields are taken without the blanks typed before them.
inline std::string WithoutLeadingSpace(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r\n\f\v");
    return first == std::string::npos ? std::string() : text.substr(first);
}

}  // namespace qln
