#include "app/st26/St26ExportDialog.h"

#include <QComboBox>
#include <QHeaderView>
#include <QMessageBox>
#include <QTableWidget>

#include "widgets/Latin1Text.h"
#include "app/st26/St26ExportForm.h"
#include "ui_St26ExportDialog.h"

namespace qln {

namespace {

enum Column { kSeqId, kName, kType, kOrganism, kMolType };

QTableWidgetItem* Cell(const QString& text, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment);
    return item;
}

}  // namespace

CSt26ExportDialog::CSt26ExportDialog(CSt26ExportForm& form, const QString& filesNote, QWidget* parent)
    : QDialog(parent), form_(form), ui_(std::make_unique<Ui::St26ExportDialog>())
{
    ui_->setupUi(this);
    ui_->language->setText(form_.Language());
    ui_->officeCode->setText(form_.OfficeCode());
    ui_->files->setText(filesNote);
    ui_->files->setVisible(!filesNote.isEmpty());
    connect(ui_->language, &QLineEdit::textChanged, this, [this](const QString& text) { form_.SetLanguage(text); });
    connect(ui_->officeCode, &QLineEdit::textChanged, this, [this](const QString& text) { form_.SetOfficeCode(text); });
    FillRows();
}

CSt26ExportDialog::~CSt26ExportDialog() = default;

void CSt26ExportDialog::FillRows()
{
    QTableWidget* table = ui_->sequences;
    const auto& rows = form_.Rows();
    table->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < table->rowCount(); ++r) {
        const CSt26ExportForm::Row& row = rows[static_cast<size_t>(r)];
        const CSt26SequenceRow& sequence = row.sequence;
        table->setItem(r, kSeqId, Cell(QString::number(sequence.seqId), Qt::AlignRight | Qt::AlignVCenter));
        table->setItem(r, kName, Cell(ToQt(sequence.name)));
        table->setItem(r, kType, Cell(ToQt(sequence.type)));
        table->setItem(r, kOrganism, Cell(ToQt(sequence.organism)));
        if (!row.HasMolType()) {
            // Written as an entry without data: nothing to pick.
            QTableWidgetItem* none = Cell(tr("skipped, no data"));
            none->setForeground(palette().brush(QPalette::Disabled, QPalette::Text));
            table->setItem(r, kMolType, none);
            continue;
        }
        auto* box = new QComboBox(table);
        box->setObjectName(QStringLiteral("molType%1").arg(r));
        for (const std::string& molType : row.molTypes) box->addItem(ToQt(molType));
        box->setCurrentText(ToQt(sequence.molType));
        if (!row.chosen) box->setToolTip(tr("Default: the report asks you to confirm it"));
        const size_t index = static_cast<size_t>(r);
        connect(box, &QComboBox::activated, this,
                [this, box, index] { form_.SetMolType(index, FromQt(box->currentText())); });
        table->setCellWidget(r, kMolType, box);
    }
    table->resizeColumnsToContents();
    // Rows of one height, those without a choice too.
    table->resizeRowsToContents();
    int height = 0;
    for (int r = 0; r < table->rowCount(); ++r) height = qMax(height, table->rowHeight(r));
    if (height > 0) table->verticalHeader()->setDefaultSectionSize(height);
    for (int r = 0; r < table->rowCount(); ++r) table->setRowHeight(r, height);
    // A little air between the columns, and wide enough for all of them
    // without scrolling sideways, as far as the screen allows.
    int width = table->frameWidth() * 2 + 4;
    for (int c = 0; c < table->columnCount(); ++c) {
        table->setColumnWidth(c, table->columnWidth(c) + 12);
        width += table->columnWidth(c);
    }
    table->setMinimumWidth(qBound(table->minimumWidth(), width, 900));
}

QComboBox* CSt26ExportDialog::MolTypeBox(int row) const
{
    return qobject_cast<QComboBox*>(ui_->sequences->cellWidget(row, kMolType));
}

void CSt26ExportDialog::accept()
{
    const CSt26ExportForm::Problem problem = form_.Check();
    using Field = CSt26ExportForm::Field;
    if (problem.field == Field::None) {
        QDialog::accept();
        return;
    }
    QMessageBox::warning(this, windowTitle(), problem.text);
    switch (problem.field) {
    case Field::Language:
        ui_->language->setFocus();
        ui_->language->selectAll();
        break;
    case Field::OfficeCode:
        ui_->officeCode->setFocus();
        ui_->officeCode->selectAll();
        break;
    case Field::MolType:
        if (QComboBox* box = MolTypeBox(static_cast<int>(problem.row))) box->setFocus();
        break;
    case Field::None: break;
    }
}

}  // namespace qln
