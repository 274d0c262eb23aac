// The import screen as a user drives it: sequence files picked in Browse
// with a clashing name, Cancel while the worker reads, a generated listing
// that becomes the new project, another project's sequences; and the copy
// rule for projects on removable media.
#include <QCheckBox>
#include <QDir>
#include <QMessageBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>
#include <atomic>
#include <fstream>

#include "support/ModalAnswer.h"
#include "widgets/ErrorMsgDialog.h"
#include "app/import/ImportFileCopy.h"
#include "app/import/ImportProgressDialog.h"
#include "app/import/ImportSequencesDialog.h"
#include "app/import/ParsingApplicantNamesDialog.h"
#include "app/document/QLNDoc.h"
#include "app/frame/QLNView.h"
#include "app/sequences/RenameSeqDialog.h"
#include "app/import/SelectImportSeq.h"
#include "app/frame/TextFileViewer.h"
#include "import/ListingRoundTrip.h"
#include "model/Applicant.h"
#include "model/ProjectFile.h"
#include "model/Sequence.h"

using namespace qln;
using namespace qln::test;

namespace {

QString Write(const QTemporaryDir& dir, const QString& name, const std::string& text)
{
    const QString path = dir.filePath(name);
    std::ofstream(path.toStdString(), std::ios::binary) << text;
    return path;
}

QStringList Names(const CProject& project)
{
    QStringList names;
    for (const auto& sequence : project.GetSequences()) names.append(QString::fromStdString(sequence->GetName()));
    return names;
}

template <class T>
T* Child(const QWidget& parent, const char* name)
{
    T* child = parent.findChild<T*>(name);
    if (!child) qFatal("no child %s", name);
    return child;
}

// Near the left end: a radio button reacts only on its circle and caption.
void Click(const QWidget& screen, const char* name)
{
    auto* button = Child<QAbstractButton>(screen, name);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

}  // namespace

class ImportScreenTest : public QObject {
    Q_OBJECT
private slots:
    // A listing another program wrote is read once the box is ticked, and
    // the parse log that names its writer is viewed.
    void listingFromAnotherProgramWithTheBox()
    {
        QTemporaryDir dir;
        const QString listing = Write(
            dir, "other.txt",
            "                        SEQUENCE LISTING\n\n<110> Acme Seeds\n\n<120> Ringspot detection\n\n"
            "<130> RS-1\n\n<160> 1\n\n<170> OtherWriter 1.0\n\n<210> 1\n<211> 20\n<212> DNA\n"
            "<213> Homo sapiens\n\n<400> 1\nacgtacgtac gtaaccggtt                                                 20\n");
        CCQLNDoc document;
        QDir(dir.path()).mkdir("docs");
        document.SetDocumentsFolder(dir.filePath("docs"));
        // The main view behind the screen shows what came in while the
        // screen still tells about it.
        CQLNView view(document);
        int listedDuringNotice = -1;
        CImportSequencesDialog screen(document);
        QStringList status;
        connect(&screen, &CImportSequencesDialog::StatusText, this, [&](const QString& text) { status << text; });
        screen.show();
        auto* box = Child<QCheckBox>(screen, "anyGenerator");
        QVERIFY(!box->isEnabled());
        Click(screen, "fromListing");
        QVERIFY(box->isEnabled());
        QVERIFY(!box->isChecked());
        QTest::keyClicks(Child<QLineEdit>(screen, "listingBox"), listing);

        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
        QVERIFY(box->isChecked());
        AnswerModal<QMessageBox>([&](QMessageBox* notice) {
            notice->button(QMessageBox::Ok)->click();
            AnswerModal<CParsingApplicantNamesDialog>([&](CParsingApplicantNamesDialog* names) {
                ExpectMessageBox();
                QTest::mouseClick(Child<QPushButton>(*names, "add"), Qt::LeftButton);
                QTest::mouseClick(Child<QPushButton>(*names, "finish"), Qt::LeftButton);
                AnswerModal<QMessageBox>([&](QMessageBox* where) {  // where the parse log went
                    listedDuringNotice = view.findChild<QListWidget*>("sequenceList")->count();
                    where->button(QMessageBox::Ok)->click();
                });
            });
        });
        Click(screen, "importButton");
        QCOMPARE(document.Project().GetSequences().GetSize(), 1);
        QCOMPARE(QString::fromStdString(document.Project().GetSequences()[0]->GetOrganism()), QString("Homo sapiens"));
        QCOMPARE(listedDuringNotice, 1);
        QVERIFY(view.CurrentSequence());
        CTextFileViewer* log = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* viewer = qobject_cast<CTextFileViewer*>(window);
                viewer && viewer->Path().endsWith("_ParseFileErrorLog.txt"))
                log = viewer;
        QVERIFY(log);
        QVERIFY(log->Text().contains("OtherWriter"));
        delete log;
    }

