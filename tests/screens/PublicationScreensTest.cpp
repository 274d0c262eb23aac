// The journal, patent, thesis and database screens as a user drives them:
// jumping between them with typed input, the journal list, date fields,
// insert places, and OK with an invalid record.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

#include "support/ModalAnswer.h"
#include "support/ScreenTestSupport.h"
#include "widgets/ErrorMsgDialog.h"
#include "widgets/Help.h"
#include "app/frame/MainFrame.h"
#include "app/document/QLNDoc.h"
#include "app/frame/QLNView.h"
#include "model/Project.h"
#include "model/Sequence.h"
#include "screens/DatabaseDialog.h"
#include "screens/JournalDialog.h"
#include "screens/JournalNames.h"
#include "screens/PatentDialog.h"
#include "screens/PublicationFields.h"
#include "screens/PublicationScreens.h"
#include "screens/ThesisDialog.h"

using namespace qln;
using namespace qln::test;

namespace {

// A project with one DNA sequence of nine residues.
CSequence& AddSequence(CCQLNDoc& doc)
{
    const Ptr<CDNASequence> sequence = MakePtr<CDNASequence>(&doc.Project(), "seq1", "Homo sapiens", "acgtacgta");
    doc.Project().Add(sequence.get());
    return *sequence;
}

}  // namespace

class PublicationScreensTest : public QObject {
    Q_OBJECT
    QTemporaryDir tmp_;

private slots:
    void initTestCase() { UsePrivateFolders(tmp_); }

    void decisionsWithoutWidgets();
    void jumpCarriesTypedAndInsertedJournalsOver();
    void databaseRowsAndDates();
    void oKWithAnInvalidPatentStaysOpen();
    void menuOpensTheScreensOfTheCurrentSequence();
};

void PublicationScreensTest::decisionsWithoutWidgets()
{
    // A jump names its target; OK and Cancel name none, and end the chain.
    for (CPublicationKind kind :
         {CPublicationKind::Journal, CPublicationKind::Patent, CPublicationKind::Thesis, CPublicationKind::Database}) {
        QVERIFY(JumpResult(kind) != QDialog::Accepted && JumpResult(kind) != QDialog::Rejected);
        QCOMPARE(JumpTarget(JumpResult(kind)), std::optional(kind));
    }
    QVERIFY(!JumpTarget(QDialog::Accepted) && !JumpTarget(QDialog::Rejected));
    QList<CPublicationKind> opened;
    const int answers[] = {JumpResult(CPublicationKind::Patent), JumpResult(CPublicationKind::Database),
                           QDialog::Rejected, JumpResult(CPublicationKind::Thesis)};
    RunPublicationScreens(CPublicationKind::Journal, [&](CPublicationKind kind) {
        opened << kind;
        return answers[opened.size() - 1];
    });
    QCOMPARE(opened, QList({CPublicationKind::Journal, CPublicationKind::Patent, CPublicationKind::Database}));

    // Every field counts as input; blanks alone and the empty date mask don't.
    QVERIFY(!HasAnyField(CJournal(nullptr, " ", "", "", "", "", "", "____-__-__", "", "____-__-__")));
    QVERIFY(HasAnyField(CJournal(nullptr, "", "", "", "", "7", "", "")));
    QVERIFY(HasAnyField(CThesis(nullptr, "", "", "2001-__-__", "")));
    QVERIFY(HasAnyField(CPubDatabase(nullptr, "", "", "", "3")));
    QVERIFY(SameFields(CPatent(nullptr, "T", "WO 1", "", "2001-01-01"),
                       CPatent(nullptr, "T", "WO 1", "____-__-__", "2001-01-01")));
    QVERIFY(!SameFields(CPatent(nullptr, "T", "WO 1", "", "2001-01-01"), CPatent(nullptr, "T", "WO 1", "", "")));

    // The offered journals: sorted, with their misspellings corrected.
    const QStringList& names = JournalNames();
    QCOMPARE(names.size(), 119);
    QVERIFY(std::is_sorted(names.begin(), names.end(),
                           [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; }));
    for (const char* name : {"Oncogene", "Cancer Metastasis Reviews", "Journal of food protection",
                             "International Archives of Allergy and Applied Immunology", "Nature", "Virus Research"})
        QVERIFY2(names.contains(name), name);
    for (const QString& name : names) QVERIFY2(!name.contains("  "), qPrintable(name));
}

