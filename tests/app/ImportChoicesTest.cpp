// The questions an import asks, answered in the program's dialogs: from the
// reading worker (carried to the user-interface thread) and directly.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>

#include "support/ModalAnswer.h"
#include "app/import/AppImportChoices.h"
#include "app/import/ParsingApplicantNamesDialog.h"
#include "app/import/Qil21SequenceTypeDialog.h"
#include "app/sequences/RenameSeqDialog.h"
#include "app/import/SelectImportSeq.h"
#include "app/import/SequenceTypeSelectionDialog.h"
#include "app/import/SkippedSeqTypeSelection.h"
#include "import/ImportDriver.h"
#include "model/Project.h"

using namespace qln;
using namespace qln::test;

namespace {

template <class T = QWidget>
T* Child(QWidget* window, const char* name)
{
    T* child = window->findChild<T*>(QLatin1String(name));
    if (!child) qWarning("no control %s", name);
    return child;
}

void Click(QWidget* window, const char* name)
{
    QTest::mouseClick(Child<QAbstractButton>(window, name), Qt::LeftButton);
}

// On the round button itself: a wide radio button ignores clicks past its text.
void ClickRadio(QWidget* window, const char* name)
{
    auto* radio = Child<QRadioButton>(window, name);
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
}

// A failed check leaves the answer early: the dialog must still close, or
// the import would wait for it for ever.
struct CloseOnExit {
    QDialog* dialog;
    ~CloseOnExit()
    {
        if (dialog->isVisible()) dialog->reject();
    }
};

QString Text(QWidget* window, const char* name)
{
    return Child<QLineEdit>(window, name)->text();
}

void Retype(QWidget* window, const char* name, const QString& text)
{
    auto* edit = Child<QLineEdit>(window, name);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

QStringList Entries(QListWidget* list)
{
    QStringList entries;
    for (int row = 0; row < list->count(); ++row) entries << list->item(row)->text();
    return entries;
}

std::string Write(const QTemporaryDir& dir, const char* name, const std::string& text)
{
    const std::string path = dir.filePath(QLatin1String(name)).toStdString();
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

// Three applicant lines; the second sequence's type is no type at all.
const char* const kListing =
    "                         SEQUENCE LISTING\n\n"
    "<110>  Smith, John A Jr\n      Acme Corp\n      Jane Doe\n\n"
    "<120>  Widgets\n\n<130>  REF-1\n\n<160>  2\n\n<170>  Quillion version 3.5\n\n"
    "<210>  1\n<211>  8\n<212>  DNA\n<213>  Homo sapiens\n\n<400>  1\nacgtacgt     8\n\n"
    "<210>  2\n<211>  4\n<212>  XNA\n<213>  Homo sapiens\n\n<400>  2\nacgu    4\n\n";

}  // namespace

class ImportChoicesTest : public QObject {
    Q_OBJECT

private slots:
    void listingImportIsAnsweredFromTheWorker();
    void cancelledApplicantNamesEndTheListing();
    void typeQuestionsReturnTheChoice();
    void headerlessFileTypeAndCancel();
    void selectionAndRename();
};

// The user's path through a listing import: the applicant names are split
// and reviewed, the missing type is chosen, then both sequences are taken.
void ImportChoicesTest::listingImportIsAnsweredFromTheWorker()
{
    QTemporaryDir dir;
    const std::string listing = Write(dir, "listing.txt", kListing);
    CProject project;
    CAppImportChoices choices(project, nullptr);
    CImportDriver driver(project, choices);

    bool namesAsked = false, namesAskedWhileReading = false, typeAsked = false;
    AnswerModal<CParsingApplicantNamesDialog>([&](CParsingApplicantNamesDialog* dialog) {
        const CloseOnExit guard{dialog};
        namesAsked = true;
        namesAskedWhileReading = !driver.IsReadingDone();
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Quillion: Parsing Applicant Names"));
        auto* list = Child<QListWidget>(dialog, "nameList");
        QCOMPARE(Text(dialog, "importedName"), QStringLiteral("Smith, John A Jr"));
        QCOMPARE(Text(dialog, "organizationName"), QStringLiteral("Smith, John A Jr"));
        QVERIFY(!list->isEnabled() && !Child(dialog, "finish")->isEnabled() && !Child(dialog, "update")->isEnabled());

        ClickRadio(dialog, "individual");
        QCOMPARE(Text(dialog, "lastName"), QStringLiteral("Smith"));
        QCOMPARE(Text(dialog, "firstName"), QStringLiteral("John"));
        QCOMPARE(Text(dialog, "middleInitial"), QStringLiteral("A"));
        QCOMPARE(Text(dialog, "suffix"), QStringLiteral("Jr"));
        QVERIFY(Text(dialog, "organizationName").isEmpty() && !Child(dialog, "organizationName")->isEnabled());
        Click(dialog, "add");

        // The next name comes up as an organization, which it is.
        QCOMPARE(Text(dialog, "importedName"), QStringLiteral("Acme Corp"));
        QVERIFY(Child<QRadioButton>(dialog, "organization")->isChecked());
        QVERIFY(Text(dialog, "lastName").isEmpty() && !Child(dialog, "lastName")->isEnabled());
        Click(dialog, "add");

        // Jane Doe with the first name taken away and a suffix given.
        ClickRadio(dialog, "individual");
        QCOMPARE(Text(dialog, "lastName"), QStringLiteral("Doe"));
        QCOMPARE(Text(dialog, "firstName"), QStringLiteral("Jane"));
        Retype(dialog, "firstName", {});
        Retype(dialog, "suffix", QStringLiteral("Sr"));
        auto allAdded = ExpectMessageBox();
        Click(dialog, "add");
        QCOMPARE(allAdded->text, QStringLiteral("All applicant names have been added."));
        QCOMPARE(Entries(list), (QStringList{"Smith, John A Jr", "Acme Corp", "Doe,   Sr"}));
        QVERIFY(list->isEnabled() && Child(dialog, "finish")->isEnabled() && Child(dialog, "update")->isEnabled());
        QCOMPARE(list->currentRow(), 0);
        QCOMPARE(Text(dialog, "lastName"), QStringLiteral("Smith"));

        // Add once more: the message again, nothing added.
        allAdded = ExpectMessageBox();
        Click(dialog, "add");
        QCOMPARE(allAdded->count, 1);
        QCOMPARE(list->count(), 3);

        // Reviewing: Update shows the last name alone without first name
        // and initial, in place.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(2)).center());
        QCOMPARE(Text(dialog, "suffix"), QStringLiteral("Sr"));
        Retype(dialog, "lastName", QStringLiteral("Doe-Roe"));
        Click(dialog, "update");
        QCOMPARE(Entries(list), (QStringList{"Smith, John A Jr", "Acme Corp", "Doe-Roe"}));
        QCOMPARE(list->currentRow(), 2);
        Click(dialog, "finish");
    });
    AnswerModal<CSequenceTypeSelectionDialog>(
        [&](CSequenceTypeSelectionDialog* dialog) {
            const CloseOnExit guard{dialog};
            typeAsked = true;
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Invalid Sequence Type Encountered"));
            QVERIFY(Child<QLabel>(dialog, "message")->text().contains(QLatin1String("<212> XNA")));
            QVERIFY(Child<QPlainTextEdit>(dialog, "sequenceLines")->toPlainText().contains(QLatin1String("acgu")));
            QVERIFY(Child<QRadioButton>(dialog, "dna")->isChecked());
            QVERIFY(QTest::qWaitForWindowActive(dialog));  // access keys reach the active window only
            QTest::keyClick(dialog, Qt::Key_R, Qt::AltModifier);
            QTRY_VERIFY(Child<QRadioButton>(dialog, "rna")->isChecked());  // an access key clicks a moment later
            Click(dialog, "ok");
        },
        1000);

    driver.StartReading(ImportSource::FromListing, {listing}, true);
    QVERIFY(QTest::qWaitFor([&] { return driver.IsReadingDone(); }, 30000));
    QVERIFY(namesAsked && namesAskedWhileReading && typeAsked);
    QCOMPARE(driver.GetMessages(), StringList{"* Sequence ID '2' has encountered an invalid sequence type 'XNA'. "
                                              "It has been corrected by the user with sequence type 'RNA'."});

    QCOMPARE(project.GetOrgApplicants().GetSize(), 1);
    QCOMPARE(project.GetOrgApplicants()[0]->GetOrganizationName(), std::string("Acme Corp"));
    QCOMPARE(project.GetIndivApplicants().GetSize(), 2);
    const CIndivApplicant& smith = *project.GetIndivApplicants()[0];
    QCOMPARE(
        smith.GetLastName() + "/" + smith.GetFirstName() + "/" + smith.GetMiddleInitial() + "/" + smith.GetSuffix(),
        std::string("Smith/John/A/Jr"));
    const CIndivApplicant& doe = *project.GetIndivApplicants()[1];
    QCOMPARE(doe.GetLastName() + "/" + doe.GetFirstName() + "/" + doe.GetSuffix(), std::string("Doe-Roe//Sr"));

    // The adding runs here, on the user-interface thread: the selection
    // opens directly.
    AnswerModal<CSelectImportSeq>([](CSelectImportSeq* dialog) {
        auto* list = Child<QListWidget>(dialog, "sequences");
        QCOMPARE(list->count(), 2);
        QVERIFY(list->item(0)->text().startsWith(QLatin1String("listing.txt - ")));
        Click(dialog, "selectAll");
        Click(dialog, "ok");
    });
    const CImportOutcome outcome = driver.FinishListing(dir.filePath("new.prj").toStdString());
    QCOMPARE(outcome.added, 2);
    QCOMPARE(project.GetSequences()[1]->GetTypeName(), std::string("RNA"));
}

// Cancel in the names dialog, asked on the user-interface thread itself.
void ImportChoicesTest::cancelledApplicantNamesEndTheListing()
{
    QTemporaryDir dir;
    const std::string listing = Write(dir, "listing.txt", kListing);
    CProject project;
    CAppImportChoices choices(project, nullptr);
    CImportDriver driver(project, choices);
    AnswerModal<CParsingApplicantNamesDialog>([](CParsingApplicantNamesDialog* dialog) { Click(dialog, "cancel"); });
    driver.Read(ImportSource::FromListing, {listing}, true);
    QCOMPARE(driver.GetMessages(), StringList{"Import canceled by user."});
    QVERIFY(driver.GetImported().IsEmpty());
    QVERIFY(project.GetOrgApplicants().IsEmpty() && project.GetIndivApplicants().IsEmpty());
}

void ImportChoicesTest::typeQuestionsReturnTheChoice()
{
    CProject project;
    CAppImportChoices choices(project, nullptr);

    AnswerModal<CSequenceTypeSelectionDialog>([](CSequenceTypeSelectionDialog* dialog) {
        QCOMPARE(Child<QPlainTextEdit>(dialog, "sequenceLines")->toPlainText(), QStringLiteral("<210> 7\n<400> 7\nac"));
        ClickRadio(dialog, "protein1");
        Click(dialog, "ok");
    });
    QCOMPARE(choices.ChooseInvalidSequenceType("prompt", "<210> 7\r\n<400> 7\r\nac"), std::optional<int>(3));

    // No Cancel button: closing answers the type shown.
    AnswerModal<CSequenceTypeSelectionDialog>([](CSequenceTypeSelectionDialog* dialog) {
        ClickRadio(dialog, "dnaRna");
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    QCOMPARE(choices.ChooseInvalidSequenceType("prompt", ""), std::optional<int>(2));

    AnswerModal<CSkippedSeqTypeSelection>([](CSkippedSeqTypeSelection* dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Skipped Sequence Type Selection"));
        QCOMPARE(Child<QLabel>(dialog, "prompt")->text(), QStringLiteral("Which type for 9?"));
        QVERIFY(Child<QRadioButton>(dialog, "dna")->isChecked());
        ClickRadio(dialog, "rna");
        Click(dialog, "ok");
    });
    QCOMPARE(choices.ChooseSkippedSequenceType("Which type for 9?"), std::optional<int>(1));
}

// A file without headers: the type picked makes the sequence; Cancel ends
// the file with the importer's message.
void ImportChoicesTest::headerlessFileTypeAndCancel()
{
    QTemporaryDir dir;
    const std::string file = Write(dir, "bare.txt", "MKVLA\n");
    CProject project;
    CAppImportChoices choices(project, nullptr);
    CImportDriver driver(project, choices);

    AnswerModal<CQil21SequenceTypeDialog>([](CQil21SequenceTypeDialog* dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Sequence Type Selection"));
        // Wide enough for its title beside the title bar's buttons.
        QVERIFY(dialog->width() > dialog->fontMetrics().horizontalAdvance(dialog->windowTitle()) + 120);
        QCOMPARE(Child<QAbstractButton>(dialog, "dnaRna")->text(), QStringLiteral("D&NA / RNA"));
        QTest::keyClick(dialog, Qt::Key_1, Qt::AltModifier);
        QTRY_VERIFY(Child<QRadioButton>(dialog, "protein1")->isChecked());
        Click(dialog, "ok");
    });
    CImportOutcome outcome = driver.ImportFiles({file}, true);
    QCOMPARE(outcome.result, std::string("Import succeeded."));
    QCOMPARE(project.Find("bare")->GetTypeName(), std::string("PRT"));
    QCOMPARE(project.Find("bare")->GetResidues(), std::string("MKVLA"));

    AnswerModal<CQil21SequenceTypeDialog>([](CQil21SequenceTypeDialog* dialog) { Click(dialog, "cancel"); });
    outcome = driver.ImportFiles({file}, false);
    QCOMPARE(outcome.messages, StringList{"Import Cancelled by User."});
    QCOMPARE(project.GetSequences().GetSize(), 1);
}

void ImportChoicesTest::selectionAndRename()
{
    CProject project;
    CAppImportChoices choices(project, nullptr);
    const StringList entries{"a.txt - s1", "a.txt - s2", "b.txt - s3"};

    // Clicking toggles an entry: the first one taken away, the third added.
    AnswerModal<CSelectImportSeq>([](CSelectImportSeq* dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Select Sequences to Import"));
        auto* list = Child<QListWidget>(dialog, "sequences");
        QCOMPARE(Entries(list), (QStringList{"a.txt - s1", "a.txt - s2", "b.txt - s3"}));
        QVERIFY(list->item(0)->isSelected() && !list->item(1)->isSelected());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(2)).center());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
        Click(dialog, "ok");
    });
    QCOMPARE(choices.SelectSequences(entries), std::optional<std::vector<int>>(std::vector<int>{2}));

    AnswerModal<CSelectImportSeq>([](CSelectImportSeq* dialog) {
        auto* list = Child<QListWidget>(dialog, "sequences");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
        Click(dialog, "ok");
    });
    QCOMPARE(choices.SelectSequences(entries), std::optional<std::vector<int>>(std::vector<int>{}));

    AnswerModal<CSelectImportSeq>([](CSelectImportSeq* dialog) { Click(dialog, "cancel"); });
    QVERIFY(!choices.SelectSequences(entries));

    AnswerModal<CRenameSeqDialog>([](CRenameSeqDialog* dialog) {
        QCOMPARE(Child<QAbstractButton>(dialog, "stop")->text(), QStringLiteral("&Stop import"));
        Retype(dialog, "name", QStringLiteral("s1b"));
        Click(dialog, "ok");
    });
    QCOMPARE(choices.RenameDuplicate("s1"), std::optional<std::string>("s1b"));
    AnswerModal<CRenameSeqDialog>([](CRenameSeqDialog* dialog) { Click(dialog, "stop"); });
    QVERIFY(!choices.RenameDuplicate("s1"));
}

QTEST_MAIN(ImportChoicesTest)
#include "ImportChoicesTest.moc"
