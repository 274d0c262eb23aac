// The project data, prior application and applicant screens as a user
// drives them: rows inserted, replaced and deleted, OK with input still in
// the fields, invalid records, Save Project then Cancel, and the keyboard.
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTemporaryDir>
#include <QtTest>

#include "support/ModalAnswer.h"
#include "support/ScreenTestSupport.h"
#include "widgets/ErrorMsgDialog.h"
#include "widgets/Help.h"
#include "app/frame/MainFrame.h"
#include "app/document/QLNDoc.h"
#include "widgets/RedStatic.h"
#include "screens/DateEdit.h"
#include "screens/IndividualApplDialog.h"
#include "screens/OrganizationApplDialog.h"
#include "screens/PriorAppInfoDialog.h"
#include "screens/ProjectDataDialog.h"

using namespace qln;
using namespace qln::test;

namespace {

void AddIndividual(CProject& project, const char* first, const char* last, const char* phone)
{
    auto applicant = MakePtr<CIndivApplicant>(&project, first, last);
    applicant->SetPhoneNumber(phone);
    project.GetIndivApplicants().Add(applicant);
}

}  // namespace

class ApplicationScreensTest : public QObject {
    Q_OBJECT
    QTemporaryDir tmp_;

private slots:
    void initTestCase() { UsePrivateFolders(tmp_); }

    void priorApplicationRowsKeepTheirPlaces();
    void applicantReplaceMovesToTheEnd();
    void deletingTheOnlyRowThenOK();
    void oKInsertsTypedInputAndStaysOpenWhenInvalid();
    void saveProjectThenCancel();
    void projectDataShowsAndTakesTheProjectsValues();
    void keyboardNeverClosesByAccident();
    void menuOpensTheScreensWithRedRequiredLabels();
};

void ApplicationScreensTest::priorApplicationRowsKeepTheirPlaces()
{
    CCQLNDoc doc;
    CProject& project = doc.Project();
    for (const char* number : {"US 1", "US 2", "US 3"})
        project.GetPriorApplications().Add(MakePtr<CEarlierApplication>(&project, number, "2000-01-01"));

    CPriorAppInfoDialog screen(doc);
    screen.show();
    QCOMPARE(screen.windowTitle(), "Quillion: Prior Application Information - " + doc.Title());
    QCOMPARE(screen.Grid()->horizontalHeaderItem(1)->text(), QString("Application Number"));
    QCOMPARE(RowTexts(screen), QStringList({"1\tUS 1\t2000-01-01", "2\tUS 2\t2000-01-01", "3\tUS 3\t2000-01-01"}));
    QCOMPARE(Field(screen, "number"), QString("US 1"));  // the first row is shown

    // Replacing row 1 keeps it first; the number loses its leading blanks.
    Type(screen, "number", "   PCT/US99/1");
    Click(screen, "replaceButton");
    QCOMPARE(screen.GridRowText(1), QString("1\tPCT/US99/1\t2000-01-01"));
    QCOMPARE(screen.Rows().CurrentRow(), 1);
    QVERIFY(doc.IsModified());

    // A new one goes just below the current row.
    Type(screen, "number", "US 4");
    Type(screen, "filingDate", "20010203");
    Click(screen, "insertButton");
    QCOMPARE(screen.GridRowText(2), QString("2\tUS 4\t2001-02-03"));
    QCOMPARE(screen.Grid()->rowCount(), 4);

    // The arrow keys move through the grid and the fields follow.
    screen.Grid()->setFocus();
    QTest::keyClick(screen.Grid(), Qt::Key_Down);
    QTest::keyClick(screen.Grid(), Qt::Key_Down);
    QCOMPARE(screen.Rows().CurrentRow(), 4);
    QCOMPARE(Field(screen, "number"), QString("US 3"));

    // Deleting the last row selects the one above; deleting row 1 the new row 1.
    Click(screen, "deleteButton");
    QCOMPARE(screen.Rows().CurrentRow(), 3);
    QCOMPARE(Field(screen, "number"), QString("US 2"));
    ClickRow(screen, 1);
    Click(screen, "deleteButton");
    QCOMPARE(RowTexts(screen), QStringList({"1\tUS 4\t2001-02-03", "2\tUS 2\t2000-01-01"}));
    QCOMPARE(screen.Rows().CurrentRow(), 1);
    QCOMPARE(Field(screen, "filingDate"), QString("2001-02-03"));

    // Cancel: the project never saw any of it.
    Click(screen, "cancelButton");
    QCOMPARE(screen.result(), int(QDialog::Rejected));
    QCOMPARE(project.GetPriorApplications()[0]->GetNumber(), std::string("US 1"));
    QCOMPARE(project.GetPriorApplications().GetSize(), 3);
}

