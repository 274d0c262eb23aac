// Generate as a user meets it: the progress dialog driven with clicks from
// the main window, runs with errors, with short sequences only, paused after
// each message, and cancelled while the listing is written; and the dialog's
// decisions without widgets.
#include <QCheckBox>
#include <QLabel>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>
#include <condition_variable>
#include <mutex>

#include "support/ModalAnswer.h"
#include "app/generation/GenerationDialogState.h"
#include "app/generation/GenerationForwarder.h"
#include "app/generation/GeneratorProgressDialog.h"
#include "app/frame/TextFileViewer.h"
#include "app/frame/MainFrame.h"
#include "app/frame/QLNView.h"
#include "model/ProjectFile.h"
#include "model/Sequence.h"

using namespace qln;
using namespace qln::test;

namespace {

using Stage = CGenerationDialogState::Stage;

const std::string kTwentyBases = "acgtacgtacgtacgtacgt";

QString ShortWarning(const QString& name)
{
    return "Warning: Sequence <" + name + "> should contain at least ten nucleotides.";
}

QString Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

QStringList Lines(const QListView* list)
{
    QStringList lines;
    for (int row = 0; row < list->model()->rowCount(); ++row)
        lines.append(list->model()->index(row, 0).data().toString());
    return lines;
}

template <class T = QPushButton>
T* Child(QWidget* dialog, const char* name)
{
    return dialog->findChild<T*>(name);
}

// A check box takes clicks on its box and text only, at its left.
void Click(QWidget* dialog, const char* name)
{
    auto* button = Child<QAbstractButton>(dialog, name);
    const bool checkBox = qobject_cast<QCheckBox*>(button);
    QTest::mouseClick(button, Qt::LeftButton, {}, checkBox ? QPoint(8, button->height() / 2) : QPoint());
}

bool Shows(QWidget* dialog, const char* button)
{
    return Child(dialog, button)->isVisible();
}

// Holds the run inside its report of the first written sequence.
struct Gate {
    std::mutex mutex;
    std::condition_variable changed;
    bool writing = false, held = false, released = false;

    void OnNotify(int code, int value)
    {
        if (code == CGenerationObserver::kWritingSequences) writing = true;
        if (!writing || code != CGenerationObserver::kSequenceDone || value != 1) return;
        std::unique_lock lock(mutex);
        held = true;
        changed.wait(lock, [this] { return released; });
    }
    bool IsHeld()
    {
        std::lock_guard lock(mutex);
        return held;
    }
    void Release()
    {
        {
            std::lock_guard lock(mutex);
            released = true;
        }
        changed.notify_all();
    }
};

}  // namespace

class GeneratorProgressDialogTest : public QObject {
    Q_OBJECT

    QTemporaryDir tmp_;
    QTemporaryDir work_;

    // The viewer windows open, and whether they show exactly these files.
    static QList<CTextFileViewer*> Viewers()
    {
        QList<CTextFileViewer*> viewers;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* viewer = qobject_cast<CTextFileViewer*>(window)) viewers << viewer;
        return viewers;
    }
    static bool Viewing(const QStringList& paths)
    {
        if (Viewers().size() != paths.size()) return false;
        for (const QString& path : paths)
            if (!CTextFileViewer::Find(path)) return false;
        return true;
    }

    QString ProjectPath() const { return work_.filePath("Proj.prj"); }
    QString Listing() const { return work_.filePath("Proj_ST25.txt"); }
    QString ErrorReport() const { return work_.filePath("Proj_ErrorLog.txt"); }

    // A project that passes the project checks, with DNA sequences of the
    // given residues, saved and opened in the main window.
    void Open(CMainFrame& frame, std::initializer_list<std::pair<const char*, std::string>> sequences)
    {
        Ptr<CProject> project(new CProject);
        project->GetProjectData()->SetTitle("Widgets");
        project->GetProjectData()->SetFileReference("REF-1");
        project->GetIndivApplicants().Add(new CIndivApplicant(project.get(), "John", "Smith"));
        for (const auto& [name, residues] : sequences)
            project->Add(new CDNASequence(project.get(), name, "Homo sapiens", residues));
        SaveProjectFile(*project, ProjectPath().toStdString());
        QVERIFY(frame.OpenProject(ProjectPath()));
    }

    // Generate from the menu; answer drives the dialog. A dialog that a
    // failed check left open is cancelled.
    void Generate(CMainFrame& frame, const std::function<void(CGeneratorProgressDialog*)>& answer)
    {
        bool answered = false;
        AnswerModal<CGeneratorProgressDialog>([&](CGeneratorProgressDialog* dialog) {
            answered = true;
            answer(dialog);
            if (dialog->isVisible()) dialog->reject();
        });
        frame.Action("actionGenerate")->trigger();
        QVERIFY(answered);
    }

