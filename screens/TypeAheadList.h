// The standard organism names as the organism selection offers them: sorted
// without regard to case, and found by their first letters as the user types.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace qln {

class CTypeAheadList {
public:
    explicit CTypeAheadList(QStringList names);

    const QStringList& Names() const { return names_; }
    // The first name that begins with typed, whatever the case; -1 when
    // none does or nothing is typed.
    int FirstMatch(const QString& typed) const;

    // The names of a file of one name a line (blank lines skipped, a line
    // read up to 500 characters); nothing when the file cannot be opened.
    static std::optional<QStringList> ReadNames(const QString& path);

private:
    QStringList names_;
};

}  // namespace qln
