#include "app/document/SaveProgressDialog.h"

#include <QCloseEvent>

#include "widgets/Latin1Text.h"
#include "widgets/Help.h"
#include "ui_SaveProgressDialog.h"

namespace qln {

SaveProgressDialog::SaveProgressDialog(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::SaveProgressDialog>())
{
    ui_->setupUi(this);
    // The help key answers here too, as in every window of the program.
    InstallHelpKey(this, QStringLiteral("ApplHelp.md"));
    // No close button in the title bar: only Cancel ends the dialog early.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowModality(Qt::ApplicationModal);
    ui_->countLabel->clear();
    connect(ui_->cancelButton, &QPushButton::clicked, this, &SaveProgressDialog::OnCancel);
}

SaveProgressDialog::~SaveProgressDialog() = default;

QString SaveProgressDialog::CountText() const
{
    return ui_->countLabel->text();
}

void SaveProgressDialog::Command(int code, int value)
{
    switch (code) {
    case kSetTotal: total_ = value; break;
    case kSetPosition:
        position_ = value;
        ui_->countLabel->setText(QString::asprintf("%d of %d", position_, total_));
        break;
    case kClose:
        finished_ = true;
        done(QDialog::Accepted);
        break;
    default: break;
    }
}

void SaveProgressDialog::OnCancel()
{
    // The worker stops before its next sequence and then sends kClose; until
    // then the dialog stays up and keeps the program's windows locked.
    ui_->cancelButton->setEnabled(false);
    emit CancelRequested();
}

void SaveProgressDialog::reject()
{
    if (finished_) QDialog::reject();
}

void SaveProgressDialog::closeEvent(QCloseEvent* event)
{
    if (finished_)
        QDialog::closeEvent(event);
    else
        event->ignore();
}

void CSaveProgress::SetStatusText(const std::string& text)
{
    emit StatusTextSent(ToQt(text));
}

}  // namespace qln

#include "moc_SaveProgressDialog.cpp"
