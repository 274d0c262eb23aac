#include <QStringList>
#include <cstdio>

#include "app/document/CommandLine.h"
#include "app/document/QLNApp.h"

int main(int argc, char** argv)
{
    // Answered before the application object is made, so that they work
    // where no display is.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const qln::CCommandLine line = qln::CCommandLine::Parse(arguments);
    if (line.showHelp || line.showVersion) {
        const QString text = line.showHelp ? qln::CCommandLine::HelpText() : qln::CCommandLine::VersionText();
        std::fputs(text.toLocal8Bit().constData(), stdout);
        return 0;
    }
    qln::CCQLNApp app(argc, argv);
    return app.Start();
}