void PublicationScreensTest::jumpCarriesTypedAndInsertedJournalsOver()
{
    CCQLNDoc doc;
    CSequence& sequence = AddSequence(doc);
    bool patentsOpened = false;
    QStringList journalRows;

    AnswerModal<CJournalDialog>([&](CJournalDialog* screen) {
        CloseAtEnd guard{screen};
        QCOMPARE(screen->windowTitle(), QString("Quillion: Journals - seq1"));
        QCOMPARE(Field(*screen, "sequenceType"), QString("DNA"));
        QCOMPARE(Field(*screen, "stringLength"), QString("9"));
        auto* journal = screen->findChild<QComboBox*>("journal");
        QCOMPARE(journal->count(), 119);
        QVERIFY(journal->currentText().isEmpty());

        // One article from the list, inserted; another with a name of its
        // own, typed but not inserted, and invalid: no volume, no pages.
        Type(*screen, "authors", "Smith, J.");
        Type(*screen, "title", "Listed");
        journal->setFocus();
        QTest::keyClick(journal, Qt::Key_Down);
        QCOMPARE(journal->currentText(), QString("Advances in Forensic Haemogenetics"));
        Type(*screen, "volume", "3");
        Type(*screen, "publicationDate", "2001");
        Click(*screen, "insertButton");
        Click(*screen, "clearButton");
        QCOMPARE(Field(*screen, "publicationDate"), QString("____-__-__"));
        QVERIFY(journal->currentText().isEmpty());
        Type(*screen, "authors", "Jones, K.");
        Type(*screen, "title", "Own");
        journal->lineEdit()->setFocus();
        QTest::keyClicks(journal->lineEdit(), "Journal of Cats");
        QTest::keyClick(journal->lineEdit(), Qt::Key_Return);
        QCOMPARE(journal->currentText(), QString("Journal of Cats"));
        QCOMPARE(journal->count(), 119);  // a typed name is taken, not added

        AnswerModal<CPatentDialog>([&](CPatentDialog* patents) {
            CloseAtEnd patentsGuard{patents};
            patentsOpened = true;
            QCOMPARE(patents->windowTitle(), QString("Quillion: Patents - seq1"));
            Click(*patents, "cancelButton");
        });
        Click(*screen, "toPatentsButton");
        journalRows = RowTexts(*screen);
        QVERIFY(!screen->ErrorsDialog());  // nothing was validated
    });
    OpenPublicationScreens(CPublicationKind::Journal, doc, sequence, nullptr);

    QVERIFY(patentsOpened);
    QCOMPARE(journalRows, QStringList({"1\tListed\t\t\t", "2\tOwn\t\t\t"}));
    QCOMPARE(sequence.GetJournals().GetSize(), 2);
    QCOMPARE(sequence.GetJournals()[0]->GetJournalName(), std::string("Advances in Forensic Haemogenetics"));
    QCOMPARE(sequence.GetJournals()[0]->GetPublicationDate().GetText(), std::string("2001-__-__"));
    QCOMPARE(sequence.GetJournals()[1]->GetJournalName(), std::string("Journal of Cats"));
    QVERIFY(doc.IsModified());
    // The sequence holds them as its own, with its name in their messages.
    QCOMPARE(sequence.GetJournals()[1]->GetParent(), static_cast<CModel*>(&sequence));
    QVERIFY(QString::fromStdString(sequence.GetJournals()[1]->Validate(2).front())
                .contains("seq1: Journal Screen:Row 2: "));

    // Opened again, the screen shows them, the typed name included.
    CJournalDialog again(doc, sequence);
    QCOMPARE(again.findChild<QComboBox*>("journal")->currentText(), QString("Advances in Forensic Haemogenetics"));
    ClickRow(again, 2);
    QCOMPARE(again.findChild<QComboBox*>("journal")->currentText(), QString("Journal of Cats"));
    QCOMPARE(Field(again, "authors"), QString("Jones, K."));
}

void PublicationScreensTest::databaseRowsAndDates()
{
    CCQLNDoc doc;
    CSequence& sequence = AddSequence(doc);
    sequence.GetDatabases().Add(MakePtr<CPubDatabase>(&sequence, "GenBank / A1", "2000-01-01", "1", "9"));
    sequence.GetDatabases().Add(MakePtr<CPubDatabase>(&sequence, "", "", "2", "4"));

    CDatabaseDialog screen(doc, sequence);
    screen.show();
    QCOMPARE(Field(screen, "entryDate"), QString("2000-01-01"));
    ClickRow(screen, 2);
    QCOMPARE(Field(screen, "entryDate"), QString("____-__-__"));
    ClickRow(screen, 1);

    // With row 1 of two selected, a new entry goes between the two; typing
    // the date's digits fills the mask.
    Type(screen, "accession", "DDBJ / C3");
    Type(screen, "entryDate", "20010203");
    QCOMPARE(Field(screen, "entryDate"), QString("2001-02-03"));
    Type(screen, "from", "5");
    Type(screen, "to", "14");
    Click(screen, "insertButton");
    QCOMPARE(RowTexts(screen), QStringList({"1\tGenBank / A1\t1\t9", "2\tDDBJ / C3\t5\t14", "3\t\t2\t4"}));
    QCOMPARE(screen.Rows().CurrentRow(), 2);

    // Validate reports the range longer than the sequence; the screen's
    // records are checked against the sequence they belong to.
    Click(screen, "validateButton");
    QVERIFY(
        ErrorsText(screen).contains("DataBase Screen:Row 2: From/To: The range of the From and To can not be "
                                    "greater than the length of the sequence string."));
    QVERIFY(screen.StatusLine().isEmpty());

    // Replace keeps the place; a blank line is refused by OK only.
    Type(screen, "to", "9");
    Click(screen, "replaceButton");
    QCOMPARE(screen.GridRowText(2), QString("2\tDDBJ / C3\t5\t9"));
    Click(screen, "validateButton");
    QCOMPARE(screen.StatusLine(), QString("Validation is successful."));
    Click(screen, "deleteButton");
    QCOMPARE(RowTexts(screen), QStringList({"1\tGenBank / A1\t1\t9", "2\t\t2\t4"}));
    Click(screen, "okButton");  // right after a Delete: nothing to insert
    QCOMPARE(screen.result(), int(QDialog::Accepted));
    QCOMPARE(screen.Records().GetSize(), 2);
}

