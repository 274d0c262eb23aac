#include "app/frame/CopyToDiskCommand.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>

#include "app/frame/CopyToDisk.h"
#include "widgets/WaitCursor.h"

namespace qln {

namespace {

constexpr const char* kCaption = "Quillion";

}  // namespace

// Asks for the place until the listing fits there or the user gives up.
void CopyListingToDisk(QWidget* parent, const QString& listing, const CDiskInfo& disk,
                       const std::function<void(const QString&)>& showStatus)
{
    const CCopyToDisk copier(listing, disk);
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    for (;;) {
        QFileDialog dialog(parent, QStringLiteral("Copy to Disk"), folder);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setNameFilters(QString::fromLatin1(kCopyFilters).split(QStringLiteral(";;")));
        dialog.setDefaultSuffix(QString::fromLatin1(kCopyDefaultSuffix));
        dialog.selectFile(QFileInfo(listing).fileName());
        // A name typed without an extension takes the one of the chosen type.
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
            dialog.setDefaultSuffix(filter.contains(QLatin1String("zip")) ? QStringLiteral("zip")
                                                                          : QStringLiteral("txt"));
        });
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
        const QString destination = dialog.selectedFiles().constFirst();
        folder = QFileInfo(destination).absolutePath();

        CCopyOutcome outcome;
        {
            CWaitCursor wait;
            outcome = copier.CopyTo(destination);
        }
        using Kind = CCopyOutcome::Kind;
        switch (outcome.kind) {
        case Kind::Done: showStatus(outcome.message); return;
        case Kind::InsufficientSpace:
            QMessageBox::warning(parent, QLatin1String(kCaption), outcome.message);
            continue;  // the user picks another place or a zip file
        case Kind::BadType: QMessageBox::critical(parent, QLatin1String(kCaption), outcome.message); return;
        case Kind::CopyFailed:
        case Kind::OntoListing: QMessageBox::information(parent, QLatin1String(kCaption), outcome.message); return;
        default: QMessageBox::warning(parent, QLatin1String(kCaption), outcome.message); return;
        }
    }
}

}  // namespace qln
