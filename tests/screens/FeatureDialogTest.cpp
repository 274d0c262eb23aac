// The feature screen and the feature names dialog as a user drives them:
// features typed and inserted, "N/A" and misc_feature, the key classes,
// Replace and Validate, OK with and without input, the one mature peptide
// and the joined coding regions with their questions, the names dialog with
// its type-ahead and lists, and the menu command of the main window.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "support/ModalAnswer.h"
#include "support/ScreenTestSupport.h"
#include "widgets/ErrorMsgDialog.h"
#include "app/frame/MainFrame.h"
#include "app/document/QLNDoc.h"
#include "app/frame/QLNView.h"
#include "model/Feature.h"
#include "model/Project.h"
#include "model/Sequence.h"
#include "screens/FeatureDialog.h"
#include "screens/FeatureNamesDialog.h"

using namespace qln;
using namespace qln::test;

namespace {

void TypeOther(QWidget& screen, const QString& text)
{
    auto* edit = screen.findChild<QPlainTextEdit*>("otherInfo");
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

QString Other(QWidget& screen)
{
    return screen.findChild<QPlainTextEdit*>("otherInfo")->toPlainText();
}

template <class T>
void AddFeature(CSequence& sequence, const char* from, const char* to)
{
    sequence.GetFeatures().Add(Ptr<CFeature>(new T(&sequence, "", from, to)));
}

bool JoinShown(QWidget& screen)
{
    return screen.findChild<QCheckBox*>("joinCDS")->isVisibleTo(&screen);
}

bool JoinChecked(QWidget& screen)
{
    return screen.findChild<QCheckBox*>("joinCDS")->isChecked();
}

// ATG GCT GCA AAG ATT GCG TGG CAT GCA TAA: no stop before the last codon.
constexpr const char* kResidues = "atggctgcaaagattgcgtggcatgcataa";

}  // namespace

class FeatureDialogTest : public QObject {
    Q_OBJECT
    QTemporaryDir tmp_;

private slots:
    void initTestCase() { UsePrivateFolders(tmp_); }

