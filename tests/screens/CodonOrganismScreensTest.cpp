// The custom codon and custom organism screens and the organism selection as
// a user drives them: typed codons refused or inserted, the duplicate
// messages, OK with input in the fields, Escape, emptying a table, the
// organisms each answer reaches, and the list that stays open beside the
// main window.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QHeaderView>
#include <QtTest>

#include "support/ModalAnswer.h"
#include "support/ScreenTestSupport.h"
#include "app/frame/MainFrame.h"
#include "app/sequences/OrgComment.h"
#include "app/document/QLNDoc.h"
#include "app/frame/QLNView.h"
#include "model/Feature.h"
#include "model/Project.h"
#include "screens/CustCodonDialog.h"
#include "screens/CustOrganismDialog.h"
#include "screens/TypeAheadDialog.h"

using namespace qln;
using namespace qln::test;

namespace {

QLineEdit* Edit(QWidget& window, const char* name)
{
    return window.findChild<QLineEdit*>(name);
}

void ClickListRow(QListWidget* list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

// The organism selection does not block: it is answered once it shows.
void WhenShown(CTypeAheadDialog* dialog, std::function<void()> act, int triesLeft = 200)
{
    QTimer::singleShot(10, dialog, [=] {
        if (dialog->isVisible())
            act();
        else if (triesLeft > 0)
            WhenShown(dialog, act, triesLeft - 1);
    });
}

CDNASequence* AddDna(CCQLNDoc& document, const char* name, const char* organism)
{
    auto* sequence = new CDNASequence(&document.Project(), name, organism, "acgtacgt");
    document.Project().Add(sequence);
    return sequence;
}

}  // namespace

class CodonOrganismScreensTest : public QObject {
    Q_OBJECT
    QTemporaryDir data_;
    QTemporaryDir tmp_;

private slots:
    void initTestCase()
    {
        UsePrivateFolders(tmp_);
        QFile strain(data_.filePath("strain.txt"));
        QVERIFY(strain.open(QIODevice::WriteOnly));
        strain.write("Zea mays\nMus musculus\nHomo sapiens\nhomarus americanus\n");
        strain.close();
        qputenv("QLN_DATA_DIR", QFile::encodeName(data_.path()));
    }

