#include "app/import/SequenceTypeSelectionDialog.h"

#include <QButtonGroup>
#include <QFontDatabase>

#include "widgets/Help.h"
#include "widgets/Latin1Text.h"
#include "ui_SequenceTypeSelectionDialog.h"

namespace qln {

CSequenceTypeSelectionDialog::CSequenceTypeSelectionDialog(const std::string& message, const std::string& sequenceLines,
                                                           QWidget* parent)
    : QDialog(parent), types_(new QButtonGroup(this))
{
    Ui::SequenceTypeSelectionDialog ui;
    ui.setupUi(this);
    types_->addButton(ui.dna, 0);
    types_->addButton(ui.rna, 1);
    types_->addButton(ui.dnaRna, 2);
    types_->addButton(ui.protein1, 3);
    ui.message->setText(ToQt(message));
    // The lines come as the listing has them, with CR LF ends; residue
    // columns only line up in a fixed-pitch font.
    ui.sequenceLines->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    ui.sequenceLines->setPlainText(ToQt(sequenceLines).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    ui.ok->setFocus();
    InstallHelpKey(this, QStringLiteral("ImportHelp.md"));
}

int CSequenceTypeSelectionDialog::TypeIndex() const
{
    return qMax(0, types_->checkedId());
}

}  // namespace qln