    void filesFromBrowseWithAClashRenameThenStop()
    {
        QTemporaryDir dir;
        Write(dir, "a.txt", "<s1;DNA>acgt\n");
        Write(dir, "b.txt", "<s2;DNA>gg\n<s1;RNA>gu\n");
        CCQLNDoc document;
        document.Project().Add(new CDNASequence(&document.Project(), "s1", "", "tttt"));
        CImportSequencesDialog screen(document);
        QStringList status;
        connect(&screen, &CImportSequencesDialog::StatusText, this, [&](const QString& text) { status << text; });
        screen.show();
        QVERIFY(Child<QCheckBox>(screen, "filter")->isChecked());
        QVERIFY(!Child<QLineEdit>(screen, "projectBox")->isEnabled());

        // Both files at once; Browse starts in the program's folder.
        QString startFolder;
        AnswerModal<QFileDialog>([&](QFileDialog* dialog) {
            startFolder = dialog->directory().absolutePath();
            QCOMPARE(dialog->windowTitle(), QString("Import Sequence(s) from Files"));
            QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFiles);
            dialog->setDirectory(dir.path());
            TypeFileName(dialog, "\"a.txt\" \"b.txt\"");
        });
        Click(screen, "browseFile");
        QCOMPARE(startFolder, QCoreApplication::applicationDirPath());
        QCOMPARE(Child<QLineEdit>(screen, "fileBox")->text(), QDir::toNativeSeparators(dir.filePath("a.txt")) + " + " +
                                                                  QDir::toNativeSeparators(dir.filePath("b.txt")));
        AnswerModal<QFileDialog>([&](QFileDialog* dialog) {
            startFolder = dialog->directory().absolutePath();
            dialog->reject();
        });
        Click(screen, "browseFile");
        QCOMPARE(startFolder, QDir(dir.path()).absolutePath());

        // s1 of a.txt is renamed; the second s1 (of b.txt) stops the import.
        QStringList asked, entries;
        AnswerModal<CSelectImportSeq>([&](CSelectImportSeq* select) {
            for (const QListWidgetItem* item :
                 Child<QListWidget>(*select, "sequences")->findItems("*", Qt::MatchWildcard))
                entries << item->text();
            QTest::mouseClick(Child<QPushButton>(*select, "selectAll"), Qt::LeftButton);
            QTest::mouseClick(Child<QPushButton>(*select, "ok"), Qt::LeftButton);
        });
        AnswerModal<CRenameSeqDialog>([&](CRenameSeqDialog* rename) {
            asked << Child<QLineEdit>(*rename, "conflictingName")->text();
            QTest::keyClicks(Child<QLineEdit>(*rename, "name"), "s1 copy");
            QTest::mouseClick(Child<QPushButton>(*rename, "ok"), Qt::LeftButton);
            AnswerModal<CRenameSeqDialog>([&](CRenameSeqDialog* again) {
                asked << Child<QLineEdit>(*again, "conflictingName")->text();
                auto* stop = Child<QPushButton>(*again, "stop");
                QCOMPARE(stop->text(), QString("&Stop import"));
                QTest::mouseClick(stop, Qt::LeftButton);
            });
        });
        Click(screen, "importButton");

