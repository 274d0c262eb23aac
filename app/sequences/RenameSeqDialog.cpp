#include "app/sequences/RenameSeqDialog.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "widgets/Help.h"
#include "widgets/Latin1Text.h"
#include "app/sequences/NameEntry.h"
#include "ui_RenameSeqDialog.h"

namespace qln {

CRenameSeqDialog::CRenameSeqDialog(const std::string& conflictingName, const QString& cancelCaption, QWidget* parent)
    : QDialog(parent)
{
    Ui::RenameSeqDialog ui;
    ui.setupUi(this);
    name_ = ui.name;
    ui.conflictingName->setText(ToQt(conflictingName));
    ui.stop->setText(cancelCaption);
    name_->setFocus();
    InstallHelpKey(this, QStringLiteral("SequenceHelp.md"));
}

std::string CRenameSeqDialog::NewName() const
{
    return EnteredName(name_);
}

void CRenameSeqDialog::accept()
{
    // Whether the new name is free is for the caller to test again.
    if (NewName().empty()) {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Quillion"),
                        QStringLiteral("Sequence name can not be blank."), QMessageBox::Ok, this);
        box.exec();
        return;
    }
    QDialog::accept();
}

}  // namespace qln
