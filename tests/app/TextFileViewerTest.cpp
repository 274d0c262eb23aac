// The program's own viewer of the files it writes: shown in a fixed-pitch
// font, found in, printed to a PDF file, read afresh in the window already
// open, and refused with the usual message when the file can't be read.
#include <QFontInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

#include "support/ModalAnswer.h"
#include "app/frame/TextFileViewer.h"

using namespace qln;
using namespace qln::test;

namespace {

void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

}  // namespace

class TextFileViewerTest : public QObject {
    Q_OBJECT
    QTemporaryDir folder_;

private slots:
    void showsFindsAndPrints()
    {
        const QString path = folder_.filePath("P_ST25.txt");
        Write(path, "<110>  Lopez, Maria\n\n<213>  Aequorea victoria\n\n<213>  Aequorea victoria\n\nGen\xe8ve\n");
        CTextFileViewer* viewer = CTextFileViewer::Show(nullptr, path);
        QVERIFY(viewer);
        QVERIFY(viewer->isVisible());
        QCOMPARE(viewer->windowTitle(), QString("P_ST25.txt - Quillion"));
        QVERIFY(viewer->Text().endsWith(QString::fromLatin1("Gen\xe8ve\n")));  // Latin-1, as written
        QVERIFY(QFontInfo(viewer->findChild<QPlainTextEdit*>("text")->font()).fixedPitch());
        QVERIFY(viewer->StatusLine().contains("P_ST25.txt"));

        // Found in order, round the end once, and not at all.
        auto* find = viewer->findChild<QLineEdit*>("findField");
        auto* text = viewer->findChild<QPlainTextEdit*>("text");
        find->setText("aequorea");
        QVERIFY(viewer->FindNext());
        const int first = text->textCursor().selectionStart();
        QVERIFY(viewer->FindNext());
        QVERIFY(text->textCursor().selectionStart() > first);
        QVERIFY(viewer->FindNext());
        QCOMPARE(text->textCursor().selectionStart(), first);
        QVERIFY(viewer->StatusLine().startsWith("Passed the end"));
        QVERIFY(viewer->FindPrevious());
        QVERIFY(text->textCursor().selectionStart() > first);
        find->setText("Homo sapiens");
        QVERIFY(!viewer->FindNext());
        QCOMPARE(viewer->StatusLine(), QString("Text not found."));

        // Printed to a PDF file, as the print dialog's "Print to File" does.
        const QString pdf = folder_.filePath("listing.pdf");
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        viewer->PrintTo(printer);
        QFile printed(pdf);
        QVERIFY(printed.open(QIODevice::ReadOnly));
        QVERIFY(printed.read(5) == "%PDF-");

        // Shown again after the file changed: the same window, the new text.
        Write(path, "<110>  Novak, Tomas\n");
        QCOMPARE(CTextFileViewer::Show(nullptr, path), viewer);
        QCOMPARE(viewer->Text(), QString("<110>  Novak, Tomas\n"));
        viewer->close();
        QTRY_VERIFY(!CTextFileViewer::Find(path));
    }

    void fileThatCannotBeRead()
    {
        const auto seen = ExpectMessageBox();
        QVERIFY(!CTextFileViewer::Show(nullptr, folder_.filePath("missing_ST25.txt")));
        QCOMPARE(seen->text, QString("Can't open the file for viewing."));
        QCOMPARE(seen->icon, QMessageBox::Critical);
        QVERIFY(!CTextFileViewer::Open(nullptr, folder_.path()));  // a folder is no file
    }
};

QTEST_MAIN(TextFileViewerTest)
#include "TextFileViewerTest.moc"
