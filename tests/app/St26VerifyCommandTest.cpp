// Verify ST.26 XML from the Project menu as a user goes through it: the file
// picked, the findings in the report window grouped by sequence under their
// counts; and what the window says for a listing that passes, one with
// warnings and one that cannot be read.
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QtTest>

#include "support/ModalAnswer.h"
#include "app/frame/MainFrame.h"
#include "app/st26/St26ExportReportDialog.h"
#include "app/document/QLNDoc.h"
#include "app/st26/St26VerifyCommand.h"
#include "export/St26Verifier.h"
#include "support/ScreenTestSupport.h"

using namespace qln;
using namespace qln::test;

namespace {

QByteArray ValidListing()
{
    QFile file(QStringLiteral(QLN_TEST_DATA_DIR "/st26-listings/valid.xml"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray ReplaceFirst(QByteArray text, const QByteArray& from, const QByteArray& to)
{
    const qsizetype at = text.indexOf(from);
    return at < 0 ? text : text.replace(at, from.size(), to);
}

}  // namespace

class St26VerifyCommandTest : public QObject {
    Q_OBJECT
    QTemporaryDir tmp_;
    QTemporaryDir work_;

    QString Save(const QString& name, const QByteArray& bytes)
    {
        QFile file(work_.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return file.fileName();
    }

private slots:
    void initTestCase() { UsePrivateFolders(tmp_); }

    void verifyThroughTheMenu()
    {
        QVERIFY(!ValidListing().isEmpty());
        const QByteArray listing = ReplaceFirst(ReplaceFirst(ValidListing(), ">other RNA<", ">other DNA<"),
                                                ">Homo sapiens<", ">Unknown<");
        const QString path = Save("Cassette_ST26.xml", listing);

        CMainFrame frame;
        frame.show();
        QAction* command = frame.Action("actionVerifySt26");
        QVERIFY(command && command->isEnabled());
        QString title, outcome, report;
        AnswerModal<QFileDialog>([&](QFileDialog* dialog) {
            AnswerModal<CSt26ExportReportDialog>([&](CSt26ExportReportDialog* window) {
                title = window->windowTitle();
                outcome = window->Outcome();
                report = window->Report()->toPlainText();
                Click(*window, "closeButton");
            });
            TypeFileName(dialog, path);
        });
        command->trigger();
        QCOMPARE(title, QString("ST.26 Verification"));
        QCOMPARE(outcome, QString("Cassette_ST26.xml does not pass: 1 error, 1 warning, 0 notes in 6 sequences. "
                                  "Correct the errors before filing."));
        const QStringList lines = report.split('\n');
        QCOMPARE(lines.value(1), QString("1 error, 1 warning, 0 notes in 6 sequences"));
        const qsizetype first = lines.indexOf("SEQ ID 1"), third = lines.indexOf("SEQ ID 3");
        QVERIFY2(first > 0 && third > first, qPrintable(report));
        QVERIFY(lines.value(first + 1).startsWith("  SEQ ID 1, source 1..36, organism (line"));
        QVERIFY(lines.value(third + 1).contains("error: \"other DNA\" is no mol_type of RNA"));

        // Cancelled: nothing is verified or shown.
        bool shown = false;
        AnswerModal<QFileDialog>([&](QFileDialog* dialog) {
            AnswerModal<CSt26ExportReportDialog>([&](CSt26ExportReportDialog* window) {
                shown = true;
                window->reject();
            });
            dialog->reject();
        });
        command->trigger();
        QTest::qWait(100);
        QVERIFY(!shown);
    }

    void whatTheWindowSays()
    {
        const auto view = [&](const QByteArray& bytes) {
            const QString path = Save("x.xml", bytes);
            return CSt26VerificationView::For(CSt26Verifier::VerifyFile(ToCorePath(path)), path);
        };
        const CSt26VerificationView passes = view(ValidListing());
        QCOMPARE(passes.icon, QMessageBox::Information);
        QVERIFY(passes.outcome.startsWith("x.xml passes: 0 errors"));
        QVERIFY(passes.report.contains("No findings."));

        QCOMPARE(view(ReplaceFirst(ValidListing(), ">Homo sapiens<", ">Unknown<")).icon, QMessageBox::Warning);

        const CSt26VerificationView broken = view(ValidListing().left(500));
        QCOMPARE(broken.icon, QMessageBox::Critical);
        QVERIFY2(broken.outcome.startsWith("x.xml could not be read to its end"), qPrintable(broken.outcome));
    }
};

QTEST_MAIN(St26VerifyCommandTest)
#include "St26VerifyCommandTest.moc"
