// The conversion report of an ST.26 export, read-only in a fixed-pitch font
// so its columns line up, under a line telling the outcome.
#pragma once

#include <QDialog>
#include <QMessageBox>

class QPlainTextEdit;

namespace qln {

class CSt26ExportReportDialog : public QDialog {
    Q_OBJECT
public:
    // icon: how the outcome reads (information, warning, critical).
    CSt26ExportReportDialog(QMessageBox::Icon icon, const QString& outcome, const QString& reportText,
                            const QString& reportPath, QWidget* parent = nullptr);

    QString Outcome() const;
    QPlainTextEdit* Report() const { return report_; }

private:
    QString outcome_;
    QPlainTextEdit* report_ = nullptr;
};

}  // namespace qln
