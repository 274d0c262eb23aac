// "Quillion: Organism Selection": picks a name from the standard organism
// list. A plain list until the type-ahead selection replaces it.
#pragma once

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QListWidget;

namespace qln {

class COrganismListDialog : public QDialog {
    Q_OBJECT
public:
    explicit COrganismListDialog(const QStringList& names, QWidget* parent = nullptr);
    // Clears the choice and the check box before the dialog is shown again.
    void Clear();
    QString Organism() const;  // empty when nothing is chosen
    bool ApplyToAll() const;   // "&Apply to all Sequences in the Project"

    // The names of "strain.txt", one a line, read once per run; empty with
    // found false when the file is missing.
    static const QStringList& StandardNames(bool* found = nullptr);

private:
    QListWidget* list_;
    QCheckBox* applyToAll_;
};

}  // namespace qln
