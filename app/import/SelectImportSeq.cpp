#include "app/import/SelectImportSeq.h"

#include <QListWidget>

#include "widgets/Help.h"
#include "widgets/Latin1Text.h"
#include "ui_SelectImportSeq.h"

namespace qln {

CSelectImportSeq::CSelectImportSeq(const StringList& entries, QWidget* parent) : QDialog(parent)
{
    Ui::SelectImportSeq ui;
    ui.setupUi(this);
    sequences_ = ui.sequences;
    sequences_->setUniformItemSizes(true);  // imports of thousands of sequences
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(entries.size()));
    for (const std::string& entry : entries) texts.push_back(ToQt(entry));
    sequences_->addItems(texts);
    if (sequences_->count() > 0) sequences_->item(0)->setSelected(true);
    sequences_->setFocus();
    InstallHelpKey(this, QStringLiteral("ImportHelp.md"));
}

std::vector<int> CSelectImportSeq::Selected() const
{
    std::vector<int> rows;
    for (int row = 0; row < sequences_->count(); ++row)
        if (sequences_->item(row)->isSelected()) rows.push_back(row);
    return rows;
}

}  // namespace qln
