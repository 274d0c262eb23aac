#include "app/import/ImportProgressDialog.h"

#include <QPushButton>

#include "widgets/Latin1Text.h"
#include "import/ImportDriver.h"
#include "widgets/Help.h"
#include "ui_ImportProgressDialog.h"

namespace qln {

CImportProgressDialog::CImportProgressDialog(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::ImportProgressDialog>())
{
    ui_->setupUi(this);
    // The help key answers here too, as in every window of the program.
    InstallHelpKey(this, QStringLiteral("ImportHelp.md"));
    // The screen behind stays locked while the import runs.
    setWindowModality(Qt::ApplicationModal);
    connect(this, &CImportProgressDialog::CommandSent, this, &CImportProgressDialog::OnCommand, Qt::QueuedConnection);
    connect(this, &CImportProgressDialog::TitleSent, this, &QWidget::setWindowTitle, Qt::QueuedConnection);
    connect(ui_->cancel, &QPushButton::clicked, this, &CImportProgressDialog::OnCancel);
}

CImportProgressDialog::~CImportProgressDialog() = default;

void CImportProgressDialog::Prepare()
{
    setWindowTitle(QStringLiteral("Importing Sequences"));
    ui_->label->setText(QString::fromLatin1(kSequencesAnalyzedLabel));
    ui_->count->setText(QStringLiteral("0"));
    ui_->progress->setValue(0);
    stopRequested_.store(false);
}

void CImportProgressDialog::Command(int code, int value)
{
    emit CommandSent(code, value);
}

void CImportProgressDialog::SetTitle(const std::string& title)
{
    emit TitleSent(ToQt(title));
}

void CImportProgressDialog::OnCommand(int code, int value)
{
    if (code == kSequencesAnalyzed)
        ui_->count->setText(QString::number(value));
    else if (code == kProgressPosition)
        ui_->progress->setValue(value);
}

QString CImportProgressDialog::CountText() const
{
    return ui_->count->text();
}

int CImportProgressDialog::Position() const
{
    return ui_->progress->value();
}

void CImportProgressDialog::OnCancel()
{
    // The worker stops after its current sequence; the screen waits for it.
    stopRequested_.store(true);
    hide();
}

void CImportProgressDialog::reject()
{
    OnCancel();
}

}  // namespace qln

#include "moc_ImportProgressDialog.cpp"