        QCOMPARE(entries, (QStringList{"a.txt - s1", "b.txt - s2", "b.txt - s1"}));
        QCOMPARE(asked, (QStringList{"s1", "s1"}));
        QCOMPARE(Names(document.Project()), (QStringList{"s1", "s1 copy", "s2"}));
        QCOMPARE(QString::fromStdString(document.Project().Find("s1 copy")->GetResidues()), QString("acgt"));
        QVERIFY(document.IsModified());
        QCOMPARE(screen.ProgressDialog().windowTitle(), QString("Importing from file: b.txt"));
        QVERIFY(status.contains("Sequences Added: 2"));
        QCOMPARE(status.last(), QString("Import cancelled."));
        QVERIFY(!screen.isVisible());
    }

    void emptyBoxThenCancelWhileReading()
    {
        QTemporaryDir dir;
        const QString file = Write(dir, "many.txt", "<a;DNA>ac\n<b;DNA>gg\n<c;DNA>tt\n");
        CCQLNDoc document;
        CImportSequencesDialog screen(document);
        screen.show();

        Click(screen, "importButton");
        QCOMPARE(screen.MessagesDialog().Text(), QString("Please specify an import file."));
        QCOMPARE(screen.Result(), QString("Import failed."));
        QVERIFY(screen.isVisible());

        // The worker's first report waits until the user has pressed Cancel,
        // so the stop is seen after the first sequence.
        CImportProgressDialog& progress = screen.ProgressDialog();
        std::atomic<bool> pressed{false};
        connect(
            &progress, &CImportProgressDialog::CommandSent, &progress,
            [&](int code, int) {
                if (code != CImportProgress::kSequencesAnalyzed || pressed.exchange(true)) return;
                QMetaObject::invokeMethod(Child<QPushButton>(progress, "cancel"), "click",
                                          Qt::BlockingQueuedConnection);
            },
            Qt::DirectConnection);
        QTest::keyClicks(Child<QLineEdit>(screen, "fileBox"), file);
        Click(screen, "importButton");

        QVERIFY(pressed.load());
        QVERIFY(screen.MessagesDialog().Text().contains("Import canceled by user."));
        QCOMPARE(screen.Result(), QString("Import failed."));
        QVERIFY(document.Project().GetSequences().IsEmpty());
        QVERIFY(!progress.isVisible());
        QVERIFY(screen.isVisible());
        QVERIFY(Child<QPushButton>(screen, "importButton")->isEnabled());
    }

    void generatedListingBecomesTheNewProject()
    {
        QTemporaryDir dir;
        CProject source;
        source.GetProjectData()->SetTitle("Ringspot detection");
        source.GetProjectData()->SetFileReference("RS-1");
        source.GetOrgApplicants().Add(new COrgApplicant(&source, "Acme Seeds"));
        source.Add(new CDNASequence(&source, "gene", "Homo sapiens", "acgtacgtacgtaaccggtt"));
        source.Add(new CProtein3Sequence(&source, "peptide", "Mus musculus", "MetLysValLeuAlaAlaGly"));
        std::string fault;
        QVERIFY2(!GenerateListing(source, dir.path().toStdString(), "source", fault).empty(), fault.c_str());

        CCQLNDoc document;
        QDir(dir.path()).mkdir("docs");
        document.SetDocumentsFolder(dir.filePath("docs"));
        document.Project().Add(new CDNASequence(&document.Project(), "old", "", "acgt"));
        document.SetModified(true);
        CImportSequencesDialog screen(document);
        QStringList status;
        connect(&screen, &CImportSequencesDialog::StatusText, this, [&](const QString& text) { status << text; });
        screen.show();
        Click(screen, "fromListing");
        QVERIFY(!Child<QCheckBox>(screen, "filter")->isEnabled());
        QVERIFY(Child<QCheckBox>(screen, "filter")->isChecked());
        QVERIFY(!Child<QLineEdit>(screen, "fileBox")->isEnabled());
        QTest::keyClicks(Child<QLineEdit>(screen, "listingBox"), dir.filePath("source_ST25.txt"));

        // The notice, then the save question: Cancel keeps the project.
        auto importWithAnswer = [&](QMessageBox::StandardButton saveAnswer) {
            auto notice = std::make_shared<QString>();
            AnswerModal<QMessageBox>([notice, saveAnswer](QMessageBox* box) {
                *notice = box->text();
                box->button(QMessageBox::Ok)->click();
                AnswerModal<QMessageBox>([saveAnswer](QMessageBox* save) { save->button(saveAnswer)->click(); });
                if (saveAnswer == QMessageBox::Cancel) return;
                // The listing's questions: the applicant, then the sequences.
                AnswerModal<CParsingApplicantNamesDialog>([](CParsingApplicantNamesDialog* names) {
                    QCOMPARE(Child<QLineEdit>(*names, "importedName")->text(), QString("Acme Seeds"));
                    ExpectMessageBox();
                    QTest::mouseClick(Child<QPushButton>(*names, "add"), Qt::LeftButton);
                    QTest::mouseClick(Child<QPushButton>(*names, "finish"), Qt::LeftButton);
                    AnswerModal<CSelectImportSeq>([](CSelectImportSeq* select) {
                        QTest::mouseClick(Child<QPushButton>(*select, "selectAll"), Qt::LeftButton);
                        QTest::mouseClick(Child<QPushButton>(*select, "ok"), Qt::LeftButton);
                    });
                });
            });
            Click(screen, "importButton");
            return *notice;
        };
        QCOMPARE(importWithAnswer(QMessageBox::Cancel),
                 QString("The sequence listing will be imported to a new Quillion project."));
        QCOMPARE(status.last(), QString("Import cancelled."));
        QCOMPARE(Names(document.Project()), QStringList{"old"});

        importWithAnswer(QMessageBox::Discard);
        QCOMPARE(status.last(), QString("Import succeeded."));
        QVERIFY(document.IsUntitled());
        QVERIFY(document.IsModified());
        QCOMPARE(document.Title(), QString("Untitled.prj"));
        QCOMPARE(document.Project().GetProjectData()->GetTitle(), std::string("Ringspot detection"));
        QCOMPARE(document.Project().GetOrgApplicants().GetSize(), 1);
        QCOMPARE(QString::fromStdString(SequenceDifference(source, document.Project())), QString());
        QVERIFY(!QFileInfo::exists(dir.filePath("docs/Untitled_ParseFileErrorLog.txt")));
    }

    void projectImportAddsItsSequences()
    {
        QTemporaryDir dir;
        CProject other;
        other.GetProjectData()->SetTitle("Other");
        other.Add(new CDNASequence(&other, "p1", "Homo sapiens", "acgtacgt"));
        other.Add(new CProtein1Sequence(&other, "p2", "Mus musculus", "MKV"));
        const QString path = dir.filePath("other.prj");
        SaveProjectFile(other, path.toStdString());

        CCQLNDoc document;
        document.Project().Add(new CDNASequence(&document.Project(), "mine", "", "gg"));
        CImportSequencesDialog screen(document);
        QStringList status;
        connect(&screen, &CImportSequencesDialog::StatusText, this, [&](const QString& text) { status << text; });
        screen.show();
        Click(screen, "fromProject");
        QVERIFY(!Child<QCheckBox>(screen, "filter")->isChecked());
        QVERIFY(!Child<QPushButton>(screen, "browseFile")->isEnabled());
        QTest::keyClicks(Child<QLineEdit>(screen, "projectBox"), path);
        AnswerModal<CSelectImportSeq>([](CSelectImportSeq* select) {
            QTest::mouseClick(Child<QPushButton>(*select, "selectAll"), Qt::LeftButton);
            QTest::mouseClick(Child<QPushButton>(*select, "ok"), Qt::LeftButton);
        });
        Click(screen, "importButton");

        QCOMPARE(Names(document.Project()), (QStringList{"mine", "p1", "p2"}));
        QCOMPARE(QString::fromStdString(document.Project().Find("p2")->GetOrganism()), QString("Mus musculus"));
        QCOMPARE(document.Project().GetProjectData()->GetTitle(), std::string());
        QVERIFY(status.contains("Reading the project..."));
        QVERIFY(status.contains("Adding sequences..."));
        QCOMPARE(status.last(), QString("Import succeeded."));
        QVERIFY(!screen.isVisible());
    }

    void projectOnRemovableMediaIsReadFromACopy()
    {
        QVERIFY(IsRemovableMount("iso9660", "/dev/sr0", "/nonexistent"));
        QVERIFY(!IsRemovableMount("tmpfs", "tmpfs", "/nonexistent"));
        QTemporaryDir sys;
        QDir(sys.path()).mkpath("devices/sdz/sdz1");
        QDir(sys.path()).mkpath("devices/sdy/sdy1");
        QDir(sys.path()).mkpath("class/block");
        Write(sys, "devices/sdz/removable", "1\n");
        Write(sys, "devices/sdy/removable", "0\n");
        QFile::link(sys.filePath("devices/sdz/sdz1"), sys.filePath("class/block/sdz1"));
        QFile::link(sys.filePath("devices/sdy/sdy1"), sys.filePath("class/block/sdy1"));
        QVERIFY(IsRemovableMount("vfat", "/dev/sdz1", sys.path()));
        QVERIFY(!IsRemovableMount("ext4", "/dev/sdy1", sys.path()));

        QTemporaryDir medium, tmp;
        const QByteArray oldTmp = qgetenv("TMP");
        qputenv("TMP", tmp.path().toLocal8Bit());
        const QString file = Write(medium, "cd.prj", "project bytes");
        QFile::setPermissions(file, QFileDevice::ReadOwner);
        {
            CImportFileCopy onDisk([](const QString&) { return false; });
            QVERIFY(onDisk.Prepare(file));
            QCOMPARE(onDisk.ReadPath(), file);

            CImportFileCopy copy([](const QString&) { return true; });
            QVERIFY(copy.Prepare(file));
            QCOMPARE(copy.ReadPath(), tmp.filePath("cd.prj"));
            QVERIFY(QFileInfo(copy.ReadPath()).isWritable());
            QCOMPARE(QString::fromStdString(ReadFileBytes(copy.ReadPath().toStdString())), QString("project bytes"));
        }
        QVERIFY(!QFileInfo::exists(tmp.filePath("cd.prj")));

        // Something in the way of the copy that can't be overwritten.
        QDir(tmp.path()).mkpath("cd.prj/inside");
        CImportFileCopy blocked([](const QString&) { return true; });
        QVERIFY(!blocked.Prepare(file));
        qputenv("TMP", oldTmp);
    }
};

QTEST_MAIN(ImportScreenTest)
#include "ImportScreenTest.moc"
