#include "app/import/SkippedSeqTypeSelection.h"

#include <QButtonGroup>

#include "widgets/Help.h"
#include "widgets/Latin1Text.h"
#include "widgets/WindowTitle.h"
#include "ui_SkippedSeqTypeSelection.h"

namespace qln {

CSkippedSeqTypeSelection::CSkippedSeqTypeSelection(const std::string& prompt, QWidget* parent)
    : QDialog(parent), types_(new QButtonGroup(this))
{
    Ui::SkippedSeqTypeSelection ui;
    ui.setupUi(this);
    KeepTitleVisible(this);
    types_->addButton(ui.dna, 0);
    types_->addButton(ui.rna, 1);
    types_->addButton(ui.dnaRna, 2);
    types_->addButton(ui.protein1, 3);
    ui.prompt->setText(ToQt(prompt));
    ui.ok->setFocus();
    InstallHelpKey(this, QStringLiteral("ImportHelp.md"));
}

int CSkippedSeqTypeSelection::TypeIndex() const
{
    return qMax(0, types_->checkedId());
}

}  // namespace qln
