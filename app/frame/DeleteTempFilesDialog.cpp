#include "app/frame/DeleteTempFilesDialog.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>

#include "widgets/Help.h"
#include "ui_DeleteTempFilesDialog.h"

namespace qln {

CDeleteTempFilesDialog::CDeleteTempFilesDialog(int total, QWidget* parent) : QDialog(parent), total_(total)
{
    Ui::DeleteTempFilesDialog ui;
    ui.setupUi(this);
    count_ = ui.count;
    // No close button: the window goes when the files are gone.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(false);
    SetDeleted(0);
    InstallHelpKey(this, QStringLiteral("ApplHelp.md"));
}

void CDeleteTempFilesDialog::SetDeleted(int deleted)
{
    count_->setText(tr("%1 of %2 files deleted.").arg(deleted).arg(total_));
}

void CDeleteTempFilesDialog::closeEvent(QCloseEvent* event)
{
    if (event->spontaneous())
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void CDeleteTempFilesDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) return;
    QDialog::keyPressEvent(event);
}

}  // namespace qln
