#include "app/sequences/RenameDialog.h"

#include <QLineEdit>

#include "widgets/Help.h"
#include "app/sequences/NameEntry.h"
#include "ui_RenameDialog.h"

namespace qln {

RenameDialog::RenameDialog(const CArray<Ptr<CSequence>>& sequences, QWidget* parent)
    : QDialog(parent), sequences_(sequences)
{
    Ui::RenameDialog ui;
    ui.setupUi(this);
    name_ = ui.name;
    name_->setFocus();
    InstallHelpKey(this, QStringLiteral("SequenceHelp.md"));
}

std::string RenameDialog::NewName() const
{
    return EnteredName(name_);
}

void RenameDialog::accept()
{
    // The current sequence is in the list too, so its own name is refused.
    if (AcceptNameEntry(this, name_, sequences_,
                        QStringLiteral("This Sequence Name is in use.  Please select another.")))
        QDialog::accept();
}

}  // namespace qln
