// The dialogs that add, rename, reorder and restore sequences, driven as a
// user drives them, and the plain rules behind them.
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QtTest>

#include "support/ModalAnswer.h"
#include "app/sequences/AddSequenceDialog.h"
#include "app/sequences/RenameDialog.h"
#include "app/sequences/RenameSeqDialog.h"
#include "app/sequences/ReorderRule.h"
#include "app/sequences/ReorderSeqDialog.h"
#include "app/sequences/RestoreSeqDialog.h"
#include "app/sequences/SequenceNames.h"
#include "model/Project.h"

using namespace qln;
using namespace qln::test;

namespace {

CArray<Ptr<CSequence>> Named(std::initializer_list<const char*> names)
{
    CArray<Ptr<CSequence>> list;
    for (const char* name : names) list.Add(MakePtr<CDNASequence>(nullptr, name, "", ""));
    return list;
}

QStringList NamesOf(const CArray<Ptr<CSequence>>& list)
{
    QStringList names;
    for (const auto& sequence : list) names << QString::fromStdString(sequence->GetName());
    return names;
}

// Types the text into the dialog's name field and presses Enter.
void TypeNameAndEnter(QDialog& dialog, const QString& text, const char* field = "name")
{
    auto* edit = dialog.findChild<QLineEdit*>(field);
    QVERIFY(edit);
    edit->clear();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

void ClickRow(QAbstractItemView* view, const QModelIndex& index, Qt::KeyboardModifiers modifiers = {})
{
    QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, view->visualRect(index).center());
}

// Moves the deleted sequence into the project's deleted list under a name
// another deleted sequence may share.
CSequence* AddDeleted(CProject& project, const char* name)
{
    Ptr<CSequence> sequence = MakePtr<CDNASequence>(&project, name, "", "");
    project.Add(sequence.get());
    project.Delete(sequence.get());
    return sequence.get();
}

}  // namespace

class SequenceDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void nameRules();
    void reorderArithmetic();
    void restoreNamePlanning();
    void addRefusesBlankAndTakenNames();
    void renameRefusesItsOwnName();
    void duplicateNameDialogWantsSomeName();
    void reorderMovesBlocksRepeatedly();
    void restoreAsksForFreeNamesOrRestoresNothing();
};

void SequenceDialogsTest::nameRules()
{
    QCOMPARE(StripLeadingBlanks("  abc"), std::string("abc"));
    QCOMPARE(StripLeadingBlanks("\t abc "), std::string("abc "));
    const auto list = Named({"abc", "def"});
    QCOMPARE(CheckNewName("abc", list), NameCheck::Taken);
    QCOMPARE(CheckNewName("abc ", list), NameCheck::Free);
    QCOMPARE(CheckNewName("ABC", list), NameCheck::Free);
    QCOMPARE(CheckNewName("", list), NameCheck::Blank);
}

void SequenceDialogsTest::reorderArithmetic()
{
    using Rows = std::vector<int>;
    // Rows 2..3 after row 5 of six.
    QCOMPARE(ReorderRows(6, 2, 3, 5), (Rows{1, 4, 5, 2, 3, 6}));
    // After row 1 they already follow it; rows 4..5 after row 1 move up.
    QCOMPARE(ReorderRows(6, 2, 3, 1), (Rows{1, 2, 3, 4, 5, 6}));
    QCOMPARE(ReorderRows(6, 4, 5, 1), (Rows{1, 4, 5, 2, 3, 6}));
    // A row inside the block leaves the order as it was.
    QCOMPARE(ReorderRows(6, 2, 3, 2), (Rows{1, 2, 3, 4, 5, 6}));
    QCOMPARE(ReorderRows(6, 2, 3, 3), (Rows{1, 2, 3, 4, 5, 6}));
    // A block selected upwards; after the last row.
    QCOMPARE(ReorderRows(6, 3, 2, 6), (Rows{1, 4, 5, 6, 2, 3}));
    // No row: nothing moves.
    QVERIFY(ReorderRows(6, 2, 3, 0).empty());
    QVERIFY(ReorderRows(6, 0, 3, 4).empty());
}

