// What the program was started with: one optional project to open, and
// --nosplash to start without the splash window.
#pragma once

#include <QString>
#include <QStringList>

namespace qln {

struct CCommandLine {
    QString projectPath;  // absolute; empty for a new project
    bool showSplash = true;

    // arguments as QCoreApplication::arguments() gives them (the program first).
    // Options the program does not know are passed over.
    static CCommandLine Parse(const QStringList& arguments);
};

}  // namespace qln
