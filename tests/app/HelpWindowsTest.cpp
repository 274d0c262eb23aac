// The help window and the help key, the validation errors window, the
// organism comment and the clean-up progress window.
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

#include "support/ModalAnswer.h"
#include "app/frame/AboutDlg.h"
#include "app/sequences/ChangeSequenceTypeDialog.h"
#include "app/frame/DeleteTempFilesDialog.h"
#include "widgets/ErrorMsgDialog.h"
#include "widgets/Help.h"
#include "app/import/ImportProgressDialog.h"
#include "app/sequences/OrgComment.h"
#include "app/document/SaveProgressDialog.h"

using namespace qln;
using namespace qln::test;

class HelpWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void helpKeyShowsTheWindowsPage();
    void validationErrorsShowTheFirst500();
    void organismCommentKeepsItsLines();
    void cleanUpProgressCountsAndStaysOpen();
    void helpKeyInTheProgressWindowsAndAbout();
};

void HelpWindowsTest::helpKeyShowsTheWindowsPage()
{
    QTemporaryDir data;
    QVERIFY(QDir(data.path()).mkdir("help"));
    QFile page(data.filePath("help/SequenceHelp.md"));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.write("# Sequences\n\nType the *residues* here.\n");
    page.close();
    qputenv("QLN_DATA_DIR", data.path().toLocal8Bit());

    // F1 in a dialog shows its page in "Quillion: HELP"; OK closes it.
    CChangeSequenceTypeDialog dialog;
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QString title, text;
    AnswerModal<CHelp>([&](CHelp* help) {
        title = help->windowTitle();
        text = help->findChild<QTextBrowser*>()->toPlainText();
        QVERIFY(help->findChild<QTextBrowser*>()->isReadOnly());
        help->findChild<QPushButton*>("ok")->click();
    });
    QTest::keyClick(dialog.focusWidget(), Qt::Key_F1);
    QCOMPARE(title, QString("Quillion: HELP"));
    QVERIFY2(text.startsWith("Sequences\n") && text.contains("Type the residues here."), qPrintable(text));
    QVERIFY(dialog.isVisible());

    // A page that isn't there is named in the window.
    CHelp missing(data.filePath("help/NoSuchHelp.md"));
    const QString shown = missing.findChild<QTextBrowser*>()->toPlainText();
    QVERIFY2(shown.contains(QDir::toNativeSeparators(data.filePath("help/NoSuchHelp.md"))), qPrintable(shown));
    qunsetenv("QLN_DATA_DIR");
}

void HelpWindowsTest::validationErrorsShowTheFirst500()
{
    QWidget view;
    CErrorMsgDialog dialog(&view);
    StringList messages;
    for (int i = 1; i <= 500; ++i) messages.push_back("Message " + std::to_string(i));
    dialog.ShowMessages(messages);
    QVERIFY(dialog.isVisible());
    QVERIFY(!dialog.isModal());
    QCOMPARE(dialog.Text().split('\n').size(), 500);
    QVERIFY(dialog.Text().startsWith("Message 1\nMessage 2\n"));

    messages.push_back("Message 501");
    dialog.ShowMessages(messages);
    const QStringList lines = dialog.Text().split('\n');
    QCOMPARE(lines.size(), 501);
    QCOMPARE(lines.front(), QString("Only the first 500 error messages are displayed below."));
    QCOMPARE(lines.back(), QString("Message 500"));

    dialog.findChild<QPushButton*>("ok")->click();
    QVERIFY(!dialog.isVisible());
}

void HelpWindowsTest::organismCommentKeepsItsLines()
{
    COrgComment dialog("made in\r\nthe lab");
    dialog.show();
    auto* edit = dialog.findChild<QPlainTextEdit*>();
    QCOMPARE(edit->toPlainText(), QString("made in\nthe lab"));
    edit->moveCursor(QTextCursor::End);
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClicks(edit, "by PCR");
    QTest::mouseClick(dialog.findChild<QCheckBox*>(), Qt::LeftButton);
    dialog.findChild<QPushButton*>("ok")->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.Comment(), std::string("made in\r\nthe lab\r\nby PCR"));
    QVERIFY(dialog.ApplyToAll());
}

void HelpWindowsTest::cleanUpProgressCountsAndStaysOpen()
{
    CDeleteTempFilesDialog dialog(25);
    dialog.show();
    auto* count = dialog.findChild<QLabel*>("count");
    QCOMPARE(count->text(), QString("0 of 25 files deleted."));
    dialog.SetDeleted(10);
    QCOMPARE(count->text(), QString("10 of 25 files deleted."));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(dialog.isVisible());
    // Its owner closes it when the work is done.
    dialog.close();
    QVERIFY(!dialog.isVisible());
}

// Windows the program shows while it works, and the About box, answer the
// help key as every other window does.
void HelpWindowsTest::helpKeyInTheProgressWindowsAndAbout()
{
    SaveProgressDialog save;
    CImportProgressDialog import;
    CAboutDlg about;
    for (QDialog* window : std::initializer_list<QDialog*>{&save, &import, &about}) {
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        bool helped = false;
        AnswerModal<CHelp>([&helped](CHelp* help) {
            helped = true;
            help->accept();
        });
        QTest::keyClick(window->focusWidget() ? window->focusWidget() : window, Qt::Key_F1);
        QTRY_VERIFY2(helped, window->metaObject()->className());
        window->hide();
    }
}

QTEST_MAIN(HelpWindowsTest)
#include "HelpWindowsTest.moc"
