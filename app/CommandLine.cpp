#include "app/CommandLine.h"

#include <QFileInfo>

namespace qln {

CCommandLine CCommandLine::Parse(const QStringList& arguments)
{
    CCommandLine line;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == "--nosplash")
            line.showSplash = false;
        else if (argument.startsWith('-'))
            continue;
        else if (line.projectPath.isEmpty())
            // Absolute, so that a running instance reads it from its own folder.
            line.projectPath = QFileInfo(argument).absoluteFilePath();
    }
    return line;
}

}  // namespace qln
