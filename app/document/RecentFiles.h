// The recent file list of the Project menu: the four projects opened or saved
// last, most recent first, kept in the settings.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

namespace qln {

class CRecentFiles : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxFiles = 4;

    // The program's one list.
    static CRecentFiles& Instance();

    QStringList Files() const;
    // Puts the path first, dropping an older entry of the same file and the
    // oldest beyond four.
    void Add(const QString& path);
    // A recent project that could not be opened leaves the list.
    void Remove(const QString& path);
    // The menu item of entry index (0-based): "&1 /path/Name.prj".
    static QString MenuText(int index, const QString& path);

signals:
    void Changed();

private:
    void Store(const QStringList& files);
};

}  // namespace qln
