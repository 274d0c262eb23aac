// The main window as a user meets it: menus that follow the project's files,
// Generate, viewing, Copy to Disk through its dialog, and the exit clean-up.
#include <QPrintDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include "support/ModalAnswer.h"
#include "app/frame/CopyToDisk.h"
#include "app/generation/GeneratorProgressDialog.h"
#include "app/frame/MainFrame.h"
#include "app/document/QLNDoc.h"
#include "app/frame/QLNView.h"
#include "app/frame/ResidueCleanup.h"
#include "app/frame/TextFileViewer.h"
#include "model/ResidueFile.h"

using namespace qln;
using namespace qln::test;

namespace {

class FullDisk : public CDiskInfo {
public:
    std::optional<qint64> FreeSpace(const QString&) const override { return 0; }
};

bool Exists(const std::string& path)
{
    return QFileInfo::exists(QString::fromStdString(path));
}

}  // namespace

class MainFrameTest : public QObject {
    Q_OBJECT

    QTemporaryDir tmp_;  // TMP of this run: the residue files' private folder goes inside
    QTemporaryDir work_;

    QString Demo() const { return work_.filePath("Demo.prj"); }

    // Opens a menu of the menu bar with the mouse, as a user does, and reads
    // which of its items are enabled.
    QMap<QString, bool> OpenMenu(CMainFrame& frame, const QString& title)
    {
        QMenuBar* bar = frame.menuBar();
        QAction* menuAction = nullptr;
        for (QAction* action : bar->actions())
            if (action->text() == title) menuAction = action;
        if (!menuAction) return {};
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menuAction).center());
        QMap<QString, bool> enabled;
        QMenu* menu = menuAction->menu();
        if (!menu->isVisible()) return {};
        for (QAction* action : menu->actions())
            if (!action->isSeparator()) enabled.insert(action->text(), action->isEnabled());
        menu->hide();
        return enabled;
    }

