// What the program was started with: one optional project to open,
// --nosplash to start without the splash window, and --help and --version,
// which print their text and start nothing.
#pragma once

#include <QString>
#include <QStringList>

namespace qln {

struct CCommandLine {
    QString projectPath;  // absolute; empty for a new project
    bool showSplash = true;
    bool showHelp = false;
    bool showVersion = false;

    // arguments as QCoreApplication::arguments() gives them (the program first).
    // Options the program does not know are passed over.
    static CCommandLine Parse(const QStringList& arguments);
    // What --help prints: the usage and every option, one a line.
    static QString HelpText();
    // What --version prints.
    static QString VersionText();
};

}  // namespace qln
