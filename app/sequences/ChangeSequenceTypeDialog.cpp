#include "app/sequences/ChangeSequenceTypeDialog.h"

#include <QRadioButton>

#include "widgets/Help.h"
#include "ui_ChangeSequenceTypeDialog.h"

namespace qln {

CChangeSequenceTypeDialog::CChangeSequenceTypeDialog(QWidget* parent) : QDialog(parent)
{
    Ui::ChangeSequenceTypeDialog ui;
    ui.setupUi(this);
    types_[0] = ui.dna;
    types_[1] = ui.rna;
    types_[2] = ui.dnaRna;
    InstallHelpKey(this, QStringLiteral("SequenceHelp.md"));
}

int CChangeSequenceTypeDialog::TypeIndex() const
{
    for (int i = 0; i < 3; ++i)
        if (types_[i]->isChecked()) return i;
    return 0;
}

}  // namespace qln
