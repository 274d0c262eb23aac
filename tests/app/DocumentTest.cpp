// The document's New, Open, Save and their failures, driven as the user
// meets them: through the save progress dialog and the message boxes.
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstdio>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/ModalAnswer.h"
#include "app/document/QLNDoc.h"
#include "app/document/SaveProgressDialog.h"
#include "model/ProjectFile.h"
#include "model/ResidueFile.h"
#include "model/Sequence.h"

using namespace qln;
using qln::test::AnswerModal;
using qln::test::ExpectMessageBox;

namespace {

void AddSequences(CProject& project, int count, int length, const std::string& prefix = "seq")
{
    std::string residues;
    for (int i = 0; i < length; ++i) residues += "acgt"[i % 4];
    for (int i = 0; i < count; ++i)
        project.Add(new CDNASequence(&project, prefix + std::to_string(i + 1), "Homo sapiens", residues));
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList Entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
}

// Presses Cancel in the save dialog before the worker writes its first
// sequence: the call is queued ahead of the worker's start. On the way it
// checks that Escape and the title bar's close leave the dialog up.
void CancelTheSave(bool* dialogStayedUp)
{
    QTimer::singleShot(0, [dialogStayedUp] {
        auto* dialog = qobject_cast<SaveProgressDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        QTest::keyClick(dialog, Qt::Key_Escape);
        dialog->close();
        *dialogStayedUp = dialog->isVisible();
        QTest::mouseClick(dialog->findChild<QPushButton*>("cancelButton"), Qt::LeftButton);
    });
}

// Drops the file-system rights of root for this thread and the threads it
// starts, so that a folder without write permission refuses us too.
class CUnprivilegedFiles {
public:
    CUnprivilegedFiles() : root_(geteuid() == 0)
    {
        if (root_) setfsuid(65534);
    }
    ~CUnprivilegedFiles()
    {
        if (root_) setfsuid(0);
    }

private:
    bool root_;
};

// The child of killedSaveLeavesOldOrNewFile: saves two reference versions,
// then saves the project file over and over, alternating them, printing each
// status text, until it is killed.
[[noreturn]] void RunSavingChild(const QString& folder)
{
    CCQLNDoc doc;
    AddSequences(doc.Project(), 1000, 10000);
    auto save = [&doc](const char* title, const QString& path) {
        doc.Project().GetProjectData()->SetTitle(title);
        doc.SetModified();
        if (!doc.SaveTo(path)) std::_Exit(3);
    };
    save("A", folder + "/A.prj");
    save("B", folder + "/B.prj");
    QObject::connect(&doc, &CCQLNDoc::StatusText, [](const QString& text) {
        std::printf("%s\n", qPrintable(text));
        std::fflush(stdout);
    });
    std::printf("ready\n");
    std::fflush(stdout);
    for (int round = 0;; ++round) {
        save(round % 2 ? "B" : "A", folder + "/P.prj");
        std::printf("saved\n");
        std::fflush(stdout);
    }
}

}  // namespace

class DocumentTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void newSaveAndCancelledSaves();
    void failedSaveShowsCauseAndKeepsFile();
    void failedOpenAndDeletedSequencesKeepProject();
    void killedSaveLeavesOldOrNewFile();
    void cleanupTestCase() { CResidueFiles::RemoveAll(); }
};

void DocumentTest::initTestCase()
{
    const QByteArray childFolder = qgetenv("QLN_SAVE_CHILD");
    if (!childFolder.isEmpty()) RunSavingChild(QString::fromLocal8Bit(childFolder));
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName("QuillionDocumentTest");
}