void SequenceDialogsTest::restoreNamePlanning()
{
    const auto inProject = [](const std::string& name) { return name == "kept"; };
    QStringList asked;
    const auto answer = [&asked](std::initializer_list<const char*> answers) {
        auto next = std::make_shared<std::vector<std::string>>(answers.begin(), answers.end());
        return [&asked, next](const std::string& taken) -> std::optional<std::string> {
            asked << QString::fromStdString(taken);
            if (next->empty()) return std::nullopt;
            std::string name = next->front();
            next->erase(next->begin());
            return name;
        };
    };
    // The second "x" and the project's "kept" need new names; an answer that
    // is taken too is asked again.
    auto planned = PlanRestoreNames({"x", "x", "kept"}, inProject, answer({"x", "y", "z"}));
    QVERIFY(planned);
    QCOMPARE(*planned, (std::vector<std::string>{"x", "y", "z"}));
    QCOMPARE(asked, (QStringList{"x", "x", "kept"}));
    // A stop at the last conflict stops the whole plan.
    asked.clear();
    QVERIFY(!PlanRestoreNames({"x", "x", "x"}, inProject, answer({"y"})));
    QCOMPARE(asked, (QStringList{"x", "x"}));
}

void SequenceDialogsTest::addRefusesBlankAndTakenNames()
{
    const auto list = Named({"abc"});
    CAddSequenceDialog dialog(list);
    dialog.show();

    auto seen = ExpectMessageBox();
    TypeNameAndEnter(dialog, "   ");
    QCOMPARE(seen->text, QString("Sequence Name can not be blank."));
    QCOMPARE(seen->icon, QMessageBox::Critical);
    QCOMPARE(seen->title, QString("Quillion"));

    seen = ExpectMessageBox();
    TypeNameAndEnter(dialog, "  abc");
    QCOMPARE(seen->text, QString("This Sequence Name is already in the list.  It must be unique."));
    QVERIFY(dialog.isVisible());

    // Trailing blanks and letter case make a different name.
    TypeNameAndEnter(dialog, "  abc ");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.Name(), std::string("abc "));

    CAddSequenceDialog upper(list);
    upper.show();
    upper.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&upper));
    upper.findChild<QLineEdit*>("name")->clear();
    QTest::keyClicks(upper.findChild<QLineEdit*>("name"), "ABC");
    QTest::keyClick(upper.focusWidget(), Qt::Key_P, Qt::AltModifier);  // "&Protein1"
    QTRY_VERIFY(upper.findChild<QRadioButton*>("protein")->isChecked());
    QTest::keyClick(upper.focusWidget(), Qt::Key_Return);
    QCOMPARE(upper.result(), int(QDialog::Accepted));
    QCOMPARE(upper.Name(), std::string("ABC"));
    QCOMPARE(upper.TypeIndex(), 3);
}

void SequenceDialogsTest::renameRefusesItsOwnName()
{
    const auto list = Named({"first", "current"});
    RenameDialog dialog(list);
    dialog.show();
    auto seen = ExpectMessageBox();
    TypeNameAndEnter(dialog, "current");
    QCOMPARE(seen->text, QString("This Sequence Name is in use.  Please select another."));
    QCOMPARE(seen->icon, QMessageBox::Critical);
    QVERIFY(dialog.isVisible());

    TypeNameAndEnter(dialog, " renamed");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.NewName(), std::string("renamed"));
}

void SequenceDialogsTest::duplicateNameDialogWantsSomeName()
{
    CRenameSeqDialog dialog("taken", "&Stop import");
    dialog.show();
    QCOMPARE(dialog.findChild<QLineEdit*>("conflictingName")->text(), QString("taken"));
    QVERIFY(dialog.findChild<QPushButton*>("stop")->text() == "&Stop import");

    auto seen = ExpectMessageBox();
    TypeNameAndEnter(dialog, "  ");
    QCOMPARE(seen->text, QString("Sequence name can not be blank."));
    QCOMPARE(seen->icon, QMessageBox::NoIcon);
    QVERIFY(dialog.isVisible());

    // It leaves the uniqueness test to its caller.
    TypeNameAndEnter(dialog, "taken");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.NewName(), std::string("taken"));
}

