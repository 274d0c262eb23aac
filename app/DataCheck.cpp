#include "app/DataCheck.h"

#include <QDir>
#include <QFileInfo>

namespace qln {

QStringList CDataCheck::RequiredPages()
{
    return {"ApplHelp.md",    "SequenceHelp.md",    "RestoreHelp.md",      "GenHelp.md",
            "ImportHelp.md",  "ProjDataHelp.md",    "PriorAppHelp.md",     "IndivAppHelp.md",
            "OrgAppHelp.md",  "FeatureHelp.md",     "JournalHelp.md",      "PatentHelp.md",
            "ThesisHelp.md",  "DatabaseHelp.md",    "CustomCodonHelp.md",  "CustomOrganismHelp.md"};
}

QString CDataCheck::MissingFile(const QString& dataFolder)
{
    if (!QFileInfo(dataFolder).isDir())
        return QDir::cleanPath(dataFolder);
    const QDir help(QDir(dataFolder).filePath("help"));
    for (const QString& page : RequiredPages()) {
        const QString path = help.filePath(page);
        if (!QFileInfo(path).isFile())
            return QDir::cleanPath(path);
    }
    return {};
}

QString CDataCheck::Message(const QString& missingFile)
{
    return QString("Quillion 3.5 has detected the file %1 required to run Quillion 3.5 is missing.  "
                   "Please reinstall Quillion 3.5.  This may be due to the removal of an earlier version "
                   "of Quillion.  Reinstalling Quillion 3.5 will restore the required files and it will "
                   "not cause you to loose any previously saved Quillion data.")
        .arg(QDir::toNativeSeparators(missingFile));
}

}  // namespace qln