void DocumentTest::newSaveAndCancelledSaves()
{
    QTemporaryDir folder;
    for (const char* name : {"Untitled.prj", "Untitled1.prj", "Untitled2.prj"}) {
        QFile file(folder.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QCOMPARE(FreeUntitledPath(folder.path()), folder.filePath("Untitled3.prj"));

    CCQLNDoc doc;
    doc.SetDocumentsFolder(folder.path());
    QVERIFY(doc.NewDocument());
    QCOMPARE(doc.Path(), folder.filePath("Untitled3.prj"));
    QVERIFY(doc.IsUntitled());
    QVERIFY(!doc.HasFileOnDisk());
    QVERIFY(!doc.Reload());
    const QStringList before = Entries(folder.path());

    AddSequences(doc.Project(), 3, 150);
    doc.SetModified();
    const QString path = folder.filePath("P.prj");

    // The first save, cancelled: no file at all, and still modified.
    bool stayedUp = false;
    CancelTheSave(&stayedUp);
    QVERIFY(!doc.SaveTo(path));
    QVERIFY(stayedUp);
    QCOMPARE(Entries(folder.path()), before);
    QVERIFY(doc.IsModified());
    QVERIFY(doc.IsUntitled());

    QSignalSpy status(&doc, &CCQLNDoc::StatusText);
    QSignalSpy recent(&doc, &CCQLNDoc::RecentFileUsed);
    QVERIFY(doc.SaveTo(path));
    QCOMPARE(status.last().at(0).toString(), QString("Sequences Saved: 3"));
    QCOMPARE(recent.last().at(0).toString(), path);
    QVERIFY(!doc.IsModified());
    QVERIFY(!doc.IsUntitled());
    QCOMPARE(doc.Title(), QString("P.prj"));
    QVERIFY(doc.HasFileOnDisk());
    QCOMPARE(LoadProjectFile(ToCorePath(path))->GetSequences().GetSize(), 3);

    // A later save, cancelled: the saved file stays byte for byte, nothing
    // is left beside it, and the changes still count as unsaved.
    const QByteArray saved = ReadAll(path);
    AddSequences(doc.Project(), 1, 10, "more");
    doc.SetModified();
    CancelTheSave(&stayedUp);
    QVERIFY(!doc.SaveTo(path));
    QCOMPARE(ReadAll(path), saved);
    QStringList expected = QStringList(before) << "P.prj";
    expected.sort();
    QCOMPARE(Entries(folder.path()), expected);
    QVERIFY(doc.IsModified());

    // The keyboard goes back to the window the save was started from.
    QWidget owner;
    owner.show();
    owner.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&owner));
    CCQLNDoc owned(&owner);
    AddSequences(owned.Project(), 1, 10);
    QVERIFY(owned.SaveTo(folder.filePath("Q.prj")));
    QTRY_COMPARE(QApplication::activeWindow(), &owner);
}

void DocumentTest::failedSaveShowsCauseAndKeepsFile()
{
    QTemporaryDir folder;
    const QString path = folder.filePath("P.prj");
    CCQLNDoc doc;
    AddSequences(doc.Project(), 2, 50);
    QVERIFY(doc.SaveTo(path));
    const QByteArray saved = ReadAll(path);

    AddSequences(doc.Project(), 1, 50, "more");
    doc.SetModified();
    QVERIFY(chmod(QFile::encodeName(folder.path()).constData(), 0555) == 0);
    bool result = true;
    const auto message = ExpectMessageBox();
    {
        CUnprivilegedFiles unprivileged;
        result = doc.SaveTo(path);
    }
    chmod(QFile::encodeName(folder.path()).constData(), 0755);

    QVERIFY(!result);
    QCOMPARE(message->text, QString("I/O error during save. Error code = %1.").arg(EACCES));
    QCOMPARE(message->icon, QMessageBox::Warning);
    QCOMPARE(ReadAll(path), saved);
    QCOMPARE(Entries(folder.path()), QStringList{"P.prj"});
    QVERIFY(doc.IsModified());
}

