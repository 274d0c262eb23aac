#include "app/generation/GeneratorProgressDialog.h"

#include <QAbstractListModel>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QFile>

#include "app/generation/GenerationForwarder.h"
#include "widgets/Help.h"
#include "app/document/QLNDoc.h"
#include "widgets/BackgroundWork.h"
#include "ui_GeneratorProgressDialog.h"

namespace qln {

namespace {

using Stage = CGenerationDialogState::Stage;

const char* const kHelpPage = "GenHelp.md";
const char* const kValidatingData = "Validating data...";
const char* const kValidatingProject = "Sequence Generation - Validating Project Data";
const char* const kValidatingSequences = "Sequence Generation - Validating Sequences";
const char* const kWritingApplicationData = "Sequence Generation - Writing Application Data";
const char* const kWritingSequences = "Sequence Generation - Writing Sequences... Please wait ...";
const char* const kSuccessTitle = "Sequence Generation - Successful completion.";
const char* const kSuccessLine = "Successful completion.";
const char* const kFailureLine = "Unsuccessful completion.";
const char* const kReviewedCaption = "Sequences Reviewed:";
const char* const kWrittenCaption = "Sequences Written:";

QString Counted(int n, const char* one, const char* many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

}  // namespace

// The message lines. A run may bring tens of thousands, often many at once:
// they are appended a batch at a time, and the view draws only what shows.
class CMessageListModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(lines_.size()); }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= lines_.size()) return {};
        if (role == Qt::DisplayRole || role == Qt::ToolTipRole) return lines_[index.row()];
        return {};
    }

    void Append(const QStringList& texts)
    {
        if (texts.isEmpty()) return;
        beginInsertRows({}, int(lines_.size()), int(lines_.size() + texts.size() - 1));
        lines_.append(texts);
        endInsertRows();
    }
    void Clear()
    {
        beginResetModel();
        lines_.clear();
        endResetModel();
    }

private:
    QStringList lines_;
};

CGeneratorProgressDialog::CGeneratorProgressDialog(CProject& project, const QString& projectPath, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::GeneratorProgressDialog>())
{
    ui_->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    // Start and Close share one place; the buttons below never move under
    // the user's pointer when one of them goes.
    QSizePolicy keepPlace = ui_->startButton->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    ui_->startButton->setSizePolicy(keepPlace);

    messages_ = new CMessageListModel(this);
    ui_->messageList->setModel(messages_);

    // The run's boxes after the dialog has closed belong to the main window.
    forwarder_ = new CGenerationForwarder(parent ? parent : this, this);
    run_ = std::make_unique<CGenerationRun>(project, ToCorePath(projectPath), forwarder_);
    connect(forwarder_, &CGenerationForwarder::Notified, this, &CGeneratorProgressDialog::OnNotified);
    connect(forwarder_, &CGenerationForwarder::Messages, this, &CGeneratorProgressDialog::OnMessages);
    connect(forwarder_, &CGenerationForwarder::StatusText, this, &CGeneratorProgressDialog::StatusText);
    connect(forwarder_, &CGenerationForwarder::MessageBoxClosed, this, [this](const QString& text) {
        if (text != QLatin1String(kErrorReportOpenFailed) || state_.GetStage() == Stage::Closed) return;
        state_.ErrorReportFailed();
        done(QDialog::Rejected);
    });

    connect(ui_->startButton, &QPushButton::clicked, this, &CGeneratorProgressDialog::OnStartOrContinue);
    connect(ui_->closeButton, &QPushButton::clicked, this, &CGeneratorProgressDialog::OnClose);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &CGeneratorProgressDialog::OnCancel);
    connect(ui_->helpButton, &QPushButton::clicked, this, [this] { OnNotified(CGenerationObserver::kHelp, 0); });
    connect(ui_->pauseCheck, &QCheckBox::toggled, this, &CGeneratorProgressDialog::OnPauseToggled);
    InstallHelpKey(this, QString::fromLatin1(kHelpPage));

    OnNotified(CGenerationObserver::kReset, 0);
}

CGeneratorProgressDialog::~CGeneratorProgressDialog()
{
    if (worker_) {
        run_->SetCancel(true);
        WaitForWorker();
    }
}

const COutputNames& CGeneratorProgressDialog::OutputNames() const
{
    return run_->GetOutputNames();
}

CGenerationResult CGeneratorProgressDialog::Exec()
{
    exec();
    WaitForWorker();
    return result_;
}

// The UI thread keeps serving the run (its message boxes) until it ends, but
// takes no user input meanwhile: the project must not change under it.
void CGeneratorProgressDialog::WaitForWorker()
{
    if (!worker_) return;
    worker_->Wait(QEventLoop::ExcludeUserInputEvents);
    forwarder_->Deliver();
}

void CGeneratorProgressDialog::Reset()
{
    state_ = CGenerationDialogState();
    view_ = GenerationView::Nothing;
    messages_->Clear();
    total_ = 0;
    ui_->progressBar->setValue(0);
    ui_->countLabel->setText(QStringLiteral("0"));
    setWindowTitle(QString::fromLatin1(kValidatingData));
    UpdateButtons();
}

void CGeneratorProgressDialog::UpdateButtons()
{
    ui_->startButton->setText(QString::fromLatin1(state_.StartText()));
    ui_->startButton->setVisible(state_.StartVisible());
    ui_->startButton->setEnabled(state_.StartEnabled());
    ui_->closeButton->setVisible(state_.CloseVisible());
    ui_->cancelButton->setEnabled(state_.CancelEnabled());
    // Enter presses the button that moves the run on.
    if (state_.CloseVisible()) {
        ui_->closeButton->setDefault(true);
        ui_->closeButton->setFocus();
    } else if (state_.StartVisible() && state_.StartEnabled()) {
        ui_->startButton->setDefault(true);
        ui_->startButton->setFocus();
    }
}