private slots:
    void initTestCase() { UsePrivateFolders(tmp_); }
    void init()
    {
        qDeleteAll(Viewers());
        QDir(ErrorReport()).removeRecursively();
        QFile::remove(ErrorReport());
        QFile::remove(Listing());
    }

    void decisionsFollowTheRun()
    {
        CGenerationDialogState state;
        QVERIFY(state.StartVisible() && state.StartEnabled() && !state.CloseVisible());
        QCOMPARE(state.StartText(), "&Start");
        // Cancel before the start removes the old report and shows nothing.
        CGenerationDialogState unstarted;
        const auto early = unstarted.Cancel(true);
        QVERIFY(early.deleteErrorReport && !early.cancelRun);
        QCOMPARE(early.view, GenerationView::Nothing);

        QVERIFY(state.Start(true));
        QVERIFY(!state.Start(true));
        QCOMPARE(state.StartText(), "Conti&nue");
        QVERIFY(!state.StartVisible() && state.CancelEnabled());
        state.MessageAdded();
        QCOMPARE(state.GetStage(), Stage::Paused);
        QVERIFY(state.StartVisible() && state.StartEnabled());
        QVERIFY(state.Continue());
        QVERIFY(!state.Continue());
        state.MessageAdded();
        // Unticking the box while the run waits lets it go on.
        QVERIFY(state.SetPauseMode(false));
        state.MessageAdded();
        QCOMPARE(state.GetStage(), Stage::Running);
        state.WritingStarted();
        QVERIFY(!state.StartEnabled());

        // Cancel while running stops the run and shows the error report.
        CGenerationDialogState running = state;
        const auto steps = running.Cancel(true);
        QVERIFY(steps.cancelRun && !steps.deleteErrorReport);
        QCOMPARE(steps.view, GenerationView::ErrorReport);
        QCOMPARE(running.Cancel(true).view, GenerationView::Nothing);  // already closed

        // A listing closes at once when the user wants to see it.
        CGenerationDialogState viewing = state;
        QVERIFY(viewing.Finished(true, true));
        QCOMPARE(viewing.Close(true), GenerationView::Listing);
        QVERIFY(!state.Finished(false, true));
        QVERIFY(state.CloseVisible() && !state.StartVisible());
        QCOMPARE(state.Close(true), GenerationView::ErrorReport);
        QCOMPARE(state.GetStage(), Stage::Closed);
    }

    void runWithErrorsGivesTheErrorReportAlone()
    {
        CMainFrame frame;
        frame.show();
        Open(frame, {{"A", "acg"}, {"B", "acgtx"}, {"C", kTwentyBases}});
        QFile(Listing()).open(QIODevice::WriteOnly);  // an earlier run's listing goes

        QStringList shown;
        Generate(frame, [&](CGeneratorProgressDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), QString("Sequence Generation - Validating Project Data"));
            QVERIFY(Shows(dialog, "startButton") && !Shows(dialog, "closeButton"));
            Click(dialog, "startButton");
            QTRY_VERIFY(Shows(dialog, "closeButton"));
            QVERIFY(!Shows(dialog, "startButton"));
            QCOMPARE(dialog->windowTitle(), QString("Sequence Generation - Validating Sequences"));
            QCOMPARE(Child<QLabel>(dialog, "countCaption")->text(), QString("Sequences Reviewed:"));
            QCOMPARE(Child<QLabel>(dialog, "countLabel")->text(), QString("3"));
            QCOMPARE(Child<QProgressBar>(dialog, "progressBar")->value(), 100);
            shown = Lines(Child<QListView>(dialog, "messageList"));
            Click(dialog, "closeButton");
        });

        const QStringList messages{ShortWarning("A"), "Sequence 'B': Invalid character 'x' at location 5.",
                                   ShortWarning("B")};
        const QString where = "Error report written to " + QDir::toNativeSeparators(ErrorReport()) + ".";
        QCOMPARE(shown, messages + QStringList({"Unsuccessful completion.", where}));
        QCOMPARE(Read(ErrorReport()), messages.join('\n') + '\n');
        QVERIFY(!QFileInfo::exists(Listing()));
        QVERIFY(Viewing({ErrorReport()}));
        QVERIFY(frame.Action("actionViewErrorReport")->isEnabled());
        QVERIFY(!frame.Action("actionViewListing")->isEnabled());

        // A report that can't be written: the box, and the dialog closes.
        QVERIFY(QFile::remove(ErrorReport()) && QDir().mkdir(ErrorReport()));
        auto box = ExpectMessageBox();
        Generate(frame, [&](CGeneratorProgressDialog* dialog) {
            Click(dialog, "startButton");
            QTRY_VERIFY(!dialog->isVisible());
        });
        QCOMPARE(box->text, QString("I/O error opening error log file."));
        QVERIFY(!QFileInfo::exists(Listing()));
        QCOMPARE(Viewers().size(), 1);
    }

    void pausedRunOfShortSequencesEndsWithTheLengthWarning()
    {
        CMainFrame frame;
        frame.show();
        Open(frame, {{"A", "acg"}, {"B", "acgt"}, {"C", kTwentyBases}});

        auto box = std::make_shared<SeenMessage>();
        Generate(frame, [&](CGeneratorProgressDialog* dialog) {
            auto* list = Child<QListView>(dialog, "messageList");
            Click(dialog, "pauseCheck");
            Click(dialog, "viewCheck");
            Click(dialog, "startButton");
            // The run waits after its first message.
            QTRY_VERIFY(Shows(dialog, "startButton"));
            QCOMPARE(Child(dialog, "startButton")->text(), QString("Conti&nue"));
            QCOMPARE(Lines(list), QStringList{ShortWarning("A")});
            QTest::qWait(50);
            QCOMPARE(Lines(list).size(), 1);
            QCOMPARE(Child<QLabel>(dialog, "countLabel")->text(), QString("1"));

            Click(dialog, "startButton");
            QTRY_COMPARE(Lines(list).size(), 2);
            QTRY_VERIFY(Shows(dialog, "startButton"));
            box = ExpectMessageBox();
            Click(dialog, "startButton");
            QTRY_COMPARE(box->count, 1);
            QTRY_VERIFY(Shows(dialog, "closeButton"));
            QCOMPARE(dialog->windowTitle(), QString("Sequence Generation - Successful completion."));
            QCOMPARE(Child<QLabel>(dialog, "countCaption")->text(), QString("Sequences Written:"));
            // The count above the bar is of the project's sequences; the last line says what was written.
            QCOMPARE(Lines(list), (QStringList{ShortWarning("A"), ShortWarning("B"), "Successful completion.",
                                               "Sequence listing written to " + QDir::toNativeSeparators(Listing()) +
                                                   ": 3 entries from 3 sequences of the project."}));
            QCOMPARE(Child(dialog, "closeButton")->text(), QString("C&lose"));
            QCOMPARE(Child(dialog, "cancelButton")->text(), QString("&Cancel"));
            Click(dialog, "closeButton");
        });

        QCOMPARE(box->text,
                 "Warning: Your sequences have been successfully generated.  Some sequences however have "
                 "been detected that were shorter than the required length specified in 37 CFR "
                 "1.821(a).  For specific sequence names, see the " +
                     ErrorReport() + " file.");
        QVERIFY(Read(Listing()).contains("<210>  3"));
        QVERIFY(Viewers().isEmpty());  // the box to view was unticked
    }

    void cancelWhileWritingThenTheNextRunStartsClean()
    {
        CMainFrame frame;
        frame.show();
        Open(frame, {{"S1", std::string(130, 't')}, {"S2", kTwentyBases}, {"S3", kTwentyBases}});

        // Cancel before the start: an earlier error report goes, nothing runs.
        QFile(ErrorReport()).open(QIODevice::WriteOnly);
        Generate(frame, [](CGeneratorProgressDialog* dialog) { Click(dialog, "cancelButton"); });
        QVERIFY(!QFileInfo::exists(ErrorReport()));
        QVERIFY(Viewers().isEmpty());

        Gate gate;
        Generate(frame, [&](CGeneratorProgressDialog* dialog) {
            auto release = qScopeGuard([&] { gate.Release(); });
            dialog->Forwarder().SetNotifyHook([&](int code, int value) { gate.OnNotify(code, value); });
            Click(dialog, "startButton");
            QTRY_VERIFY(gate.IsHeld());
            QTRY_COMPARE(Child<QLabel>(dialog, "countCaption")->text(), QString("Sequences Written:"));
            QCOMPARE(dialog->windowTitle(), QString("Sequence Generation - Writing Sequences... Please wait ..."));
            QVERIFY(Shows(dialog, "cancelButton") && Child(dialog, "cancelButton")->isEnabled());
            Click(dialog, "cancelButton");
        });

        QCOMPARE(frame.statusBar()->currentMessage(), QString("Generation canceled."));
        const QString partial = Read(Listing());
        QVERIFY(partial.contains("<210>  1") && !partial.contains("<210>  2"));
        QCOMPARE(Read(ErrorReport()), QString("Generation cancelled by user.\n"));
        QVERIFY(Viewing({ErrorReport()}));
        // The run parked every long sequence; the current one is read back.
        QCOMPARE(frame.View().CurrentSequence()->GetName(), std::string("S1"));
        QVERIFY(frame.View().CurrentSequence()->AreResiduesInMemory());

        // The next run: a complete listing, shown at once, no error report.
        Generate(frame, [](CGeneratorProgressDialog* dialog) {
            QVERIFY(Lines(Child<QListView>(dialog, "messageList")).isEmpty());
            Click(dialog, "startButton");
            QTRY_VERIFY(!dialog->isVisible());
        });
        QVERIFY(Read(Listing()).contains("<210>  3"));
        QVERIFY(!QFileInfo::exists(ErrorReport()));
        QVERIFY(CTextFileViewer::Find(Listing()));
    }
};

QTEST_MAIN(GeneratorProgressDialogTest)
#include "GeneratorProgressDialogTest.moc"
