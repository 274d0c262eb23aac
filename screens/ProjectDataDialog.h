// "Quillion: Project Data": title of invention, current application number
// and filing date, application file reference. One record, no grid.
#pragma once

#include <memory>

#include "model/Project.h"
#include "screens/ScreenDialog.h"

namespace Ui {
class ProjectDataDialog;
}

namespace qln {

class CProjectDataDialog : public CScreenDialog {
    Q_OBJECT
public:
    // Edits a copy of the document's project data, read afresh each time a
    // screen is made.
    explicit CProjectDataDialog(CScreenDocument& document, QWidget* parent = nullptr);
    ~CProjectDataDialog() override;

    // Replaces the project's record by a copy and marks the document modified.
    void HandOver() override;
    const CProjectData& Record() const { return *record_; }

protected:
    QString HelpPage() const override { return QStringLiteral("ProjDataHelp.md"); }
    QWidget* FirstField() const override;
    StringList CollectMessages() override;
    void StoreFields() override;

private:
    std::unique_ptr<Ui::ProjectDataDialog> ui_;
    Ptr<CProjectData> record_;
};

}  // namespace qln
