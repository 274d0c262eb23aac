#include "screens/TableRows.h"

namespace qln {

void CTableRows::Open(int count)
{
    count_ = count;
    current_ = count > 0 ? 1 : 0;
    replacing_ = false;
    fieldsHoldDeletedRow_ = false;
}

int CTableRows::Select(int row)
{
    if (Suppressed()) return -1;
    current_ = row;
    if (row < 1 || row > count_) return -1;
    fieldsHoldDeletedRow_ = false;
    return row - 1;
}

int CTableRows::InsertIndex() const
{
    return place_ == CInsertPlace::AtEnd ? count_ : current_;
}

void CTableRows::Inserted(int index)
{
    ++count_;
    current_ = index + 1;
    fieldsHoldDeletedRow_ = false;
}

int CTableRows::Delete()
{
    const int row = current_;
    if (row < 1 || row > count_) return -1;
    --count_;
    if (row >= 2)
        current_ = row - 1;
    else
        current_ = count_ > 0 ? 1 : 0;
    if (!replacing_) fieldsHoldDeletedRow_ = true;
    return row - 1;
}

int CTableRows::BeginReplace()
{
    const int row = current_;
    if (row < 1 || row > count_) return -1;
    replacing_ = true;
    const int index = Delete();
    // The Insert that follows goes where the replaced record was.
    current_ = row - 1;
    return index;
}

void CTableRows::EndReplace()
{
    replacing_ = false;
    fieldsHoldDeletedRow_ = false;
}

bool CTableRows::HasPendingInput(bool keyFieldFilled, bool differsFromCurrentRecord) const
{
    if (fieldsHoldDeletedRow_) return false;
    if (current_ < 1 || current_ > count_) return keyFieldFilled;
    return differsFromCurrentRecord;
}

}  // namespace qln