    void codonTypingChecksAndEscape();
    void codonScreenFromTheMenu();
    void customOrganismDuplicatesAndPendingInput();
    void customOrganismThroughTheView();
    void standardOrganismTypedAheadBesideTheView();
};

void CodonOrganismScreensTest::codonTypingChecksAndEscape()
{
    CCQLNDoc doc;
    CDNASequence* dna = AddDna(doc, "primer", "");
    dna->GetCustomCodons() = {{"ggg", "Gly"}};
    CCustCodonDialog screen(doc, *dna);
    screen.show();
    QVERIFY(QTest::qWaitForWindowActive(&screen));
    QCOMPARE(screen.windowTitle(), QString("Quillion: Custom Codons - primer"));
    auto* aminoAcid = screen.findChild<QComboBox*>("aminoAcid");
    QCOMPARE(aminoAcid->count(), 23);
    QCOMPARE(aminoAcid->currentText(), QString("Ala"));
    QLineEdit* codon = Edit(screen, "codon");
    QCOMPARE(codon->text(), QString("ggg"));  // the first row is shown

    // A digit beeps and is refused; the next letter clears the message.
    Retype(codon, "G1");
    QCOMPARE(codon->text(), QString("G"));
    QCOMPARE(screen.CodonMessage(), QString("Invalid sequence character."));
    QTest::keyClicks(codon, "CA");
    QCOMPARE(screen.CodonMessage(), QString());
    Click(screen, "insertCodonButton");
    QCOMPARE(RowTexts(screen), QStringList({"1\tGly\tggg", "2\tAla\tgca"}));
    QCOMPARE(codon->text(), QString());
    QVERIFY(codon->hasFocus());

    // Two letters and four are refused alike.
    for (const char* typed : {"gc", "gcat"}) {
        Retype(codon, typed);
        const auto seen = ExpectMessageBox();
        Click(screen, "insertCodonButton");
        QCOMPARE(seen->text, QString("The Custom Codon requires 3 characters."));
    }
    QCOMPARE(RowTexts(screen).size(), 2);

    // OK with a codon of Gly while Ala is chosen: the message names Gly,
    // its row is selected and the screen stays open.
    Retype(codon, "GGG");
    const auto duplicate = ExpectMessageBox();
    Click(screen, "okButton");
    QCOMPARE(duplicate->text,
             QString("The Custom Codon \"ggg\" is already in the table under the Amino Acid \"Gly\"."));
    QCOMPARE(duplicate->icon, QMessageBox::NoIcon);
    QVERIFY(screen.isVisible());
    QCOMPARE(screen.Rows().CurrentRow(), 1);
    QCOMPARE(screen.focusWidget(), codon);

    // Another amino acid empties the field and groups the rows again.
    aminoAcid->setCurrentIndex(aminoAcid->findText("Trp"));
    QCOMPARE(codon->text(), QString());
    QCOMPARE(RowTexts(screen), QStringList({"1\tAla\tgca", "2\tGly\tggg"}));
    QCOMPARE(screen.Rows().CurrentRow(), 2);  // still on ggg

    // Escape is neither OK nor Cancel, and the sequence keeps its table.
    QTest::keyClick(codon, Qt::Key_Escape);
    QVERIFY(!screen.isVisible());
    QCOMPARE(screen.result(), CCustCodonDialog::kEscaped);
    QCOMPARE(dna->GetCustomCodons(), (CBaseSequence::CodonTable{{"ggg", "Gly"}}));
}

void CodonOrganismScreensTest::codonScreenFromTheMenu()
{
    CMainFrame frame;
    CCQLNDoc& doc = frame.Document();
    doc.Project().Add(new CProtein1Sequence(&doc.Project(), "protein", "", "MKV"));
    CDNASequence* dna = AddDna(doc, "mito", "");
    dna->GetCustomCodons() = {{"tga", "Trp"}};
    frame.findChild<CQLNView*>()->Rebuild();
    frame.show();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    QAction* customCodons = frame.Action("actionCustomCodons");
    QVERIFY(!customCodons->isEnabled());  // a protein is selected
    ClickListRow(frame.findChild<QListWidget*>("sequenceList"), 1);
    QVERIFY(customCodons->isEnabled());
    doc.SetModified(false);

    // OK on the row as shown inserts nothing: the codon is that row's own.
    AnswerModal<CCustCodonDialog>([](CCustCodonDialog* screen) { Click(*screen, "okButton"); });
    customCodons->trigger();
    QCOMPARE(dna->GetCustomCodons(), (CBaseSequence::CodonTable{{"tga", "Trp"}}));
    QVERIFY(!doc.IsModified());

    // OK with a new codon typed inserts it for the chosen amino acid.
    AnswerModal<CCustCodonDialog>([](CCustCodonDialog* screen) {
        auto* aminoAcid = screen->findChild<QComboBox*>("aminoAcid");
        aminoAcid->setFocus();
        QTest::keyClicks(aminoAcid, "Ly");
        Retype(Edit(*screen, "codon"), "AAA");
        Click(*screen, "okButton");
    });
    customCodons->trigger();
    QCOMPARE(dna->GetCustomCodons(), (CBaseSequence::CodonTable{{"aaa", "Lys"}, {"tga", "Trp"}}));
    QVERIFY(doc.IsModified());

    // Emptying the table is a change too.
    doc.SetModified(false);
    AnswerModal<CCustCodonDialog>([](CCustCodonDialog* screen) {
        Click(*screen, "deleteButton");
        Click(*screen, "deleteButton");
        Click(*screen, "okButton");
    });
    customCodons->trigger();
    QVERIFY(dna->GetCustomCodons().empty());
    QVERIFY(doc.IsModified());
}

void CodonOrganismScreensTest::customOrganismDuplicatesAndPendingInput()
{
    CCQLNDoc doc;
    doc.Project().GetCustomOrganisms() = {"Thermus aquaticus", "Bacillus subtilis"};
    CCustOrganismDialog screen(doc);
    screen.show();
    QVERIFY(QTest::qWaitForWindowActive(&screen));
    QCOMPARE(screen.windowTitle(), "Quillion: Custom Organisms - " + doc.Title());
    QLineEdit* name = Edit(screen, "name");
    QCOMPARE(name->text(), QString("Thermus aquaticus"));

    // The same name again: No keeps one, Yes keeps both.
    Retype(name, "  Bacillus subtilis");
    const auto no = AnswerMessageBox(QMessageBox::No);
    Click(screen, "insertNameButton");
    QCOMPARE(no->title, QString("  Duplicate Organism"));
    QCOMPARE(no->icon, QMessageBox::Question);
    QCOMPARE(no->text, QString("Warning: The Custom Organism \"Bacillus subtilis\" is already in the table as item "
                               "\"2\".\n\n            Would you still like to add it to the table."));
    QCOMPARE(RowTexts(screen).size(), 2);
    const auto yes = AnswerMessageBox(QMessageBox::Yes);
    Click(screen, "insertNameButton");
    QCOMPARE(yes->count, 1);
    QCOMPARE(RowTexts(screen).last(), QString("3\tBacillus subtilis"));
    QCOMPARE(screen.focusWidget(), name);
    // The name inserted is selected: the next one typed replaces it.
    QCOMPARE(name->selectedText(), QString("  Bacillus subtilis"));
    QTest::keyClicks(name, "Bacillus sp. QX-17");
    QCOMPARE(name->text(), QString("Bacillus sp. QX-17"));
    // The grid's columns fit it: no sideways scrolling.
    QVERIFY(screen.Grid()->horizontalHeader()->length() <= screen.Grid()->viewport()->width());

    // OK compares with the selected row: the row as shown adds nothing.
    ClickRow(screen, 1);
    QCOMPARE(name->text(), QString("Thermus aquaticus"));
    Click(screen, "okButton");
    QCOMPARE(screen.result(), int(QDialog::Accepted));
    QCOMPARE(screen.Names(), (StringList{"Thermus aquaticus", "Bacillus subtilis", "Bacillus subtilis"}));

    // After deleting the last row the name left in the field is not input.
    CCustOrganismDialog again(doc);
    again.show();
    Click(again, "deleteButton");
    Click(again, "deleteButton");
    QCOMPARE(Edit(again, "name")->text(), QString("Bacillus subtilis"));
    Click(again, "okButton");
    QVERIFY(again.Names().empty());
}

void CodonOrganismScreensTest::customOrganismThroughTheView()
{
    CCQLNDoc doc;
    doc.Project().GetCustomOrganisms() = {"Thermus aquaticus"};
    CDNASequence* one = AddDna(doc, "one", "Homo sapiens");
    CDNASequence* two = AddDna(doc, "two", "Mus musculus");
    CQLNView view(doc);
    view.show();
    QVERIFY(QTest::qWaitForWindowActive(&view));

    // An empty name with Apply to all: the list is taken over, and no
    // organism is blanked.
    AnswerModal<CCustOrganismDialog>([](CCustOrganismDialog* screen) {
        Click(*screen, "deleteButton");
        Retype(Edit(*screen, "name"), "");
        screen->findChild<QCheckBox*>("applyToAll")->click();
        Click(*screen, "okButton");
    });
    Click(view, "custom");
    QVERIFY(doc.Project().GetCustomOrganisms().empty());
    QCOMPARE(one->GetOrganism(), std::string("Homo sapiens"));
    QCOMPARE(two->GetOrganism(), std::string("Mus musculus"));
    QCOMPARE(Edit(view, "organism")->text(), QString("Homo sapiens"));
    QVERIFY(doc.IsModified());

    // A name typed into the empty list is inserted by OK, goes to the
    // current sequence and, being artificial, asks for its comment as
    // Standard... does.
    AnswerModal<CCustOrganismDialog>([](CCustOrganismDialog* screen) {
        Retype(Edit(*screen, "name"), "Artificial Sequence");
        Click(*screen, "okButton");
    });
    AnswerModal<COrgComment>([](COrgComment* dialog) {
        QTest::keyClicks(dialog->findChild<QPlainTextEdit*>("comment"), "Synthetic construct");
        dialog->accept();
    });
    Click(view, "custom");
    QCOMPARE(doc.Project().GetCustomOrganisms(), StringList{"Artificial Sequence"});
    QCOMPARE(one->GetOrganism(), std::string("Artificial Sequence"));
    QTRY_VERIFY(one->GetComment() && one->GetComment()->GetComment() == "Synthetic construct");
    QCOMPARE(two->GetOrganism(), std::string("Mus musculus"));
}

void CodonOrganismScreensTest::standardOrganismTypedAheadBesideTheView()
{
    CCQLNDoc doc;
    CDNASequence* one = AddDna(doc, "one", "");
    CDNASequence* two = AddDna(doc, "two", "");
    CQLNView view(doc);
    view.show();
    QVERIFY(QTest::qWaitForWindowActive(&view));
    auto* selection = view.findChild<CTypeAheadDialog*>();
    QVERIFY(selection);
    auto* typed = Edit(*selection, "typed");
    auto* names = selection->findChild<QListWidget*>("organisms");
    auto* applyToAll = selection->findChild<QCheckBox*>("applyToAll");
    auto current = [names] { return names->currentItem() ? names->currentItem()->text() : QString(); };
    QCOMPARE(names->item(0)->text(), QString("homarus americanus"));  // sorted whatever the case

    // Typing selects the first name that begins with the letters; Cancel
    // changes nothing.
    QStringList seen;
    bool modal = true;
    WhenShown(selection, [&] {
        modal = QApplication::activeModalWidget() != nullptr;
        QTest::keyClicks(typed, "hom");
        seen << current();
        QTest::keyClicks(typed, "o S");
        seen << current();
        applyToAll->click();
        Click(*selection, "cancelButton");
    });
    Click(view, "standard");
    QVERIFY(!modal);
    QCOMPARE(seen, QStringList({"homarus americanus", "Homo sapiens"}));
    QVERIFY(!selection->isVisible());
    QCOMPARE(one->GetOrganism(), std::string());

    // Shown again it starts empty; the answer goes to the sequence that was
    // current when it opened, though the user selected another meanwhile.
    bool cleared = false;
    WhenShown(selection, [&] {
        cleared = typed->text().isEmpty() && !names->currentItem() && !applyToAll->isChecked();
        QTest::keyClicks(typed, "mus");
        ClickListRow(view.findChild<QListWidget*>("sequenceList"), 1);
        Click(*selection, "okButton");
    });
    Click(view, "standard");
    QVERIFY(cleared);
    QCOMPARE(one->GetOrganism(), std::string("Mus musculus"));
    QCOMPARE(Edit(view, "organism")->text(), QString());  // two's field
    view.CommitEditor();
    QCOMPARE(two->GetOrganism(), std::string());

    // OK with nothing selected changes nothing.
    WhenShown(selection, [&] { Click(*selection, "okButton"); });
    Click(view, "standard");
    QCOMPARE(one->GetOrganism(), std::string("Mus musculus"));
    QCOMPARE(two->GetOrganism(), std::string());

    // A double-click is OK; Apply to all reaches every sequence.
    WhenShown(selection, [&] {
        applyToAll->click();
        const QRect zea = names->visualItemRect(names->item(3));
        QTest::mouseClick(names->viewport(), Qt::LeftButton, {}, zea.center());
        QTest::mouseDClick(names->viewport(), Qt::LeftButton, {}, zea.center());
    });
    Click(view, "standard");
    QCOMPARE(one->GetOrganism(), std::string("Zea mays"));
    QCOMPARE(two->GetOrganism(), std::string("Zea mays"));
    QCOMPARE(Edit(view, "organism")->text(), QString("Zea mays"));
}

QTEST_MAIN(CodonOrganismScreensTest)
#include "CodonOrganismScreensTest.moc"
