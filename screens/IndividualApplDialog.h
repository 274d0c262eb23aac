// "Quillion: Individual Applicants": the project's individual applicants,
// a new one always added at the end of the list.
#pragma once

#include <memory>

#include "model/Applicant.h"
#include "screens/ApplicantFields.h"
#include "screens/TableDialog.h"

namespace Ui {
class IndividualApplDialog;
}

namespace qln {

class CIndividualApplDialog : public CRecordTableDialog<CIndivApplicant> {
    Q_OBJECT
public:
    // Edits copies of the document's individual applicants.
    explicit CIndividualApplDialog(CScreenDocument& document, QWidget* parent = nullptr);
    ~CIndividualApplDialog() override;

protected:
    Ptr<CIndivApplicant> BuildRecord() const override;
    void LoadRecord(const CIndivApplicant& record) override;
    QString RecordText(const CIndivApplicant& record) const override;
    bool DiffersFrom(const CIndivApplicant& record) const override;
    bool KeyFieldFilled() const override;
    void EmptyFields() override;
    QWidget* FirstField() const override;
    QString HelpPage() const override { return QStringLiteral("IndivAppHelp.md"); }

private:
    std::unique_ptr<Ui::IndividualApplDialog> ui_;
    std::unique_ptr<CApplicantFields> address_;
};

}  // namespace qln
