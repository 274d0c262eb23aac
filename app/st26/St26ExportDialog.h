// "Export ST.26 XML": one row per sequence with its SEQ ID number, name,
// type, organism as exported and a mol_type to pick, then the filing
// language and the office code. OK goes on only when the form finds nothing
// wrong; the form keeps what the user picked.
#pragma once

#include <QDialog>
#include <memory>

class QComboBox;

namespace Ui {
class St26ExportDialog;
}

namespace qln {

class CSt26ExportForm;

class CSt26ExportDialog : public QDialog {
    Q_OBJECT
public:
    // filesNote: which files OK writes, shown under the fields.
    CSt26ExportDialog(CSt26ExportForm& form, const QString& filesNote, QWidget* parent = nullptr);
    ~CSt26ExportDialog() override;

    // The mol_type choice of a row (0-based); null for a skipped sequence.
    QComboBox* MolTypeBox(int row) const;

public slots:
    // Refuses with a message naming the field the form finds wrong.
    void accept() override;

private:
    void FillRows();

    CSt26ExportForm& form_;
    std::unique_ptr<Ui::St26ExportDialog> ui_;
};

}  // namespace qln