    void enteringCorrectingAndValidating();
    void oneMatPeptideKeepsTheCodingRegionsJoined();
    void namesDialogFillsKeyAndOtherInformation();
    void missingKeyFileAndLongOtherInformation();
    void okKeepsWhatWasNotChanged();
    void featureDataFromTheMenu();
};

void FeatureDialogTest::enteringCorrectingAndValidating()
{
    CCQLNDoc doc;
    auto* sequence = new CDNASequence(&doc.Project(), "S1", "Homo sapiens", kResidues);
    doc.Project().Add(sequence);

    CFeatureDialog screen(doc, *sequence);
    screen.show();
    QCOMPARE(screen.windowTitle(), QString("Quillion: Features - S1"));
    QCOMPARE(screen.findChild<QLabel*>("sequenceType")->text(), QString("DNA"));
    QCOMPARE(screen.findChild<QLabel*>("stringLength")->text(), QString("30"));
    QCOMPARE(screen.Grid()->horizontalHeaderItem(2)->text(), QString("From Column"));
    QVERIFY(!JoinShown(screen));

    // Only other information: a misc_feature without range.
    TypeOther(screen, "n is a, c, g, or t");
    Click(screen, "insertButton");
    QCOMPARE(RowTexts(screen), QStringList({"1\tmisc_feature\tN/A\tN/A"}));
    QCOMPARE(screen.focusWidget()->objectName(), QString("key"));

    // Keys in any case pick their classes; "N/A" typed is an empty position.
    for (const auto& [key, from, to] :
         {std::tuple{"cds", " 1", "9"}, {"EXON", "1", "9"}, {"misc_feature", "N/A", ""}}) {
        Click(screen, "clearButton");
        Type(screen, "key", key);
        Type(screen, "from", from);
        Type(screen, "to", to);
        TypeOther(screen, "note");
        Click(screen, "insertButton");
    }
    QCOMPARE(RowTexts(screen),
             QStringList({"1\tmisc_feature\tN/A\tN/A", "2\tCDS\t1\t9", "3\texon\t1\t9", "4\tmisc_feature\tN/A\tN/A"}));
    CArray<Ptr<CFeature>> records = screen.Records();
    QVERIFY(records[1]->IsKindOf(CDS::runtimeClass));
    QVERIFY(records[2]->IsKindOf(CExon::runtimeClass));
    QCOMPARE(records[3]->GetFromText(), std::string());
    QVERIFY(doc.IsModified());

    // The selected row shows its own positions, never "N/A"; Replace moves
    // the row to the end; Validate reports against the sequence.
    ClickRow(screen, 1);
    QCOMPARE(screen.findChild<QLineEdit*>("from")->text(), QString());
    QCOMPARE(Other(screen), QString("n is a, c, g, or t"));
    ClickRow(screen, 2);
    Type(screen, "to", "40");
    Click(screen, "replaceButton");
    QCOMPARE(screen.GridRowText(4), QString("4\tCDS\t1\t40"));
    QCOMPARE(screen.Rows().CurrentRow(), 4);
    Click(screen, "okButton");  // the fields show row 4: nothing to add
    QVERIFY(screen.isVisible());
    QCOMPARE(screen.Grid()->rowCount(), 4);
    QVERIFY(ErrorsText(screen).contains(
        "Sequence: S1: Feature Screen:Row 4: To: The To can not be greater than the sequence length."));

    Type(screen, "to", "9");
    Click(screen, "replaceButton");
    Click(screen, "validateButton");
    QCOMPARE(screen.StatusLine(), QString("Validation is successful."));

    // Right after Delete, OK adds nothing; the sequence takes the list over.
    Click(screen, "deleteButton");
    QCOMPARE(screen.Grid()->rowCount(), 3);
    Click(screen, "okButton");
    QCOMPARE(screen.result(), int(QDialog::Accepted));
    QVERIFY(sequence->GetFeatures().IsEmpty());
    screen.HandOver();
    QCOMPARE(sequence->GetFeatures().GetSize(), 3);
    for (const auto& feature : sequence->GetFeatures()) QCOMPARE(feature->GetParent(), sequence);
    QCOMPARE(sequence->GetFeatures()[2]->GetRow(), 3);
}

void FeatureDialogTest::oneMatPeptideKeepsTheCodingRegionsJoined()
{
    CCQLNDoc doc;
    auto* sequence = new CDNASequence(&doc.Project(), "S2", "Homo sapiens", kResidues);
    doc.Project().Add(sequence);
    AddFeature<CDS>(*sequence, "1", "9");
    AddFeature<CDS>(*sequence, "13", "21");
    AddFeature<CMatPeptide>(*sequence, "4", "");

    CFeatureDialog screen(doc, *sequence);
    screen.show();
    QVERIFY(JoinShown(screen));
    QVERIFY(JoinChecked(screen));
    for (const auto& feature : screen.Records()) QVERIFY(feature->IsJoined());

    // It cannot be unchecked.
    auto seen = AnswerMessageBox(QMessageBox::Ok);
    Click(screen, "joinCDS");
    QCOMPARE(seen->text, QString("The \"mat_peptide\" on your list requires all CDSs to be joined."));
    QVERIFY(JoinChecked(screen));

    // A second mature peptide is refused.
    Click(screen, "clearButton");
    Type(screen, "key", "Mat_Peptide");
    Type(screen, "from", "7");
    seen = AnswerMessageBox(QMessageBox::Ok);
    Click(screen, "insertButton");
    QCOMPARE(seen->text, QString("Attempt to add multiple \"Mat_peptide\".  \"Mat_peptide\" must be unique to each "
                                 "sequence."));
    QCOMPARE(seen->icon, QMessageBox::Critical);
    QCOMPARE(screen.Grid()->rowCount(), 3);

    // Deleting it asks; No keeps it.
    ClickRow(screen, 3);
    seen = AnswerMessageBox(QMessageBox::No);
    Click(screen, "deleteButton");
    QCOMPARE(seen->text, QString("All of the CDSs will be no longer joined after deleting the \"Mat_peptide\". "
                                 "\nDo you still want to continue?"));
    QCOMPARE(screen.Grid()->rowCount(), 3);

    // Replacing it by another key asks; Yes unjoins the regions.
    Type(screen, "key", "misc_feature");
    TypeOther(screen, "signal");
    seen = AnswerMessageBox(QMessageBox::Yes);
    Click(screen, "replaceButton");
    QVERIFY(seen->text.startsWith("All of the CDSs will be no longer joined after replacing this"));
    QCOMPARE(screen.GridRowText(3), QString("3\tmisc_feature\t4\tN/A"));
    QVERIFY(JoinShown(screen));
    QVERIFY(!JoinChecked(screen));
    for (const auto& feature : screen.Records()) QVERIFY(!feature->IsJoined());

    // Now the box is the user's; deleting a region hides it.
    Click(screen, "joinCDS");
    QVERIFY(screen.JoinFlag());
    QVERIFY(screen.Records()[0]->IsJoined());
    ClickRow(screen, 2);
    Click(screen, "deleteButton");
    QVERIFY(!JoinShown(screen));
    QVERIFY(!screen.JoinFlag());
    QCOMPARE(RowTexts(screen), QStringList({"1\tCDS\t1\t9", "2\tmisc_feature\t4\tN/A"}));
}

void FeatureDialogTest::namesDialogFillsKeyAndOtherInformation()
{
    CCQLNDoc doc;
    auto* protein = new CProtein1Sequence(&doc.Project(), "P1", "Homo sapiens", "MKTAYIAKQRQISFVKSHFSRQ");
    doc.Project().Add(protein);
    CFeatureDialog screen(doc, *protein);
    screen.show();
    TypeOther(screen, "site");

    // Type-ahead selects MOD_RES; leaving the field takes it and shows its lists.
    QStringList seen;
    AnswerModal<CFeatureNamesDialog>([&seen](CFeatureNamesDialog* names) {
        // Tab moves the focus, and so takes the key, only in the active window;
        // on a busy machine the dialog may not be active yet. Should it never
        // become active, the comparisons below say what went wrong.
        (void)QTest::qWaitForWindowActive(names);
        seen << names->windowTitle() << names->findChild<QLabel*>("kindLabel")->text();
        auto* key = names->findChild<QLineEdit*>("key");
        key->selectAll();
        QTest::keyClicks(key, "mod");
        seen << names->findChild<QListWidget*>("keys")->currentItem()->text() << key->text();
        QTest::keyClick(key, Qt::Key_Tab);
        seen << key->text();
        seen << QString::number(names->findChild<QWidget*>("modResGroup")->isVisible())
             << QString::number(names->findChild<QWidget*>("lipidGroup")->isVisible());
        names->findChild<QComboBox*>("modification")->setCurrentText("METHYLATION");
        names->findChild<QComboBox*>("aminoAcid")->setCurrentText("Orn Ornithine");
        QTest::mouseClick(names->findChild<QPushButton*>("okButton"), Qt::LeftButton);
    });
    Click(screen, "namesButton");
    QCOMPARE(seen,
             QStringList({"Quillion: Feature Names / Keys", "AminoAcids:", "MOD_RES", "mod", "MOD_RES", "1", "0"}));
    QCOMPARE(screen.findChild<QLineEdit*>("key")->text(), QString("MOD_RES"));
    QCOMPARE(Other(screen), QString("site METHYLATION, Orn"));
    QCOMPARE(screen.focusWidget()->objectName(), QString("key"));

    // A key picked from the list with nothing chosen leaves the other
    // information alone.
    AnswerModal<CFeatureNamesDialog>([](CFeatureNamesDialog* names) {
        auto* list = names->findChild<QListWidget*>("keys");
        const QList<QListWidgetItem*> lipid = list->findItems("LIPID", Qt::MatchExactly);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(lipid.first()).center());
        QTest::mouseClick(names->findChild<QPushButton*>("okButton"), Qt::LeftButton);
    });
    Click(screen, "namesButton");
    QCOMPARE(screen.findChild<QLineEdit*>("key")->text(), QString("LIPID"));
    QCOMPARE(Other(screen), QString("site METHYLATION, Orn"));

