// The grid screens' bookkeeping without any widget: what stays selected
// after Delete, where Insert and Replace put a record, when OK finds input
// still to insert, and the working list's copies.
#include <QtTest>

#include "model/Applicant.h"
#include "model/Feature.h"
#include "screens/TableRows.h"

using namespace qln;

class TableRowsTest : public QObject {
    Q_OBJECT
private slots:
    void deleteLeavesTheRowAboveOrTheNewFirst();
    void insertAndReplacePlaces();
    void pendingInput();
    void suppressedSelectionLoadsNothing();
    void workingListHandsOverCopies();
};

void TableRowsTest::deleteLeavesTheRowAboveOrTheNewFirst()
{
    CTableRows rows(CInsertPlace::AtEnd);
    rows.Open(0);
    QCOMPARE(rows.CurrentRow(), 0);
    QCOMPARE(rows.Delete(), -1);  // nothing to delete

    rows.Open(1);
    QCOMPARE(rows.CurrentRow(), 1);
    QCOMPARE(rows.Delete(), 0);
    QCOMPARE(rows.Count(), 0);
    QCOMPARE(rows.CurrentRow(), 0);
    QVERIFY(rows.FieldsHoldDeletedRow());

    rows.Open(3);
    QCOMPARE(rows.Delete(), 0);  // row 1 of three
    QCOMPARE(rows.CurrentRow(), 1);
    rows.Open(3);
    QCOMPARE(rows.Select(3), 2);
    QCOMPARE(rows.Delete(), 2);  // row 3 of three
    QCOMPARE(rows.CurrentRow(), 2);
    QCOMPARE(rows.Count(), 2);
}

void TableRowsTest::insertAndReplacePlaces()
{
    // After the current row, or first with none; the new row becomes current.
    CTableRows prior(CInsertPlace::AfterCurrentRow);
    prior.Open(0);
    QCOMPARE(prior.InsertIndex(), 0);
    prior.Inserted(0);
    QCOMPARE(prior.InsertIndex(), 1);  // the next one goes below it
    prior.Inserted(1);
    prior.Inserted(2);
    QVERIFY(prior.Select(1) == 0);
    QCOMPARE(prior.InsertIndex(), 1);
    prior.Inserted(1);
    QCOMPARE(prior.CurrentRow(), 2);

    // Replacing row 1 keeps its place on the prior application screen...
    prior.Select(1);
    QCOMPARE(prior.BeginReplace(), 0);
    QVERIFY(prior.Replacing());
    QCOMPARE(prior.InsertIndex(), 0);
    prior.Inserted(0);
    prior.EndReplace();
    QCOMPARE(prior.CurrentRow(), 1);
    QCOMPARE(prior.Count(), 4);
    QVERIFY(!prior.FieldsHoldDeletedRow());

    // ...and moves it to the end on the applicant screens.
    CTableRows applicants(CInsertPlace::AtEnd);
    applicants.Open(3);
    QCOMPARE(applicants.InsertIndex(), 3);  // row 1 selected, still appended
    QCOMPARE(applicants.BeginReplace(), 0);
    QCOMPARE(applicants.InsertIndex(), 2);
    applicants.Inserted(2);
    applicants.EndReplace();
    QCOMPARE(applicants.CurrentRow(), 3);

    CTableRows none(CInsertPlace::AtEnd);
    none.Open(0);
    QCOMPARE(none.BeginReplace(), -1);
    QVERIFY(!none.Replacing());
}

void TableRowsTest::pendingInput()
{
    CTableRows rows(CInsertPlace::AtEnd);
    rows.Open(0);
    QVERIFY(rows.HasPendingInput(true, false));   // key field typed, no row
    QVERIFY(!rows.HasPendingInput(false, true));  // no key field, no row
    rows.Open(2);
    QVERIFY(rows.HasPendingInput(false, true));  // differs from the current row
    QVERIFY(!rows.HasPendingInput(true, false));

    // Right after Delete the fields hold nothing new, whatever they show,
    // until the user changes them or picks a row.
    rows.Delete();
    QVERIFY(!rows.HasPendingInput(true, true));
    rows.FieldsChanged();
    QVERIFY(rows.HasPendingInput(true, true));
    rows.Delete();
    QVERIFY(!rows.HasPendingInput(true, true));
    QCOMPARE(rows.CurrentRow(), 0);
}

void TableRowsTest::suppressedSelectionLoadsNothing()
{
    CTableRows rows(CInsertPlace::AtEnd);
    rows.Open(3);
    {
        CTableRows::Suppress quiet(rows);
        QCOMPARE(rows.Select(2), -1);
    }
    QCOMPARE(rows.CurrentRow(), 1);
    QCOMPARE(rows.Select(2), 1);
    QCOMPARE(rows.Select(0), -1);  // the header
    QCOMPARE(rows.CurrentRow(), 0);
}

void TableRowsTest::workingListHandsOverCopies()
{
    CArray<Ptr<CEarlierApplication>> project;
    project.Add(MakePtr<CEarlierApplication>("US 1", "2000-01-01"));
    CWorkingList<CEarlierApplication> list(project);
    list.At(0).SetNumber("changed");
    QCOMPARE(project[0]->GetNumber(), std::string("US 1"));

    CArray<Ptr<CEarlierApplication>> handed = list.Copies();
    list.At(0).SetNumber("later");
    QCOMPARE(handed[0]->GetNumber(), std::string("changed"));

    // A list of several kinds keeps each record's kind.
    CArray<Ptr<CFeature>> features;
    features.Add(Ptr<CFeature>(new CDS()));
    const CArray<Ptr<CFeature>> copies = DeepCopies(features);
    QVERIFY(copies[0].get() != features[0].get());
    QVERIFY(dynamic_cast<CDS*>(copies[0].get()));
}

QTEST_APPLESS_MAIN(TableRowsTest)
#include "TableRowsTest.moc"