void ApplicationScreensTest::applicantReplaceMovesToTheEnd()
{
    CCQLNDoc doc;
    CProject& project = doc.Project();
    AddIndividual(project, "Jane", "Doe", "555-0101");
    AddIndividual(project, "John", "Roe", "555-0102");
    AddIndividual(project, "Ann", "Poe", "555-0103");

    CIndividualApplDialog screen(doc);
    screen.show();
    QCOMPARE(Field(screen, "lastName"), QString("Doe"));
    Type(screen, "firstName", "Janet");
    Click(screen, "replaceButton");
    QCOMPARE(RowTexts(screen),
             QStringList({"1\tRoe, John\t555-0102", "2\tPoe, Ann\t555-0103", "3\tDoe, Janet\t555-0101"}));
    QCOMPARE(screen.Rows().CurrentRow(), 3);

    // With row 1 selected a new applicant still goes to the end.
    ClickRow(screen, 1);
    QCOMPARE(Field(screen, "firstName"), QString("John"));
    Type(screen, "firstName", "Max");
    Type(screen, "lastName", "Moe");
    Click(screen, "insertButton");
    QCOMPARE(screen.GridRowText(4), QString("4\tMoe, Max\t555-0102"));
    QCOMPARE(screen.focusWidget(), screen.findChild<QLineEdit*>("firstName"));

    // Clear leaves blanks in phone and fax; OK then inserts the cleared
    // fields, as they differ from the current row, and the empty names keep
    // the screen open.
    Click(screen, "clearButton");
    QCOMPARE(Field(screen, "phone"), QString(12, ' '));
    QCOMPARE(Field(screen, "fax"), QString(12, ' '));
    QCOMPARE(Field(screen, "street"), QString());
    Click(screen, "okButton");
    QVERIFY(screen.isVisible());
    QCOMPARE(screen.Grid()->rowCount(), 5);
    QCOMPARE(ErrorsText(screen),
             QString("Individual Applicant Screen:Row 5: Both Last Name and First Name are required."));

    // Delete it and OK closes; the caller takes the list over.
    Click(screen, "deleteButton");
    Click(screen, "okButton");
    QCOMPARE(screen.result(), int(QDialog::Accepted));
    screen.HandOver();
    QCOMPARE(project.GetIndivApplicants().GetSize(), 4);
    QCOMPARE(project.GetIndivApplicants()[2]->GetFirstName(), std::string("Janet"));
    QCOMPARE(project.GetIndivApplicants()[2]->GetParent(), &project);
}

void ApplicationScreensTest::deletingTheOnlyRowThenOK()
{
    CCQLNDoc doc;
    AddIndividual(doc.Project(), "Jane", "Doe", "555-0101");
    CIndividualApplDialog screen(doc);
    screen.show();
    Click(screen, "deleteButton");
    QCOMPARE(screen.Grid()->rowCount(), 0);
    QCOMPARE(screen.Rows().CurrentRow(), 0);
    QCOMPARE(Field(screen, "lastName"), QString("Doe"));  // still in the fields, but deleted
    Click(screen, "okButton");
    QCOMPARE(screen.result(), int(QDialog::Accepted));
    screen.HandOver();
    QVERIFY(doc.Project().GetIndivApplicants().IsEmpty());

    // An empty list, Clear and OK: blanks in phone and fax are no applicant.
    COrganizationApplDialog organizations(doc);
    organizations.show();
    Click(organizations, "clearButton");
    Click(organizations, "okButton");
    QCOMPARE(organizations.result(), int(QDialog::Accepted));
    QCOMPARE(organizations.Records().GetSize(), 0);
}

