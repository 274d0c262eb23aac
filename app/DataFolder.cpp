#include "app/DataFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace qln {

QString CDataFolder::Path()
{
    const QString fromEnvironment = qEnvironmentVariable("QLN_DATA_DIR");
    if (!fromEnvironment.isEmpty())
        return QDir::cleanPath(fromEnvironment);
    const QDir exeDir(QCoreApplication::applicationDirPath());
    const QString beside = exeDir.filePath("data");
    if (QFileInfo(beside).isDir())
        return QDir::cleanPath(beside);
    return QDir::cleanPath(exeDir.filePath("../share/quillion"));
}

QString CDataFolder::FilePath(const QString& name)
{
    return QDir(Path()).filePath(name);
}

QString CDataFolder::HelpPath(const QString& page)
{
    return QDir(QDir(Path()).filePath("help")).filePath(page);
}

}  // namespace qln
