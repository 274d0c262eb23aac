#pragma once

#include <QDialog>

#include "model/Model.h"
#include "model/Sequence.h"

class QTableWidget;

namespace qln {

// "Quillion: Reorder Sequences": moves a block of List A after a row of
// List B, as often as the user likes; OK hands back the new order.
class CReorderSeqDialog : public QDialog {
    Q_OBJECT
public:
    CReorderSeqDialog(const CArray<Ptr<CSequence>>& sequences, QWidget* parent = nullptr);
    const CArray<Ptr<CSequence>>& NewOrder() const;

private:
    // Moves List A's selected rows after List B's selected row.
    void Reorder();
    void FillGrids();

    // What both grids show, which is also the order OK hands back.
    CArray<Ptr<CSequence>> order_;
    QTableWidget* listA_ = nullptr;
    QTableWidget* listB_ = nullptr;
};

}  // namespace qln
