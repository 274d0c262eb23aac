#include "app/st26/St26VerifyCommand.h"

#include <QFileDialog>
#include <QFileInfo>

#include "app/document/QLNDoc.h"
#include "app/st26/St26ExportReportDialog.h"
#include "widgets/WaitCursor.h"
#include "export/St26Verifier.h"

namespace qln {

CSt26VerificationView CSt26VerificationView::For(const CSt26Findings& findings, const QString& path)
{
    using Severity = CSt26Finding::Severity;
    CSt26VerificationView view;
    const QString name = QFileInfo(path).fileName();
    const QString counts = QString::fromUtf8(findings.CountsText());
    view.report = QString::fromUtf8(findings.ReportText(ToCorePath(path)));
    if (findings.Unreadable()) {
        view.icon = QMessageBox::Critical;
        view.outcome = QObject::tr(
                           "%1 could not be read to its end (%2). Repair the file as the first findings "
                           "say and verify it again.")
                           .arg(name, counts);
    } else if (findings.Count(Severity::Error)) {
        view.icon = QMessageBox::Critical;
        view.outcome = QObject::tr("%1 does not pass: %2. Correct the errors before filing.").arg(name, counts);
    } else if (findings.Count(Severity::Warning)) {
        view.icon = QMessageBox::Warning;
        view.outcome = QObject::tr("%1 passes with warnings: %2. Check each warning before filing.").arg(name, counts);
    } else {
        view.outcome = QObject::tr(
                           "%1 passes: %2. The office's own tool also checks what needs its databases, "
                           "such as the organism names.")
                           .arg(name, counts);
    }
    return view;
}

void VerifySt26File(const QString& folder, QWidget* parent)
{
    QFileDialog dialog(parent, QObject::tr("Verify ST.26 XML Sequence Listing"), folder,
                       QObject::tr("ST.26 XML Sequence Listings (*.xml);;All Files (*)"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    ShowSt26Verification(dialog.selectedFiles().constFirst(), parent);
}

void ShowSt26Verification(const QString& path, QWidget* parent)
{
    CSt26VerificationView view;
    {
        CWaitCursor wait;
        view = CSt26VerificationView::For(CSt26Verifier::VerifyFile(ToCorePath(path)), path);
    }
    CSt26ExportReportDialog window(view.icon, view.outcome, view.report, {}, parent);
    window.setWindowTitle(QObject::tr("ST.26 Verification"));
    window.exec();
}

}  // namespace qln