    // A nucleotide sequence gets its own keys; Cancel changes nothing.
    auto* dna = new CDNASequence(&doc.Project(), "S3", "Homo sapiens", kResidues);
    doc.Project().Add(dna);
    CFeatureDialog nucleotide(doc, *dna);
    nucleotide.show();
    AnswerModal<CFeatureNamesDialog>([](CFeatureNamesDialog* names) {
        QCOMPARE(names->findChild<QLabel*>("kindLabel")->text(), QString("Nucleotide:"));
        auto* list = names->findChild<QListWidget*>("keys");
        QListWidgetItem* found = list->findItems("modified_base", Qt::MatchExactly).value(0);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found).center());
        names->findChild<QComboBox*>("modifiedBase")->setCurrentText("p  pseudouridine");
        names->accept();
    });
    Click(nucleotide, "namesButton");
    QCOMPARE(nucleotide.findChild<QLineEdit*>("key")->text(), QString("modified_base"));
    QCOMPARE(Other(nucleotide), QString("p"));
    AnswerModal<CFeatureNamesDialog>([](CFeatureNamesDialog* names) { names->reject(); });
    Click(nucleotide, "namesButton");
    QCOMPARE(Other(nucleotide), QString("p"));
}

void FeatureDialogTest::missingKeyFileAndLongOtherInformation()
{
    CCQLNDoc doc;
    auto* sequence = new CDNASequence(&doc.Project(), "S4", "Homo sapiens", kResidues);
    doc.Project().Add(sequence);
    CFeatureDialog screen(doc, *sequence);
    screen.show();

    // The field takes 260 characters and no more.
    TypeOther(screen, QString(258, 'a'));
    QTest::keyClicks(screen.findChild<QPlainTextEdit*>("otherInfo"), "bcd");
    QCOMPARE(Other(screen), QString(258, 'a') + "bc");

    QTemporaryDir empty;
    const QByteArray dataDir = qgetenv("QLN_DATA_DIR");
    qputenv("QLN_DATA_DIR", QFile::encodeName(empty.path()));
    auto seen = ExpectMessageBox();
    int keys = -1;
    AnswerModal<CFeatureNamesDialog>([&keys](CFeatureNamesDialog* names) {
        keys = names->findChild<QListWidget*>("keys")->count();
        names->findChild<QLineEdit*>("key")->setText("modified_base");
        names->findChild<QComboBox*>("modifiedBase")->setCurrentIndex(1);
        names->accept();
    });
    Click(screen, "namesButton");
    qputenv("QLN_DATA_DIR", dataDir);
    QCOMPARE(seen->icon, QMessageBox::Critical);
    QCOMPARE(seen->text, "The Feature Name file " + QDir::toNativeSeparators(empty.filePath("nucleo.txt")) +
                             " could not be found.");
    QCOMPARE(keys, 0);
    // The chosen base would pass the limit: the field stays as it was.
    QCOMPARE(screen.findChild<QLineEdit*>("key")->text(), QString("modified_base"));
    QCOMPARE(Other(screen).size(), 260);
    QVERIFY(screen.StatusLine().contains("260"));
}

