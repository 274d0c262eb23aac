#include "app/document/RecentFiles.h"

#include <QDir>
#include <QSettings>

namespace qln {

namespace {

const char kSection[] = "Recent File List";

QString Key(int index)
{
    return QString("%1/File%2").arg(kSection).arg(index + 1);
}

}  // namespace

CRecentFiles& CRecentFiles::Instance()
{
    static CRecentFiles list;
    return list;
}

QStringList CRecentFiles::Files() const
{
    QSettings settings;
    QStringList files;
    for (int i = 0; i < kMaxFiles; ++i) {
        const QString path = settings.value(Key(i)).toString();
        if (!path.isEmpty()) files << path;
    }
    return files;
}

void CRecentFiles::Add(const QString& path)
{
    if (path.isEmpty()) return;
    QStringList files = Files();
    files.removeAll(path);
    files.prepend(path);
    Store(files);
}

void CRecentFiles::Remove(const QString& path)
{
    QStringList files = Files();
    if (files.removeAll(path) > 0) Store(files);
}

QString CRecentFiles::MenuText(int index, const QString& path)
{
    QString shown = QDir::toNativeSeparators(path);
    shown.replace('&', "&&");
    return QString("&%1 %2").arg(index + 1).arg(shown);
}

void CRecentFiles::Store(const QStringList& files)
{
    QSettings settings;
    for (int i = 0; i < kMaxFiles; ++i) {
        if (i < files.size())
            settings.setValue(Key(i), files[i]);
        else
            settings.remove(Key(i));
    }
    emit Changed();
}

}  // namespace qln

#include "moc_RecentFiles.cpp"
