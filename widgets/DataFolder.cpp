#include "widgets/DataFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace qln {

QString CDataFolder::Path()
{
    const QString fromEnvironment = qEnvironmentVariable("QLN_DATA_DIR");
    if (!fromEnvironment.isEmpty()) return QDir::cleanPath(fromEnvironment);
    const QDir exeDir(QCoreApplication::applicationDirPath());
    const QString installed = exeDir.filePath("../share/quillion");
    // The build tree links the source tree's data folder beside the
    // programs at its top and keeps benchmarks and tests one folder down.
    for (const QString& candidate : {exeDir.filePath("data"), installed, exeDir.filePath("../data")}) {
        if (QFileInfo(candidate).isDir()) return QDir::cleanPath(candidate);
    }
    return QDir::cleanPath(installed);
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
