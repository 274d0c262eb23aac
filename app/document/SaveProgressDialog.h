// The progress of a project save: the "Saving Sequences" dialog and the
// progress receiver that carries the save worker's reports to it.
#pragma once

#include <QDialog>
#include <QObject>
#include <QString>
#include <atomic>
#include <memory>

#include "model/ProjectProgress.h"

namespace Ui {
class SaveProgressDialog;
}

namespace qln {

// "Saving Sequences": the count of sequences written and a Cancel button. It
// cannot be closed while the save runs (Escape and the title bar's close are
// ignored), so nobody edits the project while it is being written; Cancel
// asks the worker to stop and the dialog closes when the worker says so.
class SaveProgressDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kSetTotal = 1037;
    static constexpr int kSetPosition = 1038;
    static constexpr int kClose = 1039;

    explicit SaveProgressDialog(QWidget* parent = nullptr);
    ~SaveProgressDialog() override;

    int Total() const { return total_; }
    int Position() const { return position_; }
    QString CountText() const;

public slots:
    // 1037 total, 1038 sequences saved so far ("%d of %d"), 1039 close.
    void Command(int code, int value);

signals:
    void CancelRequested();

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void OnCancel();

    std::unique_ptr<Ui::SaveProgressDialog> ui_;
    int total_ = 0;
    int position_ = 0;
    bool finished_ = false;
};

// The save worker's progress receiver. It lives on the user-interface thread
// but is called from the worker: every report leaves as a signal that the
// receivers take with a queued connection, and the cancel flag is atomic.
class CSaveProgress : public QObject, public CProjectProgress {
    Q_OBJECT
public:
    void Command(int code, int value) override { emit CommandSent(code, value); }
    bool IsCancelled() override { return cancelled_.load(); }
    void SetStatusText(const std::string& text) override;

public slots:
    void Cancel() { cancelled_.store(true); }

signals:
    void CommandSent(int code, int value);
    void StatusTextSent(const QString& text);

private:
    std::atomic<bool> cancelled_{false};
};

}  // namespace qln