void SequenceDialogsTest::reorderMovesBlocksRepeatedly()
{
    const auto list = Named({"s1", "s2", "s3", "s4", "s5", "s6"});
    CReorderSeqDialog dialog(list);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* listA = dialog.findChild<QTableWidget*>("listA");
    auto* listB = dialog.findChild<QTableWidget*>("listB");
    auto* reorder = dialog.findChild<QPushButton*>("reorder");
    const auto shown = [](QTableWidget* grid) {
        QStringList names;
        for (int row = 0; row < grid->rowCount(); ++row)
            names << grid->item(row, 0)->text() + ":" + grid->item(row, 1)->text();
        return names;
    };
    QCOMPARE(listB->horizontalHeaderItem(0)->text(), QString("Item"));
    QCOMPARE(shown(listA).first(), QString("1:s1"));

    // Nothing chosen in List B: nothing moves.
    ClickRow(listA, listA->model()->index(1, 1));
    reorder->click();
    QCOMPARE(NamesOf(dialog.NewOrder()), (QStringList{"s1", "s2", "s3", "s4", "s5", "s6"}));

    // Rows 2..3 after row 5; Enter presses Reorder, the default button.
    ClickRow(listA, listA->model()->index(2, 1), Qt::ShiftModifier);
    ClickRow(listB, listB->model()->index(4, 1));
    QTest::keyClick(listB, Qt::Key_Return);
    QCOMPARE(NamesOf(dialog.NewOrder()), (QStringList{"s1", "s4", "s5", "s2", "s3", "s6"}));
    QCOMPARE(shown(listB), (QStringList{"1:s1", "2:s4", "3:s5", "4:s2", "5:s3", "6:s6"}));

    // Again: the moved block is still chosen; after row 1 it goes back.
    ClickRow(listB, listB->model()->index(0, 1));
    reorder->click();
    QCOMPARE(NamesOf(dialog.NewOrder()), (QStringList{"s1", "s2", "s3", "s4", "s5", "s6"}));
    // A row inside the block changes nothing.
    ClickRow(listB, listB->model()->index(2, 1));
    reorder->click();
    QCOMPARE(NamesOf(dialog.NewOrder()), (QStringList{"s1", "s2", "s3", "s4", "s5", "s6"}));

    dialog.findChild<QPushButton*>("ok")->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(NamesOf(list), (QStringList{"s1", "s2", "s3", "s4", "s5", "s6"}));
}

void SequenceDialogsTest::restoreAsksForFreeNamesOrRestoresNothing()
{
    Ptr<CProject> project = MakePtr<CProject>();
    project->Add(MakePtr<CDNASequence>(project.get(), "kept", "", "").get());
    CSequence* first = AddDeleted(*project, "x");
    CSequence* second = AddDeleted(*project, "x");
    CSequence* third = AddDeleted(*project, "x");
    QStringList restored;
    CRestoreSeqDialog dialog(*project, [&](const std::string& name) {
        restored << QString::fromStdString(name);
        project->Restore(name);
    });
    dialog.show();
    auto* list = dialog.findChild<QListWidget*>("deleted");
    auto* restore = dialog.findChild<QPushButton*>("restore");
    QCOMPARE(list->count(), 3);
    QVERIFY(list->item(0)->isSelected());

    // All three: a new name for the second, then Stop at the third conflict.
    // Nothing is restored and no name changes.
    QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
    QString stopCaption;
    AnswerModal<CRenameSeqDialog>([&](CRenameSeqDialog* ask) {
        TypeNameAndEnter(*ask, "y");
        AnswerModal<CRenameSeqDialog>([&](CRenameSeqDialog* again) {
            stopCaption = again->findChild<QPushButton*>("stop")->text();
            again->findChild<QPushButton*>("stop")->click();
        });
    });
    restore->click();
    QCOMPARE(stopCaption, QString("Stop Restoring"));
    QVERIFY(restored.isEmpty());
    QCOMPARE(NamesOf(project->GetDeletedSequences()), (QStringList{"x", "x", "x"}));
    QCOMPARE(NamesOf(project->GetSequences()), (QStringList{"kept"}));

    // Nothing selected: nothing happens.
    list->clearSelection();
    restore->click();
    QVERIFY(restored.isEmpty());

    // The last line alone: that very sequence comes back, though the first
    // deleted one has its name too.
    ClickRow(list, list->model()->index(2, 0));
    restore->click();
    QCOMPARE(restored, (QStringList{"x"}));
    QCOMPARE(project->GetSequences()[1].get(), third);
    QCOMPARE(list->count(), 2);
    QVERIFY(list->item(0)->isSelected());

    // The other two: both conflict with the restored "x", and "kept" is
    // asked again.
    QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
    AnswerModal<CRenameSeqDialog>([&](CRenameSeqDialog* ask) {
        TypeNameAndEnter(*ask, "kept");
        AnswerModal<CRenameSeqDialog>([&](CRenameSeqDialog* again) {
            TypeNameAndEnter(*again, "y");
            AnswerModal<CRenameSeqDialog>([&](CRenameSeqDialog* last) { TypeNameAndEnter(*last, "z"); });
        });
    });
    restore->click();
    QCOMPARE(restored, (QStringList{"x", "y", "z"}));
    QCOMPARE(project->GetSequences()[2].get(), second);
    QCOMPARE(project->GetSequences()[3].get(), first);
    QCOMPARE(list->count(), 0);
}

QTEST_MAIN(SequenceDialogsTest)
#include "SequenceDialogsTest.moc"
