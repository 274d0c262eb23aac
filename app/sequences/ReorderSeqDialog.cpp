#include "app/sequences/ReorderSeqDialog.h"

#include <algorithm>

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

#include "widgets/Help.h"
#include "widgets/Latin1Text.h"
#include "app/sequences/ReorderRule.h"
#include "widgets/WaitCursor.h"
#include "ui_ReorderSeqDialog.h"

namespace qln {

namespace {

void FillGrid(QTableWidget* grid, const CArray<Ptr<CSequence>>& order)
{
    grid->setUpdatesEnabled(false);
    grid->clearSelection();
    grid->setRowCount(order.GetSize());
    for (int row = 0; row < order.GetSize(); ++row) {
        auto* number = new QTableWidgetItem(QString::number(row + 1));
        number->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->setItem(row, 0, number);
        grid->setItem(row, 1, new QTableWidgetItem(ToQt(order[row]->GetName())));
    }
    grid->setUpdatesEnabled(true);
}

}  // namespace

CReorderSeqDialog::CReorderSeqDialog(const CArray<Ptr<CSequence>>& sequences, QWidget* parent)
    : QDialog(parent), order_(sequences)
{
    Ui::ReorderSeqDialog ui;
    ui.setupUi(this);
    listA_ = ui.listA;
    listB_ = ui.listB;
    for (QTableWidget* grid : {listA_, listB_}) {
        grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
        grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    }
    connect(ui.reorder, &QPushButton::clicked, this, &CReorderSeqDialog::Reorder);
    FillGrids();
    InstallHelpKey(this, QStringLiteral("SequenceHelp.md"));
}

const CArray<Ptr<CSequence>>& CReorderSeqDialog::NewOrder() const
{
    return order_;
}

void CReorderSeqDialog::FillGrids()
{
    CWaitCursor wait;
    FillGrid(listA_, order_);
    FillGrid(listB_, order_);
}

void CReorderSeqDialog::Reorder()
{
    const QList<QTableWidgetSelectionRange> ranges = listA_->selectedRanges();
    const QModelIndexList after = listB_->selectionModel()->selectedRows();
    if (ranges.isEmpty() || after.isEmpty()) return;
    int first = ranges.front().topRow();
    int last = ranges.front().bottomRow();
    for (const QTableWidgetSelectionRange& range : ranges) {
        first = std::min(first, range.topRow());
        last = std::max(last, range.bottomRow());
    }
    // The grids number their rows from 1, as the rule does.
    const std::vector<int> rows = ReorderRows(order_.GetSize(), first + 1, last + 1, after.front().row() + 1);
    if (rows.empty()) return;

    CArray<Ptr<CSequence>> reordered;
    reordered.Reserve(order_.GetSize());
    for (int row : rows) reordered.Add(order_[row - 1]);
    order_ = std::move(reordered);
    FillGrids();

    // Show the moved rows where they went, ready for another move.
    const int top = ReorderInsertionIndex(first + 1, last + 1, after.front().row() + 1);
    listA_->setCurrentCell(top, 1, QItemSelectionModel::NoUpdate);
    listA_->setRangeSelected(QTableWidgetSelectionRange(top, 0, top + last - first, 1), true);
    listA_->scrollToItem(listA_->item(top, 1));
}

}  // namespace qln
