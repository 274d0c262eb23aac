#include "app/import/ImportSequencesDialog.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <ios>

#include "widgets/ErrorMsgDialog.h"
#include "app/import/AppImportChoices.h"
#include "widgets/Help.h"
#include "app/import/ImportFileCopy.h"
#include "app/import/ImportProgressDialog.h"
#include "widgets/Latin1Text.h"
#include "app/document/QLNDoc.h"
#include "app/frame/TextFileViewer.h"
#include "model/Archive.h"
#include "model/ResidueFile.h"
#include "widgets/BackgroundWork.h"
#include "ui_ImportSequencesDialog.h"

namespace qln {

namespace {

const char kCaption[] = "Quillion";
const char kHelpPage[] = "ImportHelp.md";
const char kCantOpenImportedFile[] = "Can't open the imported file.";
const char kImportNotCompleted[] =
    "A problem has occurred while importing files.  The import process cannot be completed.";

// The one place that decides who answers the importers' questions.
std::unique_ptr<CImportChoices> MakeImportChoices(CProject& project, QWidget* parent)
{
    return std::make_unique<CAppImportChoices>(project, parent);
}

// The adding runs on this thread: its texts go straight to the status bar,
// and every added sequence marks the document changed.
class CScreenObserver : public CImportObserver {
public:
    CScreenObserver(CImportSequencesDialog& screen, CCQLNDoc& document) : screen_(screen), document_(document) {}
    void SetStatusText(const std::string& text) override { emit screen_.StatusText(ToQt(text)); }
    void SequenceAdded(CSequence&) override { document_.SetModified(true); }

private:
    CImportSequencesDialog& screen_;
    CCQLNDoc& document_;
};

}  // namespace

CImportSourceControls ControlsForSource(ImportSource source)
{
    CImportSourceControls controls;
    switch (source) {
    case ImportSource::FromFile: controls.fileBox = controls.filterBox = controls.filterOn = true; break;
    case ImportSource::FromProject: controls.projectBox = true; break;
    case ImportSource::FromListing: controls.listingBox = controls.filterOn = controls.anyGeneratorBox = true; break;
    }
    return controls;
}

CImportSequencesDialog::CImportSequencesDialog(CCQLNDoc& document, QWidget* parent)
    : QDialog(parent), document_(document), ui_(std::make_unique<Ui::ImportSequencesDialog>())
{
    ui_->setupUi(this);
    progress_ = new CImportProgressDialog(this);
    messages_ = new CErrorMsgDialog(this);

    auto* sources = new QButtonGroup(this);
    sources->addButton(ui_->fromFile, static_cast<int>(ImportSource::FromFile));
    sources->addButton(ui_->fromProject, static_cast<int>(ImportSource::FromProject));
    sources->addButton(ui_->fromListing, static_cast<int>(ImportSource::FromListing));
    connect(sources, &QButtonGroup::idClicked, this, [this](int id) { ApplySource(static_cast<ImportSource>(id)); });

    connect(ui_->browseFile, &QPushButton::clicked, this, &CImportSequencesDialog::OnBrowseFiles);
    connect(ui_->browseProject, &QPushButton::clicked, this, &CImportSequencesDialog::OnBrowseProject);
    connect(ui_->browseListing, &QPushButton::clicked, this, &CImportSequencesDialog::OnBrowseListing);
    connect(ui_->importButton, &QPushButton::clicked, this, &CImportSequencesDialog::Import);
    connect(ui_->closeButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui_->helpButton, &QPushButton::clicked, this, [this] { CHelp::ShowPage(this, kHelpPage); });
    InstallHelpKey(this, kHelpPage);

    SetSource(ImportSource::FromFile);
}

CImportSequencesDialog::~CImportSequencesDialog() = default;

ImportSource CImportSequencesDialog::Source() const
{
    if (ui_->fromProject->isChecked()) return ImportSource::FromProject;
    if (ui_->fromListing->isChecked()) return ImportSource::FromListing;
    return ImportSource::FromFile;
}

void CImportSequencesDialog::SetSource(ImportSource source)
{
    switch (source) {
    case ImportSource::FromFile: ui_->fromFile->setChecked(true); break;
    case ImportSource::FromProject: ui_->fromProject->setChecked(true); break;
    case ImportSource::FromListing: ui_->fromListing->setChecked(true); break;
    }
    ApplySource(source);
}

bool CImportSequencesDialog::IsFilterOn() const
{
    return ui_->filter->isChecked();
}

void CImportSequencesDialog::ApplySource(ImportSource source)
{
    const CImportSourceControls controls = ControlsForSource(source);
    ui_->fileBox->setEnabled(controls.fileBox);
    ui_->browseFile->setEnabled(controls.fileBox);
    ui_->projectBox->setEnabled(controls.projectBox);
    ui_->browseProject->setEnabled(controls.projectBox);
    ui_->listingBox->setEnabled(controls.listingBox);
    ui_->browseListing->setEnabled(controls.listingBox);
    ui_->filter->setEnabled(controls.filterBox);
    ui_->filter->setChecked(controls.filterOn);
    ui_->anyGenerator->setEnabled(controls.anyGeneratorBox);
}

void CImportSequencesDialog::SetAnyGenerator(bool accept)
{
    ui_->anyGenerator->setChecked(accept);
}

void CImportSequencesDialog::SetRunning(bool running)
{
    running_ = running;
    ui_->importButton->setEnabled(!running);
    ui_->closeButton->setEnabled(!running);
}

void CImportSequencesDialog::reject()
{
    // Escape and the title bar's close wait for a running import like Close.
    if (!running_) QDialog::reject();
}

// ---- choosing the files ----

QString CImportSequencesDialog::InitialFolder() const
{
    const QString remembered = FromCorePath(document_.Project().GetLastImportFolder());
    if (!remembered.isEmpty() && QFileInfo(remembered).isDir()) return remembered;
    return QCoreApplication::applicationDirPath();
}

void CImportSequencesDialog::RememberFolderOf(const QString& file)
{
    document_.Project().SetLastImportFolder(ToCorePath(QDir::toNativeSeparators(QFileInfo(file).absolutePath())));
}

void CImportSequencesDialog::OnBrowseFiles()
{
    QFileDialog dialog(this, QStringLiteral("Import Sequence(s) from Files"), InitialFolder(),
                       QStringLiteral("Quillion Sequence Files (*.txt)"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    QStringList paths;
    for (const QString& path : dialog.selectedFiles()) paths.append(QDir::toNativeSeparators(path));
    RememberFolderOf(paths.constFirst());
    ui_->fileBox->setText(paths.join(QLatin1String(kInputSeparator)));
}

void CImportSequencesDialog::OnBrowseProject()
{
    QFileDialog dialog(this, QStringLiteral("Import Sequence(s) from Quillion 3.X Project"), InitialFolder(),
                       QStringLiteral("Quillion Project (*.prj)"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("prj"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    ui_->projectBox->setText(QDir::toNativeSeparators(dialog.selectedFiles().constFirst()));
}

void CImportSequencesDialog::OnBrowseListing()
{
    QFileDialog dialog(this, QStringLiteral("Import Sequence(s) from ST.25 Compliance Sequence File"), InitialFolder(),
                       QStringLiteral("ST.25 Compliant Sequence Listing File (*.txt)"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString path = QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
    RememberFolderOf(path);
    ui_->listingBox->setText(path);
}

// ---- the import ----

void CImportSequencesDialog::Import()
{
    if (running_) return;
    SetRunning(true);
    Ending ending;
    try {
        switch (Source()) {
        case ImportSource::FromFile: ending = ImportFiles(); break;
        case ImportSource::FromProject: ending = ImportProject(); break;
        case ImportSource::FromListing: ending = ImportListing(); break;
        }
    } catch (const std::ios_base::failure&) {
        QMessageBox::critical(this, kCaption, kCantOpenImportedFile);
        ending = {QString::fromLatin1(kImportFailed), true};
    } catch (const CArchiveException&) {
        QMessageBox::critical(this, kCaption, kCantOpenImportedFile);
        ending = {QString::fromLatin1(kImportFailed), true};
    } catch (const CResidueFileError&) {
        QMessageBox::critical(this, kCaption, kCantOpenImportedFile);
        ending = {QString::fromLatin1(kImportFailed), true};
    } catch (...) {
        QMessageBox::critical(this, kCaption, kImportNotCompleted);
        ending = {QString::fromLatin1(kImportFailed), true};
    }
    SetRunning(false);
    result_ = ending.result;
    if (!result_.isEmpty()) emit StatusText(result_);
    if (ending.closeScreen) accept();
}

void CImportSequencesDialog::ReadOnWorker(CImportDriver& driver, ImportSource source, StringList inputs, bool filter)
{
    progress_->Prepare();
    progress_->show();
    CBackgroundWork worker([&] { driver.Read(source, inputs, filter); });
    worker.Start();
    worker.Wait();
    // The counts still queued belong to this import only.
    QCoreApplication::sendPostedEvents(progress_);
    progress_->hide();
}

CImportSequencesDialog::Ending CImportSequencesDialog::ImportFiles()
{
    const bool filter = IsFilterOn();
    CProject& project = document_.Project();
    const std::unique_ptr<CImportChoices> choices = MakeImportChoices(project, this);
    CScreenObserver observer(*this, document_);
    CImportDriver driver(project, *choices, progress_, &observer);
    ReadOnWorker(driver, ImportSource::FromFile, CImportDriver::SplitInputList(ToCorePath(ui_->fileBox->text())),
                 filter);
    // The messages come first; filtered sequences are offered after them.
    if (!driver.GetMessages().empty()) messages_->ShowMessages(driver.GetMessages());
    const CImportOutcome outcome = driver.FinishFiles(filter);
    document_.NotifySequencesChanged();
    ShowNotices(outcome);
    return {ToQt(outcome.result), outcome.closeScreen};
}

CImportSequencesDialog::Ending CImportSequencesDialog::ImportListing()
{
    const QString cancelled = QString::fromLatin1(kImportCancelled);
    QMessageBox::information(this, kCaption, QString::fromLatin1(kListingToNewProject));
    // New asks about unsaved changes (and deleted sequences) as closing does.
    if (!document_.NewDocument()) return {cancelled, false};

    CProject& project = document_.Project();
    const std::unique_ptr<CImportChoices> choices = MakeImportChoices(project, this);
    CScreenObserver observer(*this, document_);
    CImportDriver driver(project, *choices, progress_, &observer);
    driver.SetAnyGenerator(ui_->anyGenerator->isChecked());
    ReadOnWorker(driver, ImportSource::FromListing,
                 CImportDriver::ListingInputList(ToCorePath(ui_->listingBox->text())), true);
    const CImportOutcome outcome = driver.FinishListing(ToCorePath(document_.Path()));
    // The project data came from the listing even when no sequence did.
    document_.SetModified(true);
    document_.NotifySequencesChanged();
    ShowNotices(outcome);
    if (!outcome.parseLogPath.empty()) ViewParseLog(outcome.parseLogPath);
    return {ToQt(outcome.result), outcome.closeScreen};
}

CImportSequencesDialog::Ending CImportSequencesDialog::ImportProject()
{
    CImportFileCopy copy;
    if (!copy.Prepare(ui_->projectBox->text().trimmed())) {
        QMessageBox::warning(this, kCaption, QString::fromLatin1(kCannotCopyImportedProject));
        return {QString::fromLatin1(kImportFailed), false};
    }
    CProject& project = document_.Project();
    const std::unique_ptr<CImportChoices> choices = MakeImportChoices(project, this);
    CScreenObserver observer(*this, document_);
    CImportDriver driver(project, *choices, nullptr, &observer);
    const CImportOutcome outcome = driver.ImportProject(ToCorePath(copy.ReadPath()));
    document_.NotifySequencesChanged();
    ShowNotices(outcome);
    if (!outcome.messages.empty()) messages_->ShowMessages(outcome.messages);
    return {ToQt(outcome.result), outcome.closeScreen};
}

void CImportSequencesDialog::ShowNotices(const CImportOutcome& outcome)
{
    const std::string logWritten = outcome.parseLogPath.empty()
                                       ? std::string()
                                       : CImportDriver::ParseLogWrittenText(outcome.parseLogPath);
    for (const std::string& notice : outcome.notices) {
        if (notice == logWritten)
            QMessageBox::information(this, kCaption, FromCorePath(notice));
        else
            QMessageBox::warning(this, kCaption, ToQt(notice));
    }
}

void CImportSequencesDialog::ViewParseLog(const std::string& path)
{
    if (!CTextFileViewer::Open(this, FromCorePath(path)))
        QMessageBox::warning(this, kCaption, FromCorePath(CImportDriver::ParseLogNotViewableText(path)));
}

}  // namespace qln

#include "moc_ImportSequencesDialog.cpp"
