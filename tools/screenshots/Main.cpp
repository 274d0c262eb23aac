// quillion-screenshots PROJECT.prj FOLDER: the real main window with the
// project open, as the program shows it, photographed window by window into
// the folder.
#include <QApplication>
#include <cstdio>

#include "app/document/AppIcon.h"
#include "app/frame/MainFrame.h"
#include "tools/screenshots/Screenshots.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fputs("usage: quillion-screenshots PROJECT.prj FOLDER\n", stderr);
        return 2;
    }
    // As the program names itself, so that the settings and titles match.
    QApplication::setOrganizationName("Quillion");
    QApplication::setApplicationName("Quillion");
    QApplication::setWindowIcon(qln::QuillionIcon());
    qln::CMainFrame frame;
    if (!frame.OpenProject(QString::fromLocal8Bit(argv[1]))) return 1;
    frame.show();
    qln::ScheduleScreenshots(frame, QString::fromLocal8Bit(argv[2]));
    return QApplication::exec();
}
