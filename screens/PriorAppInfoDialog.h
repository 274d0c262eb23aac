// "Quillion: Prior Application Information": the project's prior
// applications, a number and a filing date each.
#pragma once

#include <memory>

#include "model/Applicant.h"
#include "screens/TableDialog.h"

namespace Ui {
class PriorAppInfoDialog;
}

namespace qln {

class CPriorAppInfoDialog : public CRecordTableDialog<CEarlierApplication> {
    Q_OBJECT
public:
    // Edits copies of the document's prior applications.
    explicit CPriorAppInfoDialog(CScreenDocument& document, QWidget* parent = nullptr);
    ~CPriorAppInfoDialog() override;

protected:
    Ptr<CEarlierApplication> BuildRecord() const override;
    void LoadRecord(const CEarlierApplication& record) override;
    QString RecordText(const CEarlierApplication& record) const override;
    bool DiffersFrom(const CEarlierApplication& record) const override;
    bool KeyFieldFilled() const override;
    void EmptyFields() override;
    QWidget* FirstField() const override;
    QString HelpPage() const override { return QStringLiteral("PriorAppHelp.md"); }

private:
    std::unique_ptr<Ui::PriorAppInfoDialog> ui_;
};

}  // namespace qln
