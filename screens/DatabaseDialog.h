// "Quillion: Databases": the database entries the current sequence cites;
// a new one goes just after the selected row.
#pragma once

#include <memory>

#include "model/Publication.h"
#include "screens/PublicationDialog.h"

namespace Ui {
class DatabaseDialog;
}

namespace qln {

class CDatabaseDialog : public CPublicationDialog<CPubDatabase> {
    Q_OBJECT
public:
    // Edits copies of the sequence's database entries.
    CDatabaseDialog(CScreenDocument& document, CSequence& sequence, QWidget* parent = nullptr);
    ~CDatabaseDialog() override;

protected:
    Ptr<CPubDatabase> BuildRecord() const override;
    void LoadRecord(const CPubDatabase& record) override;
    QString RecordText(const CPubDatabase& record) const override;
    QString HelpPage() const override { return QStringLiteral("DatabaseHelp.md"); }

private:
    std::unique_ptr<Ui::DatabaseDialog> ui_;
};

}  // namespace qln
