// A user's whole path through the main window: a new project, its data and
// an applicant, a DNA sequence typed with a coding region and a journal
// article, saved and generated. The listing is the one the command-line
// program writes for the saved project.
#include <QComboBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include "support/ModalAnswer.h"
#include "app/sequences/AddSequenceDialog.h"
#include "app/generation/GeneratorProgressDialog.h"
#include "app/frame/MainFrame.h"
#include "app/document/QLNDoc.h"
#include "app/frame/QLNView.h"
#include "app/frame/TextFileViewer.h"
#include "screens/FeatureDialog.h"
#include "screens/IndividualApplDialog.h"
#include "screens/JournalDialog.h"
#include "screens/ProjectDataDialog.h"
#include "support/ScreenTestSupport.h"

using namespace qln;
using namespace qln::test;

namespace {

// ATG GCT GCA AAG ATT GCG TGG CAT GCA TAA
constexpr const char* kResidues = "atggctgcaaagattgcgtggcatgcataa";

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class UserPathTest : public QObject {
    Q_OBJECT
    QTemporaryDir tmp_;  // TMP of this run

    // A screen opened by a command: answer fills it and presses OK; a
    // screen that refused OK is cancelled and fails the test.
    template <class Screen>
    void Enter(QAction* command, std::function<void(Screen&)> answer)
    {
        QString refused = "no screen";
        AnswerModal<Screen>([&](Screen* screen) {
            refused.clear();
            answer(*screen);
            Click(*screen, "okButton");
            if (!screen->isVisible()) return;
            refused = screen->windowTitle() + ": " + ErrorsText(*screen);
            screen->reject();
        });
        command->trigger();
        QVERIFY2(refused.isEmpty(), qPrintable(refused));
    }

    QWidget* ToolButton(CMainFrame& frame, const char* action)
    {
        return frame.findChild<QToolBar*>()->widgetForAction(frame.Action(action));
    }

private slots:
    void initTestCase() { UsePrivateFolders(tmp_); }

    void newProjectToTheListing();
};

void UserPathTest::newProjectToTheListing()
{
    QTemporaryDir work;
    CMainFrame frame;
    frame.show();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    QTest::mouseClick(ToolButton(frame, "actionNew"), Qt::LeftButton);
    QVERIFY(frame.Document().IsUntitled());

    Enter<CProjectDataDialog>(frame.Action("actionProjectData"), [](CProjectDataDialog& screen) {
        Type(screen, "title", "Enzymes that cut twice");
        Type(screen, "applicationNumber", "US 10/123,456");
        Type(screen, "filingDate", "20020304");
        Type(screen, "fileReference", "QA-17");
    });
    Enter<CIndividualApplDialog>(frame.Action("actionIndividual"), [](CIndividualApplDialog& screen) {
        Type(screen, "firstName", "Ada");
        Type(screen, "lastName", "Lovelace");
        Type(screen, "city", "London");
        Type(screen, "country", "GB");
        Click(screen, "insertButton");
    });

    // Add a DNA sequence, then its organism and residues by keys.
    AnswerModal<CAddSequenceDialog>([](CAddSequenceDialog* dialog) {
        QTest::keyClicks(dialog->findChild<QLineEdit*>("name"), "enzyme");
        Click(*dialog, "ok");
    });
    QTest::mouseClick(frame.View().findChild<QPushButton*>("add"), Qt::LeftButton);
    QVERIFY(frame.View().CurrentSequence());
    frame.activateWindow();  // back from the dialogs, as a window manager does
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    Retype(frame.View().findChild<QLineEdit*>("organism"), "Homo sapiens");
    auto* editor = frame.View().findChild<QPlainTextEdit*>("editor");
    QTest::mouseClick(editor->viewport(), Qt::LeftButton);
    QTest::keyClicks(editor, QString(kResidues).toUpper());

    Enter<CFeatureDialog>(frame.Action("actionFeatureData"), [](CFeatureDialog& screen) {
        Type(screen, "key", "CDS");
        Type(screen, "from", "1");
        Type(screen, "to", "30");
        Click(screen, "insertButton");
    });
    Enter<CJournalDialog>(frame.Action("actionJournal"), [](CJournalDialog& screen) {
        Type(screen, "authors", "Lovelace, A.");
        Type(screen, "title", "A twice-cutting enzyme");
        QComboBox* journal = screen.findChild<QComboBox*>("journal");
        journal->lineEdit()->setFocus();
        QTest::keyClicks(journal->lineEdit(), "Nature");
        Type(screen, "volume", "12");
        Type(screen, "pageRange", "100-110");
        Type(screen, "publicationDate", "20010203");
        Type(screen, "from", "1");
        Type(screen, "to", "30");
    });

    // Save on the untitled project asks for a name; then Generate.
    const QString project = work.filePath("Enzymes.prj");
    AnswerModal<QFileDialog>([project](QFileDialog* dialog) { TypeFileName(dialog, project); });
    QTest::mouseClick(ToolButton(frame, "actionSave"), Qt::LeftButton);
    QVERIFY(QFileInfo::exists(project));
    QCOMPARE(frame.windowTitle(), QString("Enzymes.prj[*] - Quillion"));
    QVERIFY(!frame.isWindowModified());

    QStringList messages;
    AnswerModal<CGeneratorProgressDialog>([&messages](CGeneratorProgressDialog* dialog) {
        CloseAtEnd guard{dialog};
        Click(*dialog, "startButton");
        // A run with findings stays open to show them.
        QTRY_VERIFY(!dialog->isVisible() || dialog->findChild<QPushButton*>("closeButton")->isVisible());
        const QAbstractItemModel* list = dialog->findChild<QAbstractItemView*>("messageList")->model();
        for (int row = 0; row < list->rowCount(); ++row) messages << list->index(row, 0).data().toString();
    });
    QTest::mouseClick(ToolButton(frame, "actionGenerate"), Qt::LeftButton);
    const QString listing = work.filePath("Enzymes_ST25.txt");
    QVERIFY2(QFileInfo::exists(listing), qPrintable(messages.join('\n')));
    QVERIFY(CTextFileViewer::Find(listing));
    const QByteArray written = Contents(listing);
    for (const char* part : {"<120>  Enzymes that cut twice", "Lovelace, Ada", "<213>  Homo sapiens", "<221>  CDS",
                             "A twice-cutting enzyme", "Met Ala Ala Lys Ile Ala Trp His Ala"})
        QVERIFY2(written.contains(part), part);

    // The command-line program on a copy of the saved project, under the
    // same name in another folder.
    QTemporaryDir other;
    const QString copy = other.filePath("Enzymes.prj");
    QVERIFY(QFile::copy(project, copy));
    QProcess cli;
    cli.start(QLN_BINARY_DIR "/quillion-cli", {"generate", copy});
    QVERIFY(cli.waitForFinished(60000));
    QVERIFY2(cli.exitCode() == 0, cli.readAllStandardError().constData());
    QCOMPARE(written, Contents(other.filePath("Enzymes_ST25.txt")));
}

QTEST_MAIN(UserPathTest)
#include "UserPathTest.moc"