// Features as older files and the comment dialog hold them: OK on the
// untouched screen adds nothing; a line break typed is stored as CR LF; a
// refused second mature peptide keeps the screen open with what was typed.
void FeatureDialogTest::okKeepsWhatWasNotChanged()
{
    const struct {
        const char* key;
        const char* comment;
    } stored[] = {{"misc_feature", "first line\r\nsecond line"},
                  {"misc_feature", " begins with a blank"},
                  {" misc_feature ", "key with blanks"},
                  {"misc_feature", "bare\nline feed"}};
    for (const auto& [key, comment] : stored) {
        CCQLNDoc doc;
        auto* sequence = new CDNASequence(&doc.Project(), "S5", "Homo sapiens", kResidues);
        doc.Project().Add(sequence);
        sequence->GetFeatures().Add(MakeFeatureForKey(sequence, key, comment, "1", "4"));
        CFeatureDialog screen(doc, *sequence);
        screen.show();
        Click(screen, "okButton");
        QVERIFY2(screen.result() == QDialog::Accepted, comment);
        QCOMPARE(screen.Records().GetSize(), 1);
        QVERIFY(!doc.IsModified());
    }

    CCQLNDoc doc;
    auto* sequence = new CDNASequence(&doc.Project(), "S6", "Homo sapiens", kResidues);
    doc.Project().Add(sequence);
    AddFeature<CMatPeptide>(*sequence, "4", "9");
    CFeatureDialog screen(doc, *sequence);
    screen.show();
    Click(screen, "clearButton");
    Type(screen, "key", "misc_feature");
    TypeOther(screen, "first");
    QTest::keyClick(screen.findChild<QPlainTextEdit*>("otherInfo"), Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(screen.findChild<QPlainTextEdit*>("otherInfo"), "second");
    Click(screen, "insertButton");
    QCOMPARE(screen.Records()[1]->GetComment(), std::string("first\r\nsecond"));

    Click(screen, "clearButton");
    Type(screen, "key", "mat_peptide");
    Type(screen, "from", "10");
    auto seen = ExpectMessageBox();
    Click(screen, "okButton");
    QVERIFY(seen->text.startsWith("Attempt to add multiple"));
    QVERIFY(screen.isVisible());
    QCOMPARE(screen.findChild<QLineEdit*>("key")->text(), QString("mat_peptide"));
    QCOMPARE(screen.findChild<QLineEdit*>("from")->text(), QString("10"));
    screen.reject();
}

void FeatureDialogTest::featureDataFromTheMenu()
{
    QTemporaryDir folder;
    const QString path = folder.filePath("Demo.prj");
    QVERIFY(QFile::copy(QLN_SOURCE_DIR "/examples/demo.prj", path));
    CMainFrame frame;
    frame.show();
    QVERIFY(frame.OpenProject(path));
    CSequence* current = frame.View().CurrentSequence();
    QVERIFY(current);
    QVERIFY(frame.Action("actionFeatureData")->isEnabled());
    const int before = current->GetFeatures().GetSize();

    QVERIFY(!frame.Document().IsModified());
    AnswerModal<CFeatureDialog>([](CFeatureDialog* screen) {
        Click(*screen, "clearButton");
        Type(*screen, "key", "misc_feature");
        TypeOther(*screen, "reporter tag");
        Click(*screen, "insertButton");
        Click(*screen, "okButton");
        if (screen->isVisible()) screen->reject();
    });
    frame.Action("actionFeatureData")->trigger();
    QCOMPARE(current->GetFeatures().GetSize(), before + 1);
    QCOMPARE(current->GetFeatures()[before]->GetComment(), std::string("reporter tag"));
    QCOMPARE(current->GetFeatures()[before]->GetParent(), current);
    QVERIFY(frame.Document().IsModified());

    // Opened again and left with OK untouched: no change, nothing to save.
    frame.Document().SetModified(false);
    AnswerModal<CFeatureDialog>([](CFeatureDialog* screen) {
        Click(*screen, "okButton");
        if (screen->isVisible()) screen->reject();
    });
    frame.Action("actionFeatureData")->trigger();
    QCOMPARE(current->GetFeatures().GetSize(), before + 1);
    QVERIFY(!frame.Document().IsModified());
}

QTEST_MAIN(FeatureDialogTest)
#include "FeatureDialogTest.moc"