void ApplicationScreensTest::oKInsertsTypedInputAndStaysOpenWhenInvalid()
{
    CCQLNDoc doc;
    {
        CPriorAppInfoDialog screen(doc);
        screen.show();
        Type(screen, "number", "US 08/123,456");
        Type(screen, "filingDate", "19990630");
        Click(screen, "okButton");
        QCOMPARE(screen.result(), int(QDialog::Accepted));
        QCOMPARE(screen.Records().GetSize(), 1);
        QCOMPARE(screen.Records()[0]->GetFilingDate().GetText(), std::string("1999-06-30"));
    }
    CPriorAppInfoDialog screen(doc);
    screen.show();
    Type(screen, "number", "US 1");
    Click(screen, "okButton");
    QVERIFY(screen.isVisible());
    QCOMPARE(screen.Grid()->rowCount(), 1);
    QCOMPARE(ErrorsText(screen), QString("Prior Application Data Screen:Row 1: Prior Application Number/Prior "
                                         "Filing Date: Both fields must be filled in."));
    QCOMPARE(screen.StatusLine(), QString());

    // Typing the date and replacing mends it: Validate says so.
    Type(screen, "filingDate", "1999");
    QCOMPARE(Field(screen, "filingDate"), QString("1999-__-__"));
    Click(screen, "replaceButton");
    Click(screen, "validateButton");
    QVERIFY(ErrorsText(screen).contains("The month cannot be blank."));
    Type(screen, "filingDate", "19990101");
    Click(screen, "replaceButton");
    Click(screen, "validateButton");
    QCOMPARE(screen.StatusLine(), QString("Validation is successful."));
    QVERIFY(!screen.ErrorsDialog()->isVisible());
}

void ApplicationScreensTest::saveProjectThenCancel()
{
    QTemporaryDir folder;
    const QString path = folder.filePath("Saved.prj");
    CCQLNDoc doc;
    QVERIFY(doc.SaveTo(path));

    COrganizationApplDialog screen(doc);
    screen.show();
    Type(screen, "organization", "Acme Research");
    Click(screen, "insertButton");
    Click(screen, "saveButton");
    QVERIFY(!doc.IsModified());
    QCOMPARE(doc.Project().GetOrgApplicants().GetSize(), 1);

    // Later changes on the screen neither reach the project nor, on Cancel,
    // undo what was saved.
    Type(screen, "organization", "Other Labs");
    Click(screen, "replaceButton");
    Click(screen, "cancelButton");
    QCOMPARE(doc.Project().GetOrgApplicants()[0]->GetOrganizationName(), std::string("Acme Research"));

    CCQLNDoc reopened;
    QVERIFY(reopened.OpenDocument(path));
    QCOMPARE(reopened.Project().GetOrgApplicants().GetSize(), 1);
    QCOMPARE(reopened.Project().GetOrgApplicants()[0]->GetOrganizationName(), std::string("Acme Research"));
}

void ApplicationScreensTest::projectDataShowsAndTakesTheProjectsValues()
{
    CCQLNDoc doc;
    CProjectDataDialog screen(doc);
    screen.show();
    QCOMPARE(screen.windowTitle(), "Quillion: Project Data - " + doc.Title());
    QCOMPARE(Field(screen, "filingDate"), QString("____-__-__"));
    Type(screen, "title", "Novel Enzymes");
    Type(screen, "applicationNumber", "US 10/123,456");
    Click(screen, "okButton");  // a number without its date, no file reference
    QVERIFY(screen.isVisible());
    QVERIFY(ErrorsText(screen).contains("If Current Application Number or Current Filing Date is entered"));
    QVERIFY(ErrorsText(screen).contains("Project Data Screen: Application File Reference: Cannot be blank."));
    Type(screen, "filingDate", "20020304");
    Type(screen, "fileReference", "QA-17");
    Click(screen, "okButton");
    QCOMPARE(screen.result(), int(QDialog::Accepted));
    QVERIFY(doc.Project().GetProjectData()->GetTitle().empty());  // until the caller takes it over
    screen.HandOver();
    const CProjectData& data = *doc.Project().GetProjectData();
    QCOMPARE(data.GetTitle(), std::string("Novel Enzymes"));
    QCOMPARE(data.GetFilingDate().GetText(), std::string("2002-03-04"));
    QVERIFY(doc.IsModified());

    CProjectDataDialog again(doc);
    again.show();
    again.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&again));
    QCOMPARE(Field(again, "fileReference"), QString("QA-17"));
    QCOMPARE(Field(again, "filingDate"), QString("2002-03-04"));

    // F1 shows the screen's own help page.
    QString help;
    AnswerModal<CHelp>([&help](CHelp* window) {
        help = window->findChild<QTextBrowser*>()->toPlainText();
        window->reject();
    });
    QTest::keyClick(again.findChild<QLineEdit*>("title"), Qt::Key_F1);
    QVERIFY(help.startsWith("Project Data"));
}

