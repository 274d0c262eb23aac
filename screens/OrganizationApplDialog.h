// "Quillion: Organization Applicants": the project's organization applicants,
// a new one always added at the end of the list.
#pragma once

#include <memory>

#include "model/Applicant.h"
#include "screens/ApplicantFields.h"
#include "screens/TableDialog.h"

namespace Ui {
class OrganizationApplDialog;
}

namespace qln {

class COrganizationApplDialog : public CRecordTableDialog<COrgApplicant> {
    Q_OBJECT
public:
    // Edits copies of the document's organization applicants.
    explicit COrganizationApplDialog(CScreenDocument& document, QWidget* parent = nullptr);
    ~COrganizationApplDialog() override;

protected:
    Ptr<COrgApplicant> BuildRecord() const override;
    void LoadRecord(const COrgApplicant& record) override;
    QString RecordText(const COrgApplicant& record) const override;
    bool DiffersFrom(const COrgApplicant& record) const override;
    bool KeyFieldFilled() const override;
    void EmptyFields() override;
    QWidget* FirstField() const override;
    QString HelpPage() const override { return QStringLiteral("OrgAppHelp.md"); }

private:
    std::unique_ptr<Ui::OrganizationApplDialog> ui_;
    std::unique_ptr<CApplicantFields> address_;
};

}  // namespace qln
