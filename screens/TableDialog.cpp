#include "screens/TableDialog.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>

#include "screens/ScreenDocument.h"

namespace qln {

CTableDialog::CTableDialog(CScreenDocument& document, CInsertPlace place, QWidget* parent)
    : CScreenDialog(document, parent), rows_(place)
{
}

CTableDialog::~CTableDialog() = default;

QStringList CTableDialog::HeaderTitles(const QString& format)
{
    return format.split(QLatin1Char('|'));
}

void CTableDialog::SetUpTable(const QString& headerFormat, const QString& captionName)
{
    AttachCommonControls(captionName);
    grid_ = findChild<QTableWidget*>(QStringLiteral("grid"));
    Q_ASSERT(grid_);

    // A read-only list of whole rows with the number in a first column of
    // its own; Tab leaves the grid, the arrow keys move through it.
    const QStringList padded = HeaderTitles(headerFormat);
    columns_ = static_cast<int>(padded.size());
    grid_->setColumnCount(columns_);
    QStringList titles;
    for (const QString& title : padded) titles << title.trimmed();
    grid_->setHorizontalHeaderLabels(titles);
    const QFontMetrics metrics(grid_->horizontalHeader()->font());
    for (int column = 0; column < columns_; ++column)
        grid_->setColumnWidth(column, metrics.horizontalAdvance(padded[column]) + 16);
    grid_->horizontalHeader()->setStretchLastSection(true);
    // Wide enough for its columns beside a vertical scroll bar: the grid
    // never scrolls sideways.
    int columnsWidth = 0;
    for (int column = 0; column < columns_; ++column) columnsWidth += grid_->columnWidth(column);
    grid_->setMinimumWidth(qMax(grid_->minimumWidth(), columnsWidth + grid_->verticalScrollBar()->sizeHint().width() +
                                                           2 * grid_->frameWidth()));
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->horizontalHeader()->setHighlightSections(false);
    grid_->verticalHeader()->hide();
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setTabKeyNavigation(false);
    grid_->setWordWrap(false);

    {
        CTableRows::Suppress quiet(rows_);
        grid_->setRowCount(0);
        for (int index = 0; index < RecordCount(); ++index) {
            grid_->insertRow(index);
            FillGridRow(index);
        }
        Renumber();
    }
    rows_.Open(RecordCount());
    SelectGridRow(rows_.CurrentRow());
    if (rows_.CurrentRow() > 0) LoadFields(rows_.CurrentIndex());

    connect(grid_, &QTableWidget::currentCellChanged, this, [this](int row, int, int previousRow, int) {
        if (row != previousRow) OnRowSelected(row + 1);
    });
    // A click on the current row shows its record again.
    connect(grid_, &QTableWidget::cellClicked, this, [this](int row, int) { OnRowSelected(row + 1); });

    auto connectButton = [this](const char* name, void (CTableDialog::*action)()) {
        if (auto* button = findChild<QPushButton*>(QLatin1String(name)))
            connect(button, &QPushButton::clicked, this, action);
    };
    connectButton("insertButton", &CTableDialog::Insert);
    connectButton("replaceButton", &CTableDialog::Replace);
    connectButton("deleteButton", &CTableDialog::Delete);
    connectButton("clearButton", &CTableDialog::Clear);

    // Typing into a field makes it input again after a Delete.
    for (QLineEdit* field : findChildren<QLineEdit*>())
        connect(field, &QLineEdit::textEdited, this, [this] { rows_.FieldsChanged(); });
    FocusField(FirstField());
}

void CTableDialog::Insert()
{
    const int index = rows_.InsertIndex();
    InsertRecord(index);
    {
        CTableRows::Suppress quiet(rows_);
        grid_->insertRow(index);
        FillGridRow(index);
        Renumber();
        rows_.Inserted(index);
    }
    SelectGridRow(rows_.CurrentRow());
    RowsChanged();
    FocusField(FirstField());
}

void CTableDialog::Replace()
{
    const int index = rows_.BeginReplace();
    if (index < 0) return;
    // The fields keep what the user typed: that is the replacement.
    RemoveIndex(index);
    Insert();
    rows_.EndReplace();
}

void CTableDialog::Delete()
{
    const int index = rows_.Delete();
    if (index < 0) return;
    RemoveIndex(index);
    SelectGridRow(rows_.CurrentRow());
    RowsChanged();
    AfterDelete();
}

void CTableDialog::Clear()
{
    EmptyFields();
    rows_.FieldsChanged();
    FocusField(FirstField());
}

void CTableDialog::AfterDelete()
{
    if (rows_.CurrentRow() > 0) LoadFields(rows_.CurrentIndex());
}

bool CTableDialog::HasPendingInput() const
{
    const int index = rows_.CurrentIndex();
    const bool differs = index >= 0 && index < RecordCount() && FieldsDiffer(index);
    return rows_.HasPendingInput(KeyFieldFilled(), differs);
}

bool CTableDialog::BeforeOK()
{
    if (HasPendingInput()) Insert();
    return true;
}

StringList CTableDialog::CollectMessages()
{
    StringList messages;
    for (int index = 0; index < RecordCount(); ++index) {
        const StringList row = ValidateRecord(index, index + 1);
        messages.insert(messages.end(), row.begin(), row.end());
    }
    return messages;
}

// Enter on the grid takes the user to the fields of the row it shows.
void CTableDialog::OnEnter(QWidget* focus)
{
    if (focus == grid_ && FirstField())
        FirstField()->setFocus();
    else
        CScreenDialog::OnEnter(focus);
}

QString CTableDialog::GridRowText(int row) const
{
    QStringList cells;
    for (int column = 0; column < columns_; ++column) {
        const QTableWidgetItem* item = grid_->item(row - 1, column);
        cells << (item ? item->text() : QString());
    }
    return cells.join(QLatin1Char('\t'));
}

void CTableDialog::OnRowSelected(int row)
{
    const int index = rows_.Select(row);
    if (index >= 0) LoadFields(index);
}

void CTableDialog::FillGridRow(int index)
{
    const QStringList cells = RowText(index).split(QLatin1Char('\t'));
    auto* number = new QTableWidgetItem;
    number->setTextAlignment(Qt::AlignCenter);
    number->setBackground(palette().button());
    grid_->setItem(index, 0, number);
    for (int column = 1; column < columns_; ++column)
        grid_->setItem(index, column, new QTableWidgetItem(cells.value(column - 1)));
}

void CTableDialog::Renumber()
{
    for (int row = 0; row < grid_->rowCount(); ++row)
        if (QTableWidgetItem* number = grid_->item(row, 0)) number->setText(QString::number(row + 1));
}

void CTableDialog::SelectGridRow(int row)
{
    CTableRows::Suppress quiet(rows_);
    if (row > 0 && row <= grid_->rowCount()) {
        grid_->setCurrentCell(row - 1, 0);
        grid_->scrollToItem(grid_->item(row - 1, 0));
    } else {
        grid_->setCurrentCell(-1, -1);
        grid_->clearSelection();
    }
}

void CTableDialog::RemoveIndex(int index)
{
    CTableRows::Suppress quiet(rows_);
    RemoveRecord(index);
    grid_->removeRow(index);
    Renumber();
}

void CTableDialog::RowsChanged()
{
    Document().SetModified();
    SetStatusLine({});
}

}  // namespace qln
