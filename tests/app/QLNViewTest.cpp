// The main view driven as a user drives it: keys into the editor, clicks on
// the list and the buttons, answers to the dialogs it opens.
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QPlainTextEdit>
#include <QtTest>

#include "app/sequences/ChangeSequenceTypeDialog.h"
#include "widgets/ErrorMsgDialog.h"
#include "app/sequences/OrgComment.h"
#include "app/document/QLNDoc.h"
#include "app/frame/QLNView.h"
#include "app/sequences/ReorderSeqDialog.h"
#include "app/frame/SeqEdit.h"
#include "support/ModalAnswer.h"
#include "model/Feature.h"
#include "model/Project.h"
#include "screens/TypeAheadDialog.h"

using namespace qln;
using namespace qln::test;

namespace {

// The view over a project of the given sequences, shown and active.
struct Form {
    CCQLNDoc document;
    std::unique_ptr<CQLNView> view;

    explicit Form(std::initializer_list<std::pair<const char*, std::string>> dnaSequences)
    {
        for (const auto& [name, residues] : dnaSequences) AddDna(name, residues);
    }
    void AddDna(const std::string& name, const std::string& residues)
    {
        document.Project().Add(new CDNASequence(&document.Project(), name, "", residues));
    }
    void AddProtein(const std::string& name, const std::string& residues)
    {
        document.Project().Add(new CProtein1Sequence(&document.Project(), name, "", residues));
    }
    bool Show()
    {
        view = std::make_unique<CQLNView>(document);
        view->resize(900, 600);
        view->show();
        return QTest::qWaitForWindowActive(view.get());
    }
    template <class T = QWidget>
    T* Child(const char* name) const
    {
        return view->findChild<T*>(name);
    }
    CSeqEdit* Editor() const { return Child<CSeqEdit>("editor"); }
    QString Field(const char* name) const { return Child<QLineEdit>(name)->text(); }
    void Click(const char* button) const { QTest::mouseClick(Child<QPushButton>(button), Qt::LeftButton); }
    void SelectRow(int row) const
    {
        auto* list = Child<QListWidget>("sequenceList");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    }
    CSequence* Sequence(const std::string& name) const { return document.Project().Find(name); }
};

QString Letters(const QString& text)
{
    QString letters;
    for (QChar c : text)
        if (c.isLetter()) letters += c;
    return letters;
}

std::string Letters(CSequence* sequence)
{
    std::string letters;
    for (char c : sequence->GetResidues())
        if (std::isalpha(static_cast<unsigned char>(c))) letters += c;
    return letters;
}

}  // namespace

class QLNViewTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void typingIsFilteredAndCased();
    void layoutAndPositionLine();
    void goTwiceThenTextNotFound();
    void selectingAndReorderingKeepTypedResidues();
    void pasteThenValidate();
    void deletingSelectsTheNextLine();
    void alterSeqTypeConvertsNucleotidesOnly();
    void organismFromTheListAndTheCommentPrompt();
    void organismListForAProjectThatWentAway();
    void keysThatStayWhereTheUserIs();

private:
    QTemporaryDir data_;
    QTemporaryDir tmp_;
};

void QLNViewTest::initTestCase()
{
    QFile strain(data_.filePath("strain.txt"));
    QVERIFY(strain.open(QIODevice::WriteOnly));
    strain.write("Homo sapiens\nMus musculus\nArtificial Sequence\n");
    strain.close();
    qputenv("QLN_DATA_DIR", data_.path().toLocal8Bit());
    UsePrivateFolders(tmp_);
}

