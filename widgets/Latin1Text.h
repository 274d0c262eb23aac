// The core keeps text as single-byte Latin-1 in std::string; widgets speak
// QString. Text crosses between them here and nowhere else.
#pragma once

#include <QString>
#include <string>

namespace qln {

inline QString ToQt(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// Characters outside Latin-1 become "?", as a single-byte program stores them.
inline std::string FromQt(const QString& text)
{
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

}  // namespace qln
