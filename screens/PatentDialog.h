// "Quillion: Patents": the patent documents the current sequence cites,
// each new one added at the end of the list.
#pragma once

#include <memory>

#include "model/Publication.h"
#include "screens/PublicationDialog.h"

namespace Ui {
class PatentDialog;
}

namespace qln {

class CPatentDialog : public CPublicationDialog<CPatent> {
    Q_OBJECT
public:
    // Edits copies of the sequence's patent documents.
    CPatentDialog(CScreenDocument& document, CSequence& sequence, QWidget* parent = nullptr);
    ~CPatentDialog() override;

protected:
    Ptr<CPatent> BuildRecord() const override;
    void LoadRecord(const CPatent& record) override;
    QString RecordText(const CPatent& record) const override;
    QString HelpPage() const override { return QStringLiteral("PatentHelp.md"); }

private:
    std::unique_ptr<Ui::PatentDialog> ui_;
};

}  // namespace qln
