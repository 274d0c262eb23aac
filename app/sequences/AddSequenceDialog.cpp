#include "app/sequences/AddSequenceDialog.h"

#include <QLineEdit>
#include <QRadioButton>

#include "widgets/Help.h"
#include "app/sequences/NameEntry.h"
#include "ui_AddSequenceDialog.h"

namespace qln {

CAddSequenceDialog::CAddSequenceDialog(const CArray<Ptr<CSequence>>& sequences, QWidget* parent)
    : QDialog(parent), sequences_(sequences)
{
    Ui::AddSequenceDialog ui;
    ui.setupUi(this);
    name_ = ui.name;
    types_[0] = ui.dna;
    types_[1] = ui.rna;
    types_[2] = ui.dnaRna;
    types_[3] = ui.protein;
    name_->setFocus();
    InstallHelpKey(this, QStringLiteral("SequenceHelp.md"));
}

std::string CAddSequenceDialog::Name() const
{
    return EnteredName(name_);
}

int CAddSequenceDialog::TypeIndex() const
{
    for (int i = 0; i < 4; ++i)
        if (types_[i]->isChecked()) return i;
    return 0;
}

void CAddSequenceDialog::accept()
{
    if (AcceptNameEntry(this, name_, sequences_,
                        QStringLiteral("This Sequence Name is already in the list.  It must be unique.")))
        QDialog::accept();
}

}  // namespace qln