void ApplicationScreensTest::keyboardNeverClosesByAccident()
{
    CCQLNDoc doc;
    CIndividualApplDialog screen(doc);
    screen.show();
    screen.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&screen));
    QCOMPARE(screen.focusWidget()->objectName(), QString("firstName"));

    // Tab walks the fields in screen order, then the row buttons.
    QStringList order;
    for (int i = 0; i < 13; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(order, QStringList({"suffix", "lastName", "middleInitial", "street", "city", "state", "country", "zipCode",
                                 "phone", "fax", "email", "insertButton", "replaceButton"}));

    // Enter in a field moves on; on a button it presses that button.
    screen.findChild<QLineEdit*>("firstName")->setFocus();
    QTest::keyClicks(QApplication::focusWidget(), "Ada");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(screen.isVisible());
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("suffix"));
    screen.findChild<QLineEdit*>("lastName")->setFocus();
    QTest::keyClicks(QApplication::focusWidget(), "Lovelace");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
    screen.findChild<QPushButton*>("insertButton")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(screen.isVisible());
    QCOMPARE(RowTexts(screen), QStringList({"1\tLovelace, Ada\t"}));
    for (QPushButton* button : screen.findChildren<QPushButton*>()) QVERIFY(!button->isDefault());

    // Escape cancels.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!screen.isVisible());
    QCOMPARE(screen.result(), int(QDialog::Rejected));
}

void ApplicationScreensTest::menuOpensTheScreensWithRedRequiredLabels()
{
    CMainFrame frame;
    frame.show();
    for (const char* name : {"actionProjectData", "actionPriorApplication", "actionIndividual", "actionOrganization"})
        QVERIFY2(frame.Action(name)->isEnabled(), name);

    QStringList captions;
    int redLabels = 0;
    auto look = [&](QDialog* screen) {
        screen->reject();  // closes once this returns, whatever the checks find
        captions << screen->windowTitle();
        int red = 0;
        for (QLabel* label : screen->findChildren<QLabel*>()) {
            if (!label->text().startsWith("* ")) continue;
            QVERIFY2(qobject_cast<CRedStatic*>(label), qPrintable(label->text()));
            QCOMPARE(label->palette().color(QPalette::WindowText), QColor(255, 0, 0));
            ++red;
        }
        QCOMPARE(screen->findChild<QLabel*>("requiredNote") != nullptr, red > 0);
        redLabels += red;
    };
    AnswerModal<CIndividualApplDialog>(look);
    frame.Action("actionIndividual")->trigger();
    AnswerModal<COrganizationApplDialog>(look);
    frame.Action("actionOrganization")->trigger();
    AnswerModal<CProjectDataDialog>(look);
    frame.Action("actionProjectData")->trigger();
    AnswerModal<CPriorAppInfoDialog>(look);
    frame.Action("actionPriorApplication")->trigger();
    const QString name = " - " + frame.Document().Title();
    QCOMPARE(captions,
             QStringList({"Quillion: Individual Applicants" + name, "Quillion: Organization Applicants" + name,
                          "Quillion: Project Data" + name, "Quillion: Prior Application Information" + name}));
    QCOMPARE(redLabels, 2 + 1 + 2);
}

QTEST_MAIN(ApplicationScreensTest)
#include "ApplicationScreensTest.moc"