void DocumentTest::failedOpenAndDeletedSequencesKeepProject()
{
    QTemporaryDir folder;
    const QString other = folder.filePath("Other.prj");
    {
        CProject project;
        AddSequences(project, 5, 20, "other");
        SaveProjectFile(project, ToCorePath(other));
    }
    const QString bad = folder.filePath("Bad.prj");
    {
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a project at all");
    }

    CCQLNDoc doc;
    AddSequences(doc.Project(), 2, 20);
    QVERIFY(doc.SaveTo(folder.filePath("Mine.prj")));
    doc.Project().Delete(doc.Project().Find("seq1"));
    doc.SetModified();
    CProject* const mine = &doc.Project();
    QSignalSpy replaced(&doc, &CCQLNDoc::ProjectReplaced);
    QSignalSpy status(&doc, &CCQLNDoc::StatusText);

    // No to the deleted sequences: nothing happens.
    QString question;
    AnswerModal<QMessageBox>([&question](QMessageBox* box) {
        question = box->text();
        QTest::mouseClick(box->button(QMessageBox::No), Qt::LeftButton);
    });
    QVERIFY(!doc.OpenDocument(other));
    QCOMPARE(question, QString("There are deleted sequences.  Discard now?"));
    QCOMPARE(&doc.Project(), mine);
    QVERIFY(doc.Project().HasDeletedSequences());

    // Yes, Discard, and the file is bad: its message, and the open project
    // stays with its path and its unsaved changes.
    QString saveQuestion, failure;
    AnswerModal<QMessageBox>([&](QMessageBox* deleted) {
        QTest::mouseClick(deleted->button(QMessageBox::Yes), Qt::LeftButton);
        AnswerModal<QMessageBox>([&](QMessageBox* save) {
            saveQuestion = save->text();
            QTest::mouseClick(save->button(QMessageBox::Discard), Qt::LeftButton);
            AnswerModal<QMessageBox>([&](QMessageBox* refusal) {
                failure = refusal->text();
                refusal->accept();
            });
        });
    });
    QVERIFY(!doc.OpenDocument(bad));
    QCOMPARE(saveQuestion, QString("Save changes to Mine.prj?"));
    QCOMPARE(failure, bad + " has a bad format.");
    QCOMPARE(&doc.Project(), mine);
    QCOMPARE(doc.Path(), folder.filePath("Mine.prj"));
    QVERIFY(doc.IsModified());
    QVERIFY(doc.Project().HasDeletedSequences());
    QCOMPARE(replaced.count(), 0);
    // No loading count of the file that failed stays in the status bar.
    QVERIFY(!status.isEmpty() && status.last().first().toString().isEmpty());

    // The same answers on a good file open it.
    AnswerModal<QMessageBox>([&](QMessageBox* deleted) {
        QTest::mouseClick(deleted->button(QMessageBox::Yes), Qt::LeftButton);
        AnswerModal<QMessageBox>(
            [&](QMessageBox* save) { QTest::mouseClick(save->button(QMessageBox::Discard), Qt::LeftButton); });
    });
    QVERIFY(doc.OpenDocument(other));
    QCOMPARE(doc.Path(), other);
    QCOMPARE(doc.Project().GetSequences().GetSize(), 5);
    QVERIFY(!doc.IsModified());
    QCOMPARE(replaced.count(), 1);
    QVERIFY(doc.Reload());

    // Reloading a file that was moved away says so and keeps the project.
    QVERIFY(QFile::rename(other, folder.filePath("Moved.prj")));
    const auto gone = ExpectMessageBox();
    QVERIFY(!doc.Reload());
    QVERIFY2(gone->text.contains("no longer there"), qPrintable(gone->text));
    QVERIFY(gone->text.contains(QDir::toNativeSeparators(other)));
    QCOMPARE(doc.Project().GetSequences().GetSize(), 5);
}

// A child process saves the project again and again and is killed with
// SIGKILL at several points of a save: the project file is always one of the
// two complete versions, never a partial one.
void DocumentTest::killedSaveLeavesOldOrNewFile()
{
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir("tmp"));
    const QString path = folder.filePath("P.prj");
    struct Kill {
        int save;         // the n-th save of P.prj in this child
        QString trigger;  // the status text at which it dies
    };
    const QList<Kill> kills = {{1, "Sequences Saved: 1"},
                               {2, "Sequences Saved: 10"},
                               {3, "Sequences Saved: 500"},
                               {3, "Sequences Saved: 999"},
                               {2, "saved"}};
    int killedMidWrite = 0;
    bool anyComplete = false;
    for (const Kill& kill : kills) {
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QLN_SAVE_CHILD", folder.path());
        environment.insert("TMP", folder.filePath("tmp"));
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForStarted());
        bool ready = false, killed = false;
        int save = 0;
        while (!killed && child.waitForReadyRead(60000)) {
            while (!killed && child.canReadLine()) {
                const QString line = QString::fromLocal8Bit(child.readLine()).trimmed();
                if (line == "ready") {
                    ready = true;
                    save = 1;
                } else if (ready && line == kill.trigger && save == kill.save) {
                    ::kill(child.processId(), SIGKILL);
                    killed = true;
                } else if (ready && line == "saved") {
                    anyComplete = true;
                    ++save;
                }
            }
        }
        QVERIFY2(killed, "the child never reached its kill point");
        child.waitForFinished();

        QStringList leftovers = QDir(folder.path()).entryList({"P.prj.saving*"}, QDir::Files);
        killedMidWrite += leftovers.isEmpty() ? 0 : 1;
        for (const QString& leftover : leftovers) QFile::remove(folder.filePath(leftover));
        if (!QFile::exists(path)) {
            QVERIFY2(!anyComplete, "the project file went away");
            continue;
        }
        const QByteArray bytes = ReadAll(path);
        QVERIFY2(bytes == ReadAll(folder.filePath("A.prj")) || bytes == ReadAll(folder.filePath("B.prj")),
                 qPrintable("partial project file after the kill at " + kill.trigger));
    }
    qInfo("%d of %lld kills left a partial file beside the project file", killedMidWrite, qlonglong(kills.size()));
    QVERIFY(killedMidWrite > 0);
}

QTEST_MAIN(DocumentTest)
#include "DocumentTest.moc"