void CGeneratorProgressDialog::OnStartOrContinue()
{
    if (!state_.IsStarted()) {
        if (!state_.Start(ui_->pauseCheck->isChecked())) return;
        run_->SetPause(state_.IsPauseMode());
        worker_ = std::make_unique<CBackgroundWork>([this] { result_ = run_->Run(); });
        worker_->Start();
    } else if (state_.Continue()) {
        run_->Resume();
    }
    UpdateButtons();
}

void CGeneratorProgressDialog::OnPauseToggled(bool pause)
{
    if (!state_.IsStarted()) return;
    const bool resume = state_.SetPauseMode(pause);
    run_->SetPause(pause);
    if (resume) run_->Resume();
    UpdateButtons();
}

void CGeneratorProgressDialog::OnClose()
{
    view_ = state_.Close(ui_->viewCheck->isChecked());
    done(QDialog::Accepted);
}

void CGeneratorProgressDialog::OnCancel()
{
    if (state_.GetStage() == Stage::Closed) return;
    const CGenerationDialogState::CancelSteps steps = state_.Cancel(ui_->viewCheck->isChecked());
    if (steps.cancelRun) run_->SetCancel(true);
    // A report left by an earlier run goes; one that can't be removed stays.
    if (steps.deleteErrorReport && !OutputNames().errorReport.empty())
        QFile::remove(FromCorePath(OutputNames().errorReport));
    view_ = steps.view;
    done(QDialog::Rejected);
}

void CGeneratorProgressDialog::reject()
{
    OnCancel();
}

void CGeneratorProgressDialog::SetPhase(const QString& title, const QString& caption, int total)
{
    setWindowTitle(title);
    if (!caption.isEmpty()) ui_->countCaption->setText(caption);
    total_ = total;
    ui_->countLabel->setText(QStringLiteral("0"));
    ui_->progressBar->setValue(0);
}

void CGeneratorProgressDialog::AddLine(const QString& text)
{
    messages_->Append({text});
    ui_->messageList->scrollToBottom();
}

void CGeneratorProgressDialog::OnNotified(int code, int value)
{
    // Reports that arrive after the dialog has closed (the end of a
    // cancelled run) change nothing.
    const bool closed = state_.GetStage() == Stage::Closed;
    switch (code) {
    case CGenerationObserver::kReset:
        Reset();
        setWindowTitle(QString::fromLatin1(kValidatingProject));
        break;
    case CGenerationObserver::kValidatingSequences:
        SetPhase(QString::fromLatin1(kValidatingSequences), QString::fromLatin1(kReviewedCaption), value);
        break;
    case CGenerationObserver::kWritingApplicationData:
        state_.WritingStarted();
        SetPhase(QString::fromLatin1(kWritingApplicationData), {}, total_);
        UpdateButtons();
        break;
    case CGenerationObserver::kWritingSequences:
        SetPhase(QString::fromLatin1(kWritingSequences), QString::fromLatin1(kWrittenCaption), value);
        break;
    case CGenerationObserver::kSequenceDone:
        ui_->countLabel->setText(QString::number(value));
        ui_->progressBar->setValue(total_ > 0 ? int(qint64(value) * 100 / total_) : 0);
        break;
    case CGenerationObserver::kSucceeded: {
        if (closed) break;
        setWindowTitle(QString::fromLatin1(kSuccessTitle));
        AddLine(QString::fromLatin1(kSuccessLine));
        TellWhereWritten(true);
        const bool closeNow = state_.Finished(true, ui_->viewCheck->isChecked());
        UpdateButtons();
        if (closeNow) OnClose();
        break;
    }
    case CGenerationObserver::kFailed:
        if (closed) break;
        AddLine(QString::fromLatin1(kFailureLine));
        TellWhereWritten(false);
        state_.Finished(false, ui_->viewCheck->isChecked());
        UpdateButtons();
        break;
    case CGenerationObserver::kHelp: CHelp::ShowPage(this, QString::fromLatin1(kHelpPage)); break;
    default: break;
    }
}

// The count above the bar is of the project's sequences; the listing may
// hold more entries (the proteins derived from coding regions): both are said.
void CGeneratorProgressDialog::TellWhereWritten(bool succeeded)
{
    const COutputNames& names = OutputNames();
    QString line;
    if (succeeded) {
        line = tr("Sequence listing written to %1: %2 from %3 of the project.")
                   .arg(QDir::toNativeSeparators(FromCorePath(names.listing)),
                        Counted(run_->GetEntryCount(), "entry", "entries"), Counted(total_, "sequence", "sequences"));
    } else if (!names.errorReport.empty() && QFileInfo(FromCorePath(names.errorReport)).isFile()) {
        line = tr("Error report written to %1.").arg(QDir::toNativeSeparators(FromCorePath(names.errorReport)));
    }
    if (line.isEmpty()) return;
    AddLine(line);
    emit StatusText(line);
}

void CGeneratorProgressDialog::OnMessages(const QStringList& texts)
{
    messages_->Append(texts);
    ui_->messageList->scrollToBottom();
    if (state_.GetStage() == Stage::Closed) return;
    const auto before = state_.GetStage();
    state_.MessageAdded();
    if (state_.GetStage() != before) UpdateButtons();
}

}  // namespace qln
