// "Quillion: Custom Codons": the codons that the translation of the current
// nucleotide sequence accepts besides the standard code, each standing for
// one of 23 amino acids.
#pragma once

#include <memory>
#include <vector>

#include "screens/CustCodonRules.h"
#include "screens/TableDialog.h"

namespace Ui {
class CustCodonDialog;
}

namespace qln {

class CBaseSequence;

class CCustCodonDialog : public CTableDialog {
    Q_OBJECT
public:
    // What Escape closes the screen with: neither OK nor Cancel, and the
    // table stays as it was.
    static constexpr int kEscaped = 2;

    // Edits a copy of the sequence's custom codon table.
    CCustCodonDialog(CScreenDocument& document, CBaseSequence& sequence, QWidget* parent = nullptr);
    ~CCustCodonDialog() override;

    // The buttons: each checks the codon first.
    void InsertCodon();
    void ReplaceCodon();
    // Inserts a codon still in the field, then closes.
    void accept() override;
    // The sequence's table becomes the screen's.
    void HandOver() override;

    // The working table in grid order.
    const std::vector<CCustomCodon>& Codons() const { return codons_; }
    // The text beside the codon field.
    QString CodonMessage() const;

protected:
    int RecordCount() const override { return static_cast<int>(codons_.size()); }
    void InsertRecord(int index) override;
    void RemoveRecord(int index) override;
    void LoadFields(int index) override;
    QString RowText(int index) const override;
    StringList ValidateRecord(int, int) override { return {}; }
    bool KeyFieldFilled() const override;
    bool FieldsDiffer(int index) const override;
    void EmptyFields() override;
    QWidget* FirstField() const override;
    QString HelpPage() const override { return QStringLiteral("CustomCodonHelp.md"); }
    void AfterDelete() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The codon check with its messages; the entry at ignoredIndex does not
    // count as a duplicate.
    bool CheckCodon(int ignoredIndex);
    void ShowCheckMessage(const CCustCodonRules::Check& check);
    void OnAminoAcidChosen();
    QString SelectedAminoAcid() const;

    std::unique_ptr<Ui::CustCodonDialog> ui_;
    CBaseSequence& sequence_;
    std::vector<CCustomCodon> codons_;
    std::string checked_;  // the codon InsertRecord adds
};

}  // namespace qln
