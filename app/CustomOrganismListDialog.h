// "Quillion: Custom Organisms": the project's own organism names, from which
// the user picks one or types a new one. A plain list until the custom
// organisms screen replaces it.
#pragma once

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QLineEdit;
class QListWidget;

namespace qln {

class CCustomOrganismListDialog : public QDialog {
    Q_OBJECT
public:
    explicit CCustomOrganismListDialog(const QStringList& names, QWidget* parent = nullptr);
    // The name in the edit field, leading blanks removed; may be empty.
    QString Organism() const;
    // The working list, with a typed name that was not in it appended.
    QStringList Names() const;
    bool ApplyToAll() const;  // "&Apply to all Sequences in the Project"

private:
    void Insert();

    QLineEdit* name_;
    QListWidget* list_;
    QCheckBox* applyToAll_;
};

}  // namespace qln
