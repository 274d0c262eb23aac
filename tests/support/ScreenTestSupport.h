// What the tests of the data-entry screens do to them as a user would:
// clicks on buttons and grid rows, text typed into fields, and what the
// screen then shows.
#pragma once

#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>
#include <QStringList>
#include <QTableWidget>
#include <QtTest>

#include "widgets/ErrorMsgDialog.h"
#include "screens/TableDialog.h"

namespace qln::test {

// Clicks the push button or check box of that name.
inline void Click(QWidget& screen, const char* button) {
    auto* target = screen.findChild<QAbstractButton*>(button);
    QVERIFY2(target, button);
    QTest::mouseClick(target, Qt::LeftButton);
}

// Replaces the field's text by keys. The cursor goes to the start, as an
// emptied date field keeps its mask.
inline void Retype(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    field->setCursorPosition(0);
    QTest::keyClicks(field, text);
}

inline void Type(QWidget& screen, const char* field, const QString& text) {
    auto* edit = screen.findChild<QLineEdit*>(field);
    QVERIFY2(edit, field);
    Retype(edit, text);
}

// The field's text as shown, a date field's mask included.
inline QString Field(QWidget& screen, const char* field) { return screen.findChild<QLineEdit*>(field)->displayText(); }

inline QStringList RowTexts(const CTableDialog& screen) {
    QStringList rows;
    for (int row = 1; row <= screen.Grid()->rowCount(); ++row) rows << screen.GridRowText(row);
    return rows;
}

// Clicks a grid row, counted from 1.
inline void ClickRow(const CTableDialog& screen, int row) {
    QTableWidget* grid = screen.Grid();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(row - 1, 1)).center());
}

// The Validation Errors window's text while it shows.
inline QString ErrorsText(const CScreenDialog& screen) {
    return screen.ErrorsDialog() && screen.ErrorsDialog()->isVisible() ? screen.ErrorsDialog()->Text() : QString();
}

// Closes a screen that a failed check left open, so that the test goes on.
struct CloseAtEnd {
    QDialog* screen;
    ~CloseAtEnd() {
        if (screen->isVisible()) screen->reject();
    }
};

}  // namespace qln::test
