// "Quillion: Theses": the theses the current sequence cites, each new one
// added at the end of the list.
#pragma once

#include <memory>

#include "model/Publication.h"
#include "screens/PublicationDialog.h"

namespace Ui {
class ThesisDialog;
}

namespace qln {

class CThesisDialog : public CPublicationDialog<CThesis> {
    Q_OBJECT
public:
    // Edits copies of the sequence's theses.
    CThesisDialog(CScreenDocument& document, CSequence& sequence, QWidget* parent = nullptr);
    ~CThesisDialog() override;

protected:
    Ptr<CThesis> BuildRecord() const override;
    void LoadRecord(const CThesis& record) override;
    QString RecordText(const CThesis& record) const override;
    QString HelpPage() const override { return QStringLiteral("ThesisHelp.md"); }

private:
    std::unique_ptr<Ui::ThesisDialog> ui_;
};

}  // namespace qln