private slots:
    void initTestCase()
    {
        UsePrivateFolders(tmp_);
        QVERIFY(QFile::copy(QLN_SOURCE_DIR "/examples/demo.prj", Demo()));
    }

    void menusFollowTheListing()
    {
        CMainFrame frame;
        frame.show();
        QVERIFY(frame.OpenProject(Demo()));
        QCOMPARE(frame.windowTitle(), QString("Demo.prj[*] - Quillion"));
        QVERIFY(frame.View().CurrentSequence());

        // Nothing generated yet: only the work file can be viewed.
        QMap<QString, bool> project = OpenMenu(frame, "&Project");
        QCOMPARE(project.value("View/Print &Work In Progress"), true);
        QCOMPARE(project.value("View/Print Sequence &Listing", true), false);
        QCOMPARE(project.value("View/Print &Error Report", true), false);
        QMap<QString, bool> steps = OpenMenu(frame, "Application S&teps");
        QCOMPARE(steps.value("&Copy to Disk", true), false);
        QCOMPARE(steps.value("&Generate Sequence Listing"), true);
        QCOMPARE(steps.value("&Project Data"), true);

        // Generate from the tool bar: the listing is written and opened.
        QToolBar* tools = frame.findChild<QToolBar*>();
        QWidget* generate = tools->widgetForAction(frame.Action("actionGenerate"));
        QCOMPARE(generate->toolTip(), QString("Generate"));
        AnswerModal<CGeneratorProgressDialog>(
            [](CGeneratorProgressDialog* dialog) { dialog->findChild<QPushButton*>("startButton")->click(); });
        QTest::mouseClick(generate, Qt::LeftButton);
        const QString listing = work_.filePath("Demo_ST25.txt");
        QVERIFY(QFileInfo::exists(listing));
        // Shown in the program's own viewer; the status bar says where it went.
        QVERIFY(CTextFileViewer::Find(listing));
        QCOMPARE(frame.statusBar()->currentMessage(), "Sequence listing written to " +
                                                          QDir::toNativeSeparators(listing) +
                                                          ": 4 entries from 3 sequences of the project.");

        // Ctrl+P prints the current sequence through the print dialog.
        QVERIFY(frame.Action("actionPrint")->isEnabled());
        QCOMPARE(frame.Action("actionPrint")->shortcut(), QKeySequence(QKeySequence::Print));
        bool asked = false;
        AnswerModal<QPrintDialog>([&asked](QPrintDialog* dialog) {
            asked = true;
            dialog->reject();
        });
        frame.Action("actionPrint")->trigger();
        QVERIFY(asked);
        QVERIFY(frame.View().PrintableText().startsWith("Sequence Name: GFP-cds\n"));

        project = OpenMenu(frame, "&Project");
        QCOMPARE(project.value("View/Print Sequence &Listing"), true);
        steps = OpenMenu(frame, "Application S&teps");
        QCOMPARE(steps.value("&Copy to Disk"), true);

        // Copy to Disk into a zip, through the file dialog.
        const QString zip = work_.filePath("copy.zip");
        AnswerModal<QFileDialog>([zip](QFileDialog* dialog) {
            dialog->selectNameFilter("Zip Files (*.zip)");
            TypeFileName(dialog, zip);
        });
        frame.Action("actionCopyToDisk")->trigger();
        QVERIFY(QFileInfo(zip).size() > 0);
        QCOMPARE(frame.statusBar()->currentMessage(), QString("Disk Copy Completed Successfully."));

        // No room for the text copy: the user is told and asked again.
        frame.SetDiskInfo(std::make_unique<FullDisk>());
        auto seen = std::make_shared<SeenMessage>();
        bool askedAgain = false;
        const QString text = work_.filePath("copy.txt");
        AnswerModal<QFileDialog>([text, seen, &askedAgain](QFileDialog* dialog) {
            AnswerModal<QMessageBox>([seen, &askedAgain](QMessageBox* box) {
                seen->text = box->text();
                AnswerModal<QFileDialog>([&askedAgain](QFileDialog* again) {
                    askedAgain = true;
                    again->reject();
                });
                box->accept();
            });
            TypeFileName(dialog, text);
        });
        frame.Action("actionCopyToDisk")->trigger();
        QVERIFY(seen->text.startsWith("Insufficient disk space."));
        QVERIFY(askedAgain);
        QVERIFY(!QFileInfo::exists(text));
    }

    void workFileIsWrittenThenViewed()
    {
        CMainFrame frame;
        QVERIFY(frame.OpenProject(Demo()));
        QVERIFY(frame.Action("actionViewWorkFile")->isEnabled());
        frame.Action("actionViewWorkFile")->trigger();
        const QString workFile = work_.filePath("Demo_WorkFile.txt");
        QVERIFY(QFileInfo(workFile).size() > 0);
        QVERIFY(CTextFileViewer::Find(workFile));

        auto seen = ExpectMessageBox();
        CTextFileViewer::Show(&frame, work_.filePath("missing.txt"));
        QCOMPARE(seen->text, QString("Can't open the file for viewing."));
        QCOMPARE(seen->icon, QMessageBox::Critical);
    }

    void exitAsksAboutDeletedSequences()
    {
        CMainFrame frame;
        frame.show();
        QVERIFY(frame.OpenProject(Demo()));
        CProject& project = frame.Document().Project();
        project.Delete(project.GetSequences()[0].get());
        const int left = project.GetSequences().GetSize();

        auto seen = std::make_shared<SeenMessage>();
        AnswerModal<QMessageBox>([seen](QMessageBox* box) {
            seen->text = box->text();
            box->button(QMessageBox::No)->click();
        });
        QVERIFY(!frame.close());
        QCOMPARE(seen->text, QString("There are deleted sequences.  Exiting now will discard them.  Exit now?"));
        QVERIFY(frame.isVisible());
        QVERIFY(project.HasDeletedSequences());
        QCOMPARE(project.GetSequences().GetSize(), left);
    }

    void exitRemovesOnlyThisRunsFiles()
    {
        std::vector<std::string> ours;
        for (int i = 0; i < 25; ++i) {
            ours.push_back(CResidueFiles::MakeFileName());
            CResidueFiles::Write(ours.back(), std::string(200, 'a'));
        }
        const std::string folder = CResidueFiles::GetFolder();
        QVERIFY(!folder.empty());
        // A file of the same pattern outside the private folder is not ours.
        const QString stranger = tmp_.filePath("Seq1.qln");
        QFile file(stranger);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();

        CMainFrame frame;
        frame.show();
        QVERIFY(frame.close());
        for (const std::string& path : ours) QVERIFY(!Exists(path));
        QVERIFY(!Exists(folder));
        QVERIFY(QFileInfo::exists(stranger));
    }

    void cleanupReportsEveryTenthAndTheLast()
    {
        QTemporaryDir folder;
        for (int i = 1; i <= 25; ++i) {
            QFile file(folder.filePath(QString("Seq%1.qln").arg(i)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        for (const char* other : {"notes.txt", "Seq3.qln.bak", "SeqX.qln"}) {
            QFile file(folder.filePath(other));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        CResidueCleanup cleanup(folder.path().toStdString());
        QCOMPARE(cleanup.Count(), 25);
        QList<int> reports;
        QCOMPARE(cleanup.Run([&reports](int deleted) { reports.append(deleted); }), 25);
        QCOMPARE(reports, QList<int>({10, 20, 25}));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 3);
    }
};

QTEST_MAIN(MainFrameTest)
#include "MainFrameTest.moc"
