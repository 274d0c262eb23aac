#include "app/Screenshots.h"

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QTimer>
#include <cstdio>

#include "app/AddSequenceDialog.h"
#include "app/DataFolder.h"
#include "app/Help.h"
#include "app/MainFrame.h"
#include "app/QLNDoc.h"

namespace qln {

namespace {

bool Save(QWidget& window, const QString& folder, const QString& name)
{
    const QString path = QDir(folder).filePath(name);
    const bool saved = window.grab().save(path, "PNG");
    std::fprintf(stderr, "%s %s\n", saved ? "saved" : "could not save", qPrintable(QDir::toNativeSeparators(path)));
    return saved;
}

// Shows a dialog without blocking, lets it lay itself out, and takes its picture.
bool Shoot(QDialog& dialog, const QString& folder, const QString& name)
{
    dialog.show();
    dialog.raise();
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    const bool saved = Save(dialog, folder, name);
    dialog.hide();
    return saved;
}

void TakeAll(CMainFrame& frame, const QString& folder)
{
    QDir().mkpath(folder);
    bool ok = Save(frame, folder, QStringLiteral("main-window.png"));
    {
        CAddSequenceDialog add(frame.Document().Project().GetSequences(), &frame);
        ok = Shoot(add, folder, QStringLiteral("add-sequence.png")) && ok;
    }
    {
        CHelp help(CDataFolder::HelpPath(QStringLiteral("SequenceHelp.md")), &frame);
        ok = Shoot(help, folder, QStringLiteral("help.png")) && ok;
    }
    QCoreApplication::exit(ok ? 0 : 1);
}

}  // namespace

void ScheduleScreenshots(CMainFrame& frame, const QString& folder)
{
    // Waits for the window to be up and the project shown, then gives the
    // layout a moment to settle.
    auto* timer = new QTimer(&frame);
    timer->setInterval(300);
    QPointer<CMainFrame> target(&frame);
    QObject::connect(timer, &QTimer::timeout, &frame, [timer, target, folder] {
        if (!target || !target->isVisible() || QApplication::activeModalWidget()) return;
        timer->stop();
        QTimer::singleShot(700, target, [target, folder] {
            if (target) TakeAll(*target, folder);
        });
    });
    timer->start();
}

}  // namespace qln