// The organism list is modeless: while it is open the user may open another
// project or delete the sequence it was opened for. Its answer then goes
// nowhere, and the list closes.
void QLNViewTest::organismListForAProjectThatWentAway()
{
    const QString other = tmp_.filePath("other.prj");
    {
        CCQLNDoc document;
        document.Project().Add(new CDNASequence(&document.Project(), "x", "Homo sapiens", "acgt"));
        document.Project().Add(new CDNASequence(&document.Project(), "y", "Homo sapiens", "acgt"));
        QVERIFY(document.SaveTo(other));
    }
    for (const bool applyToAll : {true, false}) {
        Form form({{"one", "acgt"}, {"two", "acgt"}});
        QVERIFY(form.Show());
        auto* selection = form.view->findChild<CTypeAheadDialog*>();
        bool stillOpen = true;
        QTimer::singleShot(0, selection, [&] {
            QVERIFY(form.document.OpenDocument(other));
            stillOpen = selection->isVisible();
            if (!stillOpen) return;
            QTest::keyClicks(selection->findChild<QLineEdit*>("typed"), "mus");
            selection->findChild<QCheckBox*>("applyToAll")->setChecked(applyToAll);
            selection->accept();
        });
        form.Click("standard");
        QVERIFY(!stillOpen);
        QVERIFY(!form.document.IsModified());
        for (const auto& sequence : form.document.Project().GetSequences())
            QCOMPARE(sequence->GetOrganism(), std::string("Homo sapiens"));
    }

    Form form({{"one", "acgt"}, {"two", "acgt"}});
    QVERIFY(form.Show());
    auto* selection = form.view->findChild<CTypeAheadDialog*>();
    bool leftOpen = false;
    QTimer::singleShot(0, selection, [&] {
        form.Click("deleteSequence");
        QTimer::singleShot(100, selection, [&] {
            leftOpen = selection->isVisible();
            if (leftOpen) selection->reject();
        });
    });
    form.Click("standard");
    QVERIFY(!leftOpen);
    QCOMPARE(form.Sequence("two")->GetOrganism(), std::string());
}

// The arrow keys walk the list without leaving it; F6 moves between the
// panes; the missing-features switch is a change to save.
void QLNViewTest::keysThatStayWhereTheUserIs()
{
    Form form({{"a", "acgt"}, {"b", "cc"}, {"c", "gg"}});
    QVERIFY(form.Show());
    auto* list = form.Child<QListWidget>("sequenceList");
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(form.Field("sequenceName"), QString("b"));
    QVERIFY(list->hasFocus());
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(form.Field("sequenceName"), QString("c"));
    QVERIFY(list->hasFocus());

    QTest::keyClick(list, Qt::Key_F6);
    QVERIFY(form.Child("organism")->hasFocus());
    QTest::keyClick(form.Child("organism"), Qt::Key_F6);
    QVERIFY(form.Editor()->hasFocus());
    QTest::keyClick(form.Editor(), Qt::Key_F6, Qt::ShiftModifier);
    QVERIFY(form.Child("organism")->hasFocus());

    QVERIFY(!form.document.IsModified());
    QTest::mouseClick(form.Child<QCheckBox>("missingFeatures"), Qt::LeftButton);
    QVERIFY(form.document.Project().GetCheckMissingFeatures());
    QVERIFY(form.document.IsModified());
}

void QLNViewTest::typingIsFilteredAndCased()
{
    Form form({{"dna", ""}});
    form.AddProtein("protein", "");
    QVERIFY(form.Show());
    QSignalSpy status(form.view.get(), &CQLNView::StatusText);
    CSeqEdit* editor = form.Editor();

    QTest::keyClicks(editor, "AcG");
    QCOMPARE(editor->toPlainText(), QString("acg"));
    QTest::keyClick(editor, '5');
    QTest::keyClick(editor, ' ');
    QCOMPARE(editor->toPlainText(), QString("acg"));
    QCOMPARE(status.last().first().toString(), QString("Invalid sequence character."));
    QCOMPARE(form.Field("stringLength"), QString("3"));
    QVERIFY(form.document.IsModified());
    for (int i = 0; i < 5; ++i) QTest::keyClick(editor, Qt::Key_Backspace);
    QCOMPARE(editor->toPlainText(), QString());
    QCOMPARE(form.Field("stringLength"), QString("0"));  // never below 0

    form.SelectRow(1);
    QCOMPARE(form.Field("sequenceType"), QString("PRT"));
    QTest::keyClicks(editor, "mk");
    QCOMPARE(editor->toPlainText(), QString("MK"));
}

