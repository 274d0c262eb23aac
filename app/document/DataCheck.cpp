#include "app/document/DataCheck.h"

#include <QDir>
#include <QFileInfo>

namespace qln {

QStringList CDataCheck::RequiredPages()
{
    return {"ApplHelp.md",   "SequenceHelp.md", "RestoreHelp.md",     "GenHelp.md",
            "ImportHelp.md", "ProjDataHelp.md", "PriorAppHelp.md",    "IndivAppHelp.md",
            "OrgAppHelp.md", "FeatureHelp.md",  "JournalHelp.md",     "PatentHelp.md",
            "ThesisHelp.md", "DatabaseHelp.md", "CustomCodonHelp.md", "CustomOrganismHelp.md"};
}

QString CDataCheck::MissingFile(const QString& dataFolder)
{
    if (!QFileInfo(dataFolder).isDir()) return QDir::cleanPath(dataFolder);
    const QDir help(QDir(dataFolder).filePath("help"));
    for (const QString& page : RequiredPages()) {
        const QString path = help.filePath(page);
        if (!QFileInfo(path).isFile()) return QDir::cleanPath(path);
    }
    return {};
}

QString CDataCheck::Message(const QString& missingFile)
{
    // The release is the version's major and minor number.
    return QString(
               "Quillion %2 has detected the file %1 required to run Quillion %2 is missing.  "
               "Please reinstall Quillion %2.  This may be due to the removal of an earlier version "
               "of Quillion.  Reinstalling Quillion %2 will restore the required files and it will "
               "not cause you to loose any previously saved Quillion data.")
        .arg(QDir::toNativeSeparators(missingFile), QStringLiteral(QLN_RELEASE));
}

QString CDataCheck::UnattendedProblem(const QString& dataFolder)
{
    const QDir folder(dataFolder);
    QString problem;
    if (!QFileInfo(folder.filePath("strain.txt")).isFile()) {
        problem = "The organism name file 'strain.txt' could not be found.";
    } else {
        for (const char* keys : {"nucleo.txt", "amino.txt"}) {
            if (problem.isEmpty() && !QFileInfo(folder.filePath(keys)).isFile())
                problem = QString("The Feature Name file %1 could not be found.").arg(keys);
        }
    }
    if (const QString missing = MissingFile(dataFolder); problem.isEmpty() && !missing.isEmpty())
        problem = QString("The file %1 could not be found.").arg(missing);
    if (problem.isEmpty()) return {};
    return QString("%1 The data folder looked in: %2 (QLN_DATA_DIR names another).").arg(problem, dataFolder);
}

}  // namespace qln
