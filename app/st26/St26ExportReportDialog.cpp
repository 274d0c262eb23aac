#include "app/st26/St26ExportReportDialog.h"

#include <QDir>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QStyle>

#include "ui_St26ExportReportDialog.h"

namespace qln {

namespace {

QStyle::StandardPixmap Pixmap(QMessageBox::Icon icon)
{
    switch (icon) {
    case QMessageBox::Warning: return QStyle::SP_MessageBoxWarning;
    case QMessageBox::Critical: return QStyle::SP_MessageBoxCritical;
    default: return QStyle::SP_MessageBoxInformation;
    }
}

}  // namespace

CSt26ExportReportDialog::CSt26ExportReportDialog(QMessageBox::Icon icon, const QString& outcome,
                                                 const QString& reportText, const QString& reportPath, QWidget* parent)
    : QDialog(parent), outcome_(outcome)
{
    Ui::St26ExportReportDialog ui;
    ui.setupUi(this);
    const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    ui.icon->setPixmap(style()->standardIcon(Pixmap(icon), nullptr, this).pixmap(size, size));
    ui.outcome->setText(outcome);
    report_ = ui.report;
    report_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    report_->setPlainText(reportText);
    ui.reportPath->setText(tr("Report file: %1").arg(QDir::toNativeSeparators(reportPath)));
    ui.reportPath->setVisible(!reportPath.isEmpty());
    // Wide enough for the longest of the report's first lines, as far as
    // the screen allows; a long report needs no measuring of each line.
    const QFontMetrics metrics(report_->font());
    const QStringList lines = reportText.left(100000).split(QLatin1Char('\n'));
    int widest = 0;
    for (qsizetype i = 0; i < qMin(lines.size(), qsizetype(500)); ++i)
        widest = qMax(widest, metrics.horizontalAdvance(lines[i]));
    report_->setMinimumWidth(qBound(report_->minimumWidth(), widest + 40, 1000));
    ui.closeButton->setFocus();
}

QString CSt26ExportReportDialog::Outcome() const
{
    return outcome_;
}

}  // namespace qln
