#include "app/document/CommandLine.h"

#include <QFileInfo>

namespace qln {

CCommandLine CCommandLine::Parse(const QStringList& arguments)
{
    CCommandLine line;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == "--nosplash")
            line.showSplash = false;
        else if (argument == "--help" || argument == "-h")
            line.showHelp = true;
        else if (argument == "--version")
            line.showVersion = true;
        else if (argument.startsWith('-'))
            continue;
        else if (line.projectPath.isEmpty())
            // Absolute, so that a running instance reads it from its own folder.
            line.projectPath = QFileInfo(argument).absoluteFilePath();
    }
    return line;
}

QString CCommandLine::HelpText()
{
    return QStringLiteral(
        "Usage: quillion [--nosplash] [PROJECT.prj]\n"
        "Quillion prepares the sequence listing of a patent application.\n"
        "\n"
        "  PROJECT.prj   the project to open (else a new, Untitled project); a second start\n"
        "                hands it to the window already open\n"
        "  --nosplash    start without the splash window\n"
        "  -h, --help    print this help and exit\n"
        "  --version     print the program's version and exit\n");
}

QString CCommandLine::VersionText()
{
    return QStringLiteral("quillion " QLN_VERSION "\n");
}

}  // namespace qln
