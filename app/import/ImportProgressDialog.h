// "Importing Sequences": the count of sequences analysed, the progress bar
// and Cancel, while an import reads its files on a worker thread.
#pragma once

#include <QDialog>
#include <QString>
#include <atomic>
#include <memory>
#include <string>

#include "import/ImportChoices.h"

namespace Ui {
class ImportProgressDialog;
}

namespace qln {

// The importers report to it from the worker thread: every report leaves as
// a signal taken with a queued connection, so only the user-interface
// thread touches the controls; the stop flag is atomic.
class CImportProgressDialog : public QDialog, public CImportProgress {
    Q_OBJECT
public:
    explicit CImportProgressDialog(QWidget* parent = nullptr);
    ~CImportProgressDialog() override;

    // Before every import: the title, "Sequences Analyzed:", a count of 0,
    // the bar at its start and no stop request.
    void Prepare();

    // CImportProgress, from the worker.
    void Command(int code, int value) override;
    void SetTitle(const std::string& title) override;
    bool IsStopRequested() override { return stopRequested_.load(); }

    QString CountText() const;
    int Position() const;

signals:
    // Emitted on the worker thread.
    void CommandSent(int code, int value);
    void TitleSent(const QString& title);

protected:
    // Escape and the title bar's close are Cancel.
    void reject() override;

private:
    void OnCommand(int code, int value);
    void OnCancel();

    std::unique_ptr<Ui::ImportProgressDialog> ui_;
    std::atomic<bool> stopRequested_{false};
};

}  // namespace qln