void QLNViewTest::layoutAndPositionLine()
{
    Form form({{"sixty", std::string(60, 'a')}, {"sixty-one", std::string(61, 'c')}, {"empty", ""}});
    QVERIFY(form.Show());
    const QString line = "aaaaaaaaaa aaaaaaaaaa aaaaaaaaaa aaaaaaaaaa aaaaaaaaaa aaaaaaaaaa        60\n";
    QCOMPARE(form.Editor()->toPlainText(), line);
    QCOMPARE(form.Field("stringLength"), QString("60"));
    QCOMPARE(form.Field("lineNumber"), QString("1"));

    form.SelectRow(1);
    const QString text = form.Editor()->toPlainText();
    QCOMPARE(text.size(), 76 + 75);
    QVERIFY(text.endsWith("c" + QString(72, ' ') + "61"));
    QTest::keyClick(form.Editor(), Qt::Key_Down);
    QCOMPARE(form.Field("cursorPosition"), QString("77"));
    QCOMPARE(form.Field("lineNumber"), QString("2"));

    form.SelectRow(2);
    QCOMPARE(form.Editor()->toPlainText(), QString());
    QCOMPARE(form.Field("stringLength"), QString("0"));
    QCOMPARE(form.Field("lineNumber"), QString());
}

void QLNViewTest::goTwiceThenTextNotFound()
{
    std::string residues(130, 'c');
    for (size_t at : {10, 53, 60}) residues.replace(at, 7, "gattaca");
    Form form({{"hits", residues}});
    QVERIFY(form.Show());
    QTest::keyClicks(form.Child("search"), "GATTACA");
    for (int expected : {11, 58, 76}) {
        form.Click("go");
        QCOMPARE(form.Editor()->textCursor().selectionStart(), expected);
        QCOMPARE(Letters(form.Editor()->textCursor().selectedText()), QString("gattaca"));
    }
    const auto message = ExpectMessageBox();
    form.Click("go");
    QCOMPARE(message->count, 1);
    QCOMPARE(message->text, QString("Text not found."));
    QCOMPARE(message->icon, QMessageBox::Critical);
}

void QLNViewTest::selectingAndReorderingKeepTypedResidues()
{
    Form form({{"first", ""}, {"second", "gggg"}});
    QVERIFY(form.Show());
    QTest::keyClicks(form.Editor(), "acgt");
    form.SelectRow(1);
    QCOMPARE(form.Field("sequenceName"), QString("second"));
    form.SelectRow(0);
    QVERIFY(form.Editor()->toPlainText().startsWith("acgt "));

    // Typed, then straight to Reorder: the residues are stored first.
    QTest::keyClick(form.Editor(), Qt::Key_Home);
    QTest::keyClicks(form.Editor(), "tt");
    AnswerModal<CReorderSeqDialog>([](CReorderSeqDialog* dialog) { dialog->accept(); });
    form.Click("reorder");
    QCOMPARE(form.Field("sequenceName"), QString("second"));  // the last one is selected
    QCOMPARE(Letters(form.Sequence("first")), std::string("ttacgt"));
}

void QLNViewTest::pasteThenValidate()
{
    Form form({{"good", "acgt"}, {"pasted", "acgt"}});
    form.Sequence("good")->SetOrganism("Homo sapiens");
    QVERIFY(form.Show());
    QSignalSpy status(form.view.get(), &CQLNView::StatusText);
    form.Click("validate");
    QCOMPARE(status.last().first().toString(), QString("Validation is successful."));

    form.SelectRow(1);
    QApplication::clipboard()->setText("GGXX");
    QTest::keyClick(form.Editor(), Qt::Key_V, Qt::ControlModifier);
    QVERIFY(form.Editor()->toPlainText().startsWith("ggxxacgt "));
    QCOMPARE(form.Field("stringLength"), QString("8"));
    QCOMPARE(Letters(form.Sequence("pasted")), std::string("ggxxacgt"));  // stored at once
    QVERIFY(!form.view->IsDisplayFormatted());

    form.Click("validate");
    QCOMPARE(status.last().first().toString(), QString("Validation is unsuccessful."));
    auto* errors = form.view->findChild<CErrorMsgDialog*>();
    QVERIFY(errors && errors->isVisible() && !errors->isModal());
    QVERIFY(errors->Text().contains("Organism"));
    // Laid out again, the count taken from the sequence.
    QVERIFY(form.view->IsDisplayFormatted());
    QVERIFY(form.Editor()->toPlainText().endsWith(" 8"));
}

