// The grid screens: an editing area with one field per attribute of a
// record, a grid listing the records with a numbered row each, and Insert,
// Replace, Delete and Clear. CTableDialog runs the grid and the row
// mechanics on top of CTableRows; CRecordTableDialog<T> adds the working
// list of one record type, so that a screen supplies only the conversions
// between its fields and a record.
#pragma once

#include <QString>
#include <QStringList>

#include "screens/ScreenDialog.h"
#include "screens/TableRows.h"

class QTableWidget;

namespace qln {

class CTableDialog : public CScreenDialog {
    Q_OBJECT
public:
    ~CTableDialog() override;

    // The buttons' actions.
    void Insert();
    void Replace();
    void Delete();
    void Clear();

    const CTableRows& Rows() const { return rows_; }
    QTableWidget* Grid() const { return grid_; }
    // Row i's text as the grid shows it: the number, a tab and the columns.
    QString GridRowText(int row) const;

    // The grid's header from a format string: titles separated by "|", each
    // padded with blanks to the width its column gets.
    static QStringList HeaderTitles(const QString& format);

protected:
    CTableDialog(CScreenDocument& document, CInsertPlace place, QWidget* parent);

    // Called by the screen's constructor once its form is set up: finds the
    // grid and buttons by name (grid, insertButton, replaceButton,
    // deleteButton, clearButton, and those of CScreenDialog), sets the
    // header, lists the records and shows the first one in the fields.
    void SetUpTable(const QString& headerFormat, const QString& captionName);

    // What each screen supplies: the records by list index.
    virtual int RecordCount() const = 0;
    // Builds a record from the fields and puts it into the list at index.
    virtual void InsertRecord(int index) = 0;
    virtual void RemoveRecord(int index) = 0;
    virtual void LoadFields(int index) = 0;
    // The summary columns of the row, separated by tabs (the number is added).
    virtual QString RowText(int index) const = 0;
    virtual StringList ValidateRecord(int index, int row) = 0;
    // Pending input: the key field (with no current row), or any compared
    // field differing from the record at index (with one).
    virtual bool KeyFieldFilled() const = 0;
    virtual bool FieldsDiffer(int index) const = 0;
    // Empties the fields for Clear (dates to "____-__-__").
    virtual void EmptyFields() = 0;

    // Hooks with the usual behaviour.
    // True when OK must insert the fields first.
    virtual bool HasPendingInput() const;
    // After Delete (not during Replace): the fields show the new current row.
    virtual void AfterDelete();

    StringList CollectMessages() override;
    bool BeforeOK() override;
    void OnEnter(QWidget* focus) override;

    CTableRows& MutableRows() { return rows_; }

private:
    void OnRowSelected(int row);
    void FillGridRow(int index);
    void Renumber();
    // Makes grid row `row` current without reloading the fields; 0 selects none.
    void SelectGridRow(int row);
    void RemoveIndex(int index);
    void RowsChanged();

    CTableRows rows_;
    QTableWidget* grid_ = nullptr;
    int columns_ = 0;
};

// A grid screen over a list of T owned by the project or a sequence: it
// edits deep copies and hands copies back.
template <class T>
class CRecordTableDialog : public CTableDialog {
public:
    // The working list now, as copies.
    CArray<Ptr<T>> Records() const { return records_.Copies(); }
    void HandOver() override { owner_ = records_.Copies(); }

protected:
    CRecordTableDialog(CScreenDocument& document, CArray<Ptr<T>>& owner, CInsertPlace place, QWidget* parent)
        : CTableDialog(document, place, parent), owner_(owner), records_(owner)
    {
    }

    // The screen's typed side.
    virtual Ptr<T> BuildRecord() const = 0;
    virtual void LoadRecord(const T& record) = 0;
    virtual QString RecordText(const T& record) const = 0;
    virtual bool DiffersFrom(const T& record) const = 0;

    int RecordCount() const override { return records_.Count(); }
    void InsertRecord(int index) override { records_.InsertAt(index, BuildRecord()); }
    void RemoveRecord(int index) override { records_.RemoveAt(index); }
    void LoadFields(int index) override { LoadRecord(records_.At(index)); }
    QString RowText(int index) const override { return RecordText(records_.At(index)); }
    StringList ValidateRecord(int index, int row) override { return records_.At(index).Validate(row); }
    bool FieldsDiffer(int index) const override { return DiffersFrom(records_.At(index)); }

    const CWorkingList<T>& WorkingList() const { return records_; }

private:
    CArray<Ptr<T>>& owner_;
    CWorkingList<T> records_;
};

}  // namespace qln
