#include "screens/TypeAheadList.h"

#include <QFile>
#include <algorithm>

namespace qln {

namespace {

bool Before(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) < 0;
}

}  // namespace

CTypeAheadList::CTypeAheadList(QStringList names) : names_(std::move(names))
{
    std::stable_sort(names_.begin(), names_.end(), Before);
}

int CTypeAheadList::FirstMatch(const QString& typed) const
{
    if (typed.isEmpty()) return -1;
    // Every name that begins with typed sorts at or after it, so the first
    // candidate is where typed itself would go.
    const auto candidate = std::lower_bound(names_.begin(), names_.end(), typed, Before);
    if (candidate == names_.end() || !candidate->startsWith(typed, Qt::CaseInsensitive)) return -1;
    return static_cast<int>(candidate - names_.begin());
}

std::optional<QStringList> CTypeAheadList::ReadNames(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return std::nullopt;
    QStringList names;
    while (!file.atEnd()) {
        QByteArray line = file.readLine(501);
        // The rest of an overlong line is not a name of its own.
        while (!line.endsWith('\n') && !file.atEnd()) {
            const QByteArray rest = file.readLine(501);
            if (rest.endsWith('\n')) break;
        }
        const QString name = QString::fromLatin1(line).trimmed();
        if (!name.isEmpty()) names.append(name);
    }
    return names;
}

}  // namespace qln