void PublicationScreensTest::oKWithAnInvalidPatentStaysOpen()
{
    CCQLNDoc doc;
    CSequence& sequence = AddSequence(doc);

    CPatentDialog screen(doc, sequence);
    AnswerModal<CPatentDialog>([&](CPatentDialog*) {
        CloseAtEnd guard{&screen};
        // Typed, not inserted: OK inserts it, then finds the dates equal.
        Type(screen, "documentNumber", "WO 99/12345");
        Type(screen, "filingDate", "20010203");
        Type(screen, "publicationDate", "20010203");
        Click(screen, "okButton");
        QVERIFY(screen.isVisible());
        QCOMPARE(RowTexts(screen), QStringList({"1\tWO 99/12345\t\t\t"}));
        QVERIFY(
            ErrorsText(screen).contains("Patent Screen:Row 1: The Publication Date 2001-02-03 should be "
                                        "greater than the Filing Date 2001-02-03."));
        QCOMPARE(sequence.GetPatents().GetSize(), 0);

        // Corrected through Replace, OK closes.
        Type(screen, "publicationDate", "20020304");
        Click(screen, "replaceButton");
        Click(screen, "okButton");
        QVERIFY(!screen.isVisible());
    });
    QVERIFY(screen.Run());
    QCOMPARE(sequence.GetPatents().GetSize(), 1);
    QCOMPARE(sequence.GetPatents()[0]->GetPublicationDate().GetText(), std::string("2002-03-04"));

    // The thesis screen: a blank typed into a field is no input for OK.
    CThesisDialog theses(doc, sequence);
    theses.show();
    QCOMPARE(theses.findChild<QLabel*>("sequenceTypeLabel")->text(), QString("Sequence Name:"));
    Type(theses, "title", " ");
    Click(theses, "okButton");
    QVERIFY(!theses.isVisible());
    QCOMPARE(theses.Records().GetSize(), 0);
}

void PublicationScreensTest::menuOpensTheScreensOfTheCurrentSequence()
{
    CMainFrame frame;
    frame.show();
    for (const char* name : {"actionJournal", "actionPatent", "actionThesis", "actionDatabase"})
        QVERIFY2(!frame.Action(name)->isEnabled(), name);
    AddSequence(frame.Document());
    frame.View().Rebuild();
    QCoreApplication::processEvents();
    emit frame.View().CommandStateChanged();
    for (const char* name : {"actionJournal", "actionPatent", "actionThesis", "actionDatabase"})
        QVERIFY2(frame.Action(name)->isEnabled(), name);

    // The thesis command opens its screen; F1 there shows its own page,
    // and the jump to databases opens theirs.
    QString helpText;
    QString databaseCaption;
    AnswerModal<CThesisDialog>([&](CThesisDialog* screen) {
        CloseAtEnd guard{screen};
        AnswerModal<CHelp>([&](CHelp* help) {
            helpText = help->findChild<QTextBrowser*>()->toPlainText();
            help->accept();
        });
        QTest::keyClick(screen->focusWidget(), Qt::Key_F1);
        AnswerModal<CDatabaseDialog>([&](CDatabaseDialog* databases) {
            databaseCaption = databases->windowTitle();
            databases->reject();
        });
        Click(*screen, "toDatabasesButton");
    });
    frame.Action("actionThesis")->trigger();
    QVERIFY(helpText.startsWith("Theses"));
    QVERIFY(helpText.contains("To Databases"));
    QCOMPARE(databaseCaption, QString("Quillion: Databases - seq1"));
}

QTEST_MAIN(PublicationScreensTest)
#include "PublicationScreensTest.moc"
