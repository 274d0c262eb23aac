// "Quillion: Journals": the journal articles the current sequence cites,
// each new one added at the end of the list.
#pragma once

#include <memory>

#include "model/Publication.h"
#include "screens/PublicationDialog.h"

namespace Ui {
class JournalDialog;
}

namespace qln {

class CJournalDialog : public CPublicationDialog<CJournal> {
    Q_OBJECT
public:
    // Edits copies of the sequence's journal articles.
    CJournalDialog(CScreenDocument& document, CSequence& sequence, QWidget* parent = nullptr);
    ~CJournalDialog() override;

protected:
    Ptr<CJournal> BuildRecord() const override;
    void LoadRecord(const CJournal& record) override;
    QString RecordText(const CJournal& record) const override;
    QString HelpPage() const override { return QStringLiteral("JournalHelp.md"); }

private:
    std::unique_ptr<Ui::JournalDialog> ui_;
};

}  // namespace qln
