// "Sequence Listing Generation": the modal dialog that runs a generation of
// the open project on a worker thread, lists the run's messages as they come,
// counts the sequences, pauses after each message when asked, and can be
// cancelled at any time.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <memory>

#include "app/generation/GenerationDialogState.h"
#include "generator/GenerationRun.h"

namespace Ui {
class GeneratorProgressDialog;
}

namespace qln {

class CBackgroundWork;
class CGenerationForwarder;
class CMessageListModel;
class CProject;

class CGeneratorProgressDialog : public QDialog {
    Q_OBJECT
public:
    // The project must not change while the dialog is open; projectPath is
    // the project file, whose name gives the listing and the error report.
    CGeneratorProgressDialog(CProject& project, const QString& projectPath, QWidget* parent = nullptr);
    // Cancels a run still going and waits for it.
    ~CGeneratorProgressDialog() override;

    // Shows the dialog modally. When it has closed, waits for a run that is
    // still ending (its message boxes still show, user input to other
    // windows waits) and returns the run's result.
    CGenerationResult Exec();

    // The file the user asked to see when the dialog closed.
    GenerationView ViewRequest() const { return view_; }
    bool IsStarted() const { return state_.IsStarted(); }
    const COutputNames& OutputNames() const;
    CGenerationForwarder& Forwarder() const { return *forwarder_; }

    // Cancel; Escape and the window's close button come here too.
    void reject() override;

signals:
    // Status-bar text of the run ("Generation canceled.").
    void StatusText(const QString& text);

private:
    void Reset();
    void UpdateButtons();
    void OnStartOrContinue();
    void OnPauseToggled(bool pause);
    void OnClose();
    void OnCancel();
    void OnNotified(int code, int value);
    void OnMessages(const QStringList& texts);
    void SetPhase(const QString& title, const QString& caption, int total);
    void AddLine(const QString& text);
    // The closing line that says which file the run wrote, also for the status bar.
    void TellWhereWritten(bool succeeded);
    void WaitForWorker();

    std::unique_ptr<Ui::GeneratorProgressDialog> ui_;
    CGenerationForwarder* forwarder_ = nullptr;
    CMessageListModel* messages_ = nullptr;
    std::unique_ptr<CGenerationRun> run_;
    std::unique_ptr<CBackgroundWork> worker_;
    CGenerationResult result_;
    CGenerationDialogState state_;
    GenerationView view_ = GenerationView::Nothing;
    int total_ = 0;
};

}  // namespace qln
