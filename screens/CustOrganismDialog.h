// "Quillion: Custom Organisms": the project's own organism names, kept in a
// list from which the user picks one, or types a new one, for the current
// sequence or for all of them.
#pragma once

#include <memory>

#include "screens/TableDialog.h"

namespace Ui {
class CustOrganismDialog;
}

namespace qln {

class CCustOrganismDialog : public CTableDialog {
    Q_OBJECT
public:
    // Edits a copy of the project's custom organism names.
    explicit CCustOrganismDialog(CScreenDocument& document, QWidget* parent = nullptr);
    ~CCustOrganismDialog() override;

    // The buttons. Insert asks first when the name is already listed;
    // Replace does not.
    void InsertName();
    void ReplaceName();
    // The project's list becomes the screen's.
    void HandOver() override;

    // What the caller takes on OK: the name in the field without its
    // leading blanks (may be empty), and the check box.
    QString Organism() const;
    bool ApplyToAll() const;
    const StringList& Names() const { return names_; }

protected:
    int RecordCount() const override { return static_cast<int>(names_.size()); }
    void InsertRecord(int index) override;
    void RemoveRecord(int index) override;
    void LoadFields(int index) override;
    QString RowText(int index) const override;
    StringList ValidateRecord(int, int) override { return {}; }
    bool KeyFieldFilled() const override;
    bool FieldsDiffer(int index) const override;
    void EmptyFields() override;
    QWidget* FirstField() const override;
    QString HelpPage() const override { return QStringLiteral("CustomOrganismHelp.md"); }
    bool BeforeOK() override;

private:
    std::string TypedName() const;

    std::unique_ptr<Ui::CustOrganismDialog> ui_;
    StringList names_;
};

}  // namespace qln
