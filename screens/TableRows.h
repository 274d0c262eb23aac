// The bookkeeping of a grid screen, kept apart from its widgets: which row is
// current, where a new record goes, what Delete leaves selected, when typed
// fields count as input still to be inserted; and the screen's working list
// of deep copies.
#pragma once

#include <concepts>

#include "model/Model.h"

namespace qln {

// Where a screen puts a record built from its fields.
enum class CInsertPlace {
    AfterCurrentRow,  // at the current row's index: just after that record, first when none is current
    AtEnd,
};

// Grid rows are numbered from 1 and show list element row - 1; row 0 means
// that no row is current.
class CTableRows {
public:
    explicit CTableRows(CInsertPlace place) : place_(place) {}

    CInsertPlace Place() const { return place_; }
    int Count() const { return count_; }
    int CurrentRow() const { return current_; }
    // The list index of the current row, -1 when none.
    int CurrentIndex() const { return current_ - 1; }

    // A screen opened on count records starts on the first one.
    void Open(int count);

    // The user selected a grid row. Returns the list index whose record the
    // fields should now show, or -1 (while the screen moves the selection
    // itself, or for a row outside the list).
    int Select(int row);

    // Where a record built from the fields goes; Inserted() is called once it
    // is in the list and makes its row current, so that the fields and the
    // current row agree again.
    int InsertIndex() const;
    void Inserted(int index);

    // Deletes the current row: returns the list index to remove, or -1 when
    // no row is current (nothing happens then). The new current row is the
    // one above, or the new first row, or none.
    int Delete();

    // Replace is a Delete followed by an Insert at the deleted row's place
    // (or at the end, per screen). BeginReplace does the Delete part and
    // returns the index to remove, or -1 when no row is current, in which
    // case the screen does nothing; EndReplace ends it after the Insert.
    int BeginReplace();
    void EndReplace();
    bool Replacing() const { return replacing_; }

    // After a Delete the fields show the new current row, or still the
    // deleted record when none is left: either way they hold nothing to
    // insert. Loading a row, clearing or editing the fields ends that.
    bool FieldsHoldDeletedRow() const { return fieldsHoldDeletedRow_; }
    void FieldsChanged() { fieldsHoldDeletedRow_ = false; }

    // Whether OK must insert the fields first: with no current row when the
    // screen's key field is filled, with a current row when a compared field
    // differs from its record; never while the fields hold a deleted row.
    bool HasPendingInput(bool keyFieldFilled, bool differsFromCurrentRecord) const;

    // Set while the screen moves the grid's current row itself, so that the
    // grid's selection event does not reload the fields.
    bool Suppressed() const { return suppress_ > 0; }
    class Suppress {
    public:
        explicit Suppress(CTableRows& rows) : rows_(rows) { ++rows_.suppress_; }
        ~Suppress() { --rows_.suppress_; }
        Suppress(const Suppress&) = delete;
        Suppress& operator=(const Suppress&) = delete;

    private:
        CTableRows& rows_;
    };

private:
    CInsertPlace place_;
    int count_ = 0;
    int current_ = 0;
    int suppress_ = 0;
    bool replacing_ = false;
    bool fieldsHoldDeletedRow_ = false;
};

// A record's deep copy: through its Clone() where the list holds several
// kinds of record (features), else through its copy constructor.
template <class T>
Ptr<T> DeepCopy(const T& record)
{
    if constexpr (requires {
                      {
                          record.Clone()
                          } -> std::convertible_to<Ptr<T>>;
                  })
        return record.Clone();
    else
        return MakePtr<T>(record);
}

template <class T>
CArray<Ptr<T>> DeepCopies(const CArray<Ptr<T>>& records)
{
    CArray<Ptr<T>> copies;
    copies.Reserve(records.GetSize());
    for (const Ptr<T>& record : records) copies.Add(DeepCopy(*record));
    return copies;
}

// The records a screen edits: its own copies, so that the project changes
// only when the screen hands them over, and hands over copies again, so that
// later edits on the screen do not reach the project behind its back.
template <class T>
class CWorkingList {
public:
    CWorkingList() = default;
    explicit CWorkingList(const CArray<Ptr<T>>& source) : records_(DeepCopies(source)) {}

    int Count() const { return records_.GetSize(); }
    T& At(int index) const { return *records_[index]; }
    void InsertAt(int index, Ptr<T> record) { records_.InsertAt(index, std::move(record)); }
    void RemoveAt(int index) { records_.RemoveAt(index); }
    CArray<Ptr<T>> Copies() const { return DeepCopies(records_); }

private:
    CArray<Ptr<T>> records_;
};

}  // namespace qln
