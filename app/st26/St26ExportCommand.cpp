#include "app/st26/St26ExportCommand.h"

#include <QFile>
#include <QFileInfo>
#include <QMessageBox>

#include "app/document/QLNDoc.h"
#include "app/st26/St26ExportDialog.h"
#include "app/st26/St26ExportForm.h"
#include "app/st26/St26ExportReportDialog.h"
#include "widgets/WaitCursor.h"
#include "export/St26ChoicesFile.h"
#include "generator/OutputNames.h"

namespace qln {

namespace {

constexpr const char* kCaption = "Quillion";

// The core's messages name files by their bytes on disk; the rest is ASCII.
QString CoreText(const char* text)
{
    return FromCorePath(text);
}

CSt26Choices ReadChoices(const QString& path, QWidget* parent)
{
    try {
        return ReadSt26ChoicesIfPresent(ToCorePath(path));
    } catch (const CSt26ChoicesError& e) {
        QMessageBox::warning(parent, QLatin1String(kCaption),
                             QObject::tr("%1\n\nThe export starts from the default choices; exporting saves the "
                                         "choices over this file.")
                                 .arg(CoreText(e.what())));
        return {};
    }
}

// The report as written; what the run holds when the file can't be read.
QString ReportText(const CSt26Export& exporter, const std::string& projectPath, St26Outcome outcome)
{
    QFile file(FromCorePath(exporter.GetReportPath()));
    if (file.open(QIODevice::ReadOnly)) return QString::fromUtf8(file.readAll());
    const bool written = outcome == St26Outcome::Written || outcome == St26Outcome::WrittenToConfirm;
    return QString::fromUtf8(exporter.GetReport().Text(projectPath, exporter.GetXmlPath(), written,
                                                       written ? &exporter.GetVerification() : nullptr));
}

}  // namespace

QString St26ChoicesPath(const QString& projectPath)
{
    return FromCorePath(ProjectPathStem(ToCorePath(projectPath)) + kSt26ChoicesSuffix);
}

QString St26FilesNote(const QString& projectPath)
{
    const QString stem = QFileInfo(FromCorePath(ProjectPathStem(ToCorePath(projectPath)))).fileName();
    return QObject::tr("OK writes %1%2 and %1%3 beside the project and keeps these choices in %1%4.")
        .arg(stem, QLatin1String(kSt26ListingSuffix), QLatin1String(kSt26ReportSuffix),
             QLatin1String(kSt26ChoicesSuffix));
}

std::optional<St26Outcome> ExportSt26(CCQLNDoc& document, QWidget* parent)
{
    if (document.IsUntitled() || document.Path().isEmpty()) {
        QMessageBox::critical(parent, QLatin1String(kCaption), QString::fromLatin1(kSaveBeforeExporting));
        return std::nullopt;
    }
    CProject& project = document.Project();
    const std::string projectPath = ToCorePath(document.Path());
    const QString choicesPath = St26ChoicesPath(document.Path());
    const CSt26Choices read = ReadChoices(choicesPath, parent);

    std::vector<CSt26SequenceRow> rows;
    {
        CWaitCursor wait;
        rows = CSt26Export(project, projectPath, read).Rows();
    }
    CSt26ExportForm form(std::move(rows), read);
    CSt26ExportDialog dialog(form, St26FilesNote(document.Path()), parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;

    const CSt26Choices choices = form.Choices();
    CSt26Export exporter(project, projectPath, choices);
    St26Outcome outcome;
    {
        CWaitCursor wait;
        outcome = exporter.Run();
    }
    // Kept whatever the outcome, so a refused export keeps what was picked
    // for the next try.
    try {
        WriteSt26Choices(choices, project, ToCorePath(choicesPath));
    } catch (const CSt26ChoicesError& e) {
        QMessageBox::warning(parent, QLatin1String(kCaption), CoreText(e.what()));
    }

    if (outcome == St26Outcome::Failed) {
        QMessageBox::critical(parent, QLatin1String(kCaption), CoreText(exporter.GetFailure().c_str()));
        return outcome;
    }
    const QString xmlName = QFileInfo(FromCorePath(exporter.GetXmlPath())).fileName();
    const QMessageBox::Icon icon = outcome == St26Outcome::Written            ? QMessageBox::Information
                                   : outcome == St26Outcome::WrittenToConfirm ? QMessageBox::Warning
                                                                              : QMessageBox::Critical;
    QString outcomeText = St26OutcomeText(outcome, exporter.GetReport(), xmlName);
    if (outcome != St26Outcome::Refused)
        outcomeText += QObject::tr(" Verified: %1 (at the end of the report).")
                           .arg(QString::fromUtf8(exporter.GetVerification().CountsText()));
    CSt26ExportReportDialog report(icon, outcomeText, ReportText(exporter, projectPath, outcome),
                                   FromCorePath(exporter.GetReportPath()), parent);
    report.exec();
    return outcome;
}

}  // namespace qln