void QLNViewTest::deletingSelectsTheNextLine()
{
    Form form({{"a", "acgt"}, {"b", "cc"}, {"c", "gg"}});
    QVERIFY(form.Show());
    auto* list = form.Child<QListWidget>("sequenceList");
    QVERIFY(!form.Child("restore")->isEnabled());
    form.SelectRow(2);
    form.Click("deleteSequence");
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->currentRow(), 1);  // the new last line
    QCOMPARE(form.Field("sequenceName"), QString("b"));
    QVERIFY(form.Child("restore")->isEnabled());
    form.SelectRow(0);
    form.Click("deleteSequence");
    QCOMPARE(form.Field("sequenceName"), QString("b"));  // the line that moved up
    form.Click("deleteSequence");
    QCOMPARE(list->count(), 0);
    QCOMPARE(list->currentRow(), -1);
    QVERIFY(form.Editor()->isReadOnly());
    QVERIFY(!form.Child("deleteSequence")->isEnabled());
    QCOMPARE(form.document.Project().GetDeletedSequences().GetSize(), 3);
}

void QLNViewTest::alterSeqTypeConvertsNucleotidesOnly()
{
    Form form({{"nucleotide", "acgt"}});
    form.AddProtein("protein", "MKV");
    form.Sequence("nucleotide")->SetOrganism("Homo sapiens");
    QVERIFY(form.Show());
    QVERIFY(form.Child("alterSeqType")->isEnabled());
    form.SelectRow(1);
    QVERIFY(!form.Child("alterSeqType")->isEnabled());

    form.SelectRow(0);
    AnswerModal<CChangeSequenceTypeDialog>([](CChangeSequenceTypeDialog* dialog) {
        dialog->findChild<QRadioButton*>("rna")->setChecked(true);
        dialog->accept();
    });
    form.Click("alterSeqType");
    CSequence* converted = form.Sequence("nucleotide");
    QVERIFY(converted->IsKindOf(CRNASequence::runtimeClass));
    QCOMPARE(form.document.Project().GetSequences()[0].get(), converted);  // in the same place
    QCOMPARE(form.Field("sequenceType"), QString("RNA"));
    QCOMPARE(form.Field("organism"), QString("Homo sapiens"));
    QVERIFY(form.Editor()->toPlainText().startsWith("acgt "));
}

void QLNViewTest::organismFromTheListAndTheCommentPrompt()
{
    Form form({{"one", "acgt"}, {"two", "acgt"}});
    QVERIFY(form.Show());
    // The selection is modeless: it is answered once it shows.
    auto* selection = form.view->findChild<CTypeAheadDialog*>();
    QTimer::singleShot(0, selection, [selection] {
        QTest::keyClicks(selection->findChild<QLineEdit*>("typed"), "mus");
        selection->accept();
    });
    form.Click("standard");
    QTRY_COMPARE(QApplication::activeWindow(), form.view.get());  // the keyboard is back
    QCOMPARE(form.Field("organism"), QString("Mus musculus"));
    QCOMPARE(form.Sequence("one")->GetOrganism(), std::string("Mus musculus"));
    QCOMPARE(form.Sequence("two")->GetOrganism(), std::string());

    // Leaving the field for another control of the window asks for the comment.
    auto* organism = form.Child<QLineEdit>("organism");
    form.view->activateWindow();  // the offscreen platform leaves that to us
    QVERIFY(QTest::qWaitForWindowActive(form.view.get()));
    organism->setFocus();
    organism->selectAll();
    QTest::keyClicks(organism, "Artificial Sequence");
    AnswerModal<COrgComment>([](COrgComment* dialog) {
        QTest::keyClicks(dialog->findChild<QPlainTextEdit*>("comment"), "Synthetic primer");
        dialog->accept();
    });
    QTest::keyClick(organism, Qt::Key_Tab);
    QTRY_COMPARE(form.Sequence("one")->GetComment()->GetComment(), std::string("Synthetic primer"));
    QCOMPARE(form.Sequence("one")->GetOrganism(), std::string("Artificial Sequence"));

    // Focus that goes to another window asks nothing.
    form.view->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.view.get()));
    form.SelectRow(1);
    organism->setFocus();
    QVERIFY(organism->hasFocus());
    QTest::keyClicks(organism, "unknown");
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
    QTest::qWait(50);
    QVERIFY(!QApplication::activeModalWidget());
}

QTEST_MAIN(QLNViewTest)
#include "QLNViewTest.moc"
