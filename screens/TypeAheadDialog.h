// "Quillion: Organism Selection": the standard organism names, found by
// typing their first letters. One modeless instance is made by the main view
// and shown again for each choice.
#pragma once

#include <QDialog>
#include <memory>

#include "screens/TypeAheadList.h"

namespace Ui {
class TypeAheadDialog;
}

namespace qln {

class CTypeAheadDialog : public QDialog {
    Q_OBJECT
public:
    explicit CTypeAheadDialog(const QStringList& names, QWidget* parent = nullptr);
    ~CTypeAheadDialog() override;

    // The names of "strain.txt", read once per run; empty with found false
    // when the file is missing.
    static const QStringList& StandardNames(bool* found = nullptr);

    // Empties the typed letters, the selection and the check box, and
    // forgets the last answer.
    void Clear();
    // Clears, shows the dialog without blocking other windows and returns
    // once the user pressed OK or Cancel: true for OK. The program quitting
    // meanwhile counts as Cancel.
    bool Choose();

    bool IsAccepted() const { return accepted_; }
    bool IsCancelled() const { return cancelled_; }
    // The name selected when OK was pressed; empty when none was.
    QString ChosenName() const { return chosen_; }
    bool ApplyToAll() const;

    // OK and Cancel hide the dialog; it is reused.
    void accept() override;
    void reject() override;

private:
    void OnTyped(const QString& text);

    std::unique_ptr<Ui::TypeAheadDialog> ui_;
    CTypeAheadList names_;
    QString chosen_;
    bool accepted_ = false;
    bool cancelled_ = false;
};

}  // namespace qln
