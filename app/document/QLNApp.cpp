#include "app/document/QLNApp.h"

#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <memory>

#include "app/document/AppIcon.h"
#include "app/document/CommandLine.h"
#include "app/document/DataCheck.h"
#include "widgets/DataFolder.h"
#include "app/frame/MainFrame.h"
#include "app/document/QLNDoc.h"
#include "app/document/SingleInstance.h"
#include "app/document/SplashWnd.h"
#include "model/ResidueFile.h"

namespace qln {

namespace {

constexpr int kMissingDataStatus = 255;
constexpr int kRetryOpenMs = 300;

// Another start asked for the window: it comes to the front, with the dialog
// the user is in, if any, on top of it.
void BringForward(CMainFrame& frame)
{
    if (frame.isMinimized()) frame.showNormal();
    frame.raise();
    frame.activateWindow();
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->raise();
        modal->activateWindow();
    }
}

// A project handed over by another start opens once the user has finished
// with any dialog or save in progress, so that nothing replaces the project
// under an open screen.
void OpenWhenFree(QPointer<CMainFrame> frame, const QString& path)
{
    if (!frame) return;
    if (QApplication::activeModalWidget() || frame->Document().IsSaving()) {
        QTimer::singleShot(kRetryOpenMs, frame, [frame, path] { OpenWhenFree(frame, path); });
        return;
    }
    frame->OpenProject(path);
}

}  // namespace

CCQLNApp::CCQLNApp(int& argc, char** argv) : QApplication(argc, argv)
{
    // The settings live under "Quillion".
    setOrganizationName("Quillion");
    setApplicationName("Quillion");
    setApplicationVersion(QLN_VERSION);
    setWindowIcon(QuillionIcon());
}

CCQLNApp::~CCQLNApp() = default;

int CCQLNApp::Start()
{
    const CCommandLine commandLine = CCommandLine::Parse(arguments());

    CSingleInstance instance;
    if (!instance.Claim(commandLine.projectPath)) return 0;

    const QString missing = CDataCheck::MissingFile(CDataFolder::Path());
    if (!missing.isEmpty()) {
        QMessageBox::critical(nullptr, "Quillion", CDataCheck::Message(missing));
        return kMissingDataStatus;
    }

    std::unique_ptr<CSplashWnd> splash;
    if (commandLine.showSplash) {
        splash = std::make_unique<CSplashWnd>();
        splash->ShowSplash();
        processEvents();
    }

    int status = 0;
    {
        CMainFrame frame;
        QPointer<CMainFrame> framePointer(&frame);
        connect(&instance, &CSingleInstance::MessageReceived, &frame, [framePointer](const QString& path) {
            if (!framePointer) return;
            BringForward(*framePointer);
            if (!path.isEmpty()) OpenWhenFree(framePointer, path);
        });

        // A project named on the command line that cannot be opened ends the
        // start; the reason has been shown.
        if (!commandLine.projectPath.isEmpty() && !frame.OpenProject(commandLine.projectPath)) {
            status = 1;
        } else {
            frame.show();
            if (splash) splash->raise();
            status = exec();
        }
    }
    splash.reset();
    // The frame's exit removes this run's residue files; this covers the ways
    // out that never reach it.
    CResidueFiles::RemoveAll();
    return status;
}

}  // namespace qln

#include "moc_QLNApp.cpp"
