// The check at start that the program's own files are installed: the data
// folder and the help pages every window relies on.
#pragma once

#include <QString>
#include <QStringList>

namespace qln {

class CDataCheck {
public:
    // The help pages that must be there.
    static QStringList RequiredPages();
    // The first missing file (or the data folder itself) as a full path;
    // empty when everything is there.
    static QString MissingFile(const QString& dataFolder);
    // The message that names the missing file and asks for a reinstall.
    static QString Message(const QString& missingFile);
    // For a program with nobody to answer a message box (a test, a
    // benchmark): what is missing from the data folder, the organism names
    // and feature key lists first, in the words the windows would use, with
    // the folder looked in; empty when everything is there.
    static QString UnattendedProblem(const QString& dataFolder);
};

}  // namespace qln
