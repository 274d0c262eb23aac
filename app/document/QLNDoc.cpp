#include "app/document/QLNDoc.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <cerrno>
#include <new>

#include "widgets/Latin1Text.h"
#include "app/document/SaveProgressDialog.h"
#include "widgets/BackgroundWork.h"
#include "widgets/WaitCursor.h"
#include "model/ProjectFile.h"

namespace qln {

namespace {

const char kCaption[] = "Quillion";
const char kProjectDirKey[] = "Settings/ProjectDir";
const char kDeletedQuestion[] = "There are deleted sequences.  Discard now?";
const char kReloadFileGone[] =
    "The saved project \"%1\" is no longer there: it was moved, renamed or deleted. Nothing was reloaded; "
    "the open project is as it was. Use Save As to write it again.";

// Loading runs on the user-interface thread; only its status text is wanted.
class CLoadProgress : public CProjectProgress {
public:
    explicit CLoadProgress(CCQLNDoc& doc) : doc_(doc) {}
    void Command(int, int) override {}
    bool IsCancelled() override { return false; }
    void SetStatusText(const std::string& text) override { emit doc_.StatusText(ToQt(text)); }

private:
    CCQLNDoc& doc_;
};

}  // namespace

QString FreeUntitledPath(const QString& folder)
{
    const QDir dir(folder);
    QString path = dir.filePath("Untitled.prj");
    for (int n = 1; QFileInfo::exists(path); ++n) path = dir.filePath(QString::asprintf("Untitled%d.prj", n));
    return path;
}

std::string ToCorePath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QString FromCorePath(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

CCQLNDoc::CCQLNDoc(QWidget* dialogParent)
    : dialogParent_(dialogParent), project_(MakePtr<CProject>()), documentsFolder_(DefaultDocumentsFolder())
{
    path_ = FreeUntitledPath(documentsFolder_);
}

CCQLNDoc::~CCQLNDoc() = default;

CProject& CCQLNDoc::Project() const
{
    return *project_;
}

const QString& CCQLNDoc::Path() const
{
    return path_;
}

bool CCQLNDoc::IsUntitled() const
{
    return untitled_;
}

bool CCQLNDoc::IsModified() const
{
    return modified_;
}

void CCQLNDoc::SetModified(bool modified)
{
    if (modified_ == modified) return;
    modified_ = modified;
    emit ModifiedChanged(modified_);
}

QString CCQLNDoc::Title() const
{
    return QFileInfo(path_).fileName();
}

COutputNames CCQLNDoc::OutputNames() const
{
    return MakeOutputNames(ToCorePath(path_));
}

bool CCQLNDoc::HasFileOnDisk() const
{
    return !path_.isEmpty() && QFileInfo(path_).isFile();
}

void CCQLNDoc::SetEditorCommit(std::function<void()> commit)
{
    editorCommit_ = std::move(commit);
}

void CCQLNDoc::SetDocumentsFolder(const QString& folder)
{
    documentsFolder_ = folder;
}

QString CCQLNDoc::DefaultDocumentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir()) return documents;
    return QDir::homePath();
}

void CCQLNDoc::ShowMessage(const QString& text) const
{
    QMessageBox::warning(dialogParent_, kCaption, text);
}

bool CCQLNDoc::ConfirmDiscardDeleted()
{
    if (!project_->HasDeletedSequences()) return true;
    return QMessageBox::question(dialogParent_, kCaption, kDeletedQuestion, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

bool CCQLNDoc::AskToSaveChanges()
{
    if (!modified_) return true;
    const auto answer = QMessageBox::warning(dialogParent_, kCaption, QString("Save changes to %1?").arg(Title()),
                                             QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                                             QMessageBox::Save);
    if (answer == QMessageBox::Discard) return true;
    if (answer == QMessageBox::Save) return Save();
    return false;
}

void CCQLNDoc::SetPath(const QString& path)
{
    if (path_ == path) return;
    path_ = path;
    emit PathChanged(path_);
}

void CCQLNDoc::ReplaceProject(Ptr<CProject> project, const QString& path, bool untitled)
{
    project_ = std::move(project);
    untitled_ = untitled;
    SetPath(path);
    // Always announced: the title bar shows the new name even when the flag
    // itself did not change.
    modified_ = false;
    emit ModifiedChanged(false);
    emit ProjectReplaced();
}

bool CCQLNDoc::NewDocument()
{
    if (saving_ || !ConfirmDiscardDeleted() || !AskToSaveChanges()) return false;
    ReplaceProject(MakePtr<CProject>(), FreeUntitledPath(documentsFolder_), true);
    return true;
}

bool CCQLNDoc::Open()
{
    if (saving_) return false;
    QSettings settings;
    const QString folder = settings.value(kProjectDirKey, documentsFolder_).toString();
    QFileDialog dialog(dialogParent_, "Open Quillion Project", folder, "Projects (*.prj)");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    return OpenDocument(dialog.selectedFiles().constFirst());
}

bool CCQLNDoc::OpenDocument(const QString& path)
{
    if (saving_ || !ConfirmDiscardDeleted() || !AskToSaveChanges()) return false;
    return Load(path);
}

bool CCQLNDoc::Reload()
{
    if (saving_ || untitled_) return false;
    if (!HasFileOnDisk()) {
        ShowMessage(QString::fromLatin1(kReloadFileGone).arg(QDir::toNativeSeparators(path_)));
        return false;
    }
    return Load(path_);
}

// The file is read into a project of its own; the open project is replaced
// only when the whole file was read, so a bad file leaves everything as it was.
bool CCQLNDoc::Load(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    Ptr<CProject> loaded;
    QString failure;
    {
        CWaitCursor wait;
        CLoadProgress progress(*this);
        try {
            loaded = LoadProjectFile(ToCorePath(absolute), &progress);
        } catch (const CArchiveException& e) {
            failure = FromCorePath(e.what());
        } catch (const std::bad_alloc&) {
            failure = "Out of memory.";
        } catch (const std::exception& e) {
            failure = ToQt(e.what());
        }
    }
    if (!loaded) {
        // The loading count of the file that failed means nothing now.
        emit StatusText(QString());
        ShowMessage(failure);
        return false;
    }
    ReplaceProject(std::move(loaded), absolute, false);
    QSettings().setValue(kProjectDirKey, QFileInfo(absolute).absolutePath());
    emit RecentFileUsed(absolute);
    return true;
}

bool CCQLNDoc::Save()
{
    if (untitled_) return SaveAs();
    return SaveTo(path_);
}

bool CCQLNDoc::SaveAs()
{
    if (saving_) return false;
    QFileDialog dialog(dialogParent_, "Save As", path_, "Quillion Project Files (*.prj)");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("prj");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    return SaveTo(dialog.selectedFiles().constFirst());
}

// The worker writes the file while this thread keeps serving events behind
// the application-modal progress dialog. The core writes beside the file and
// renames only a complete save over it, so a cancelled or failed save leaves
// the previous file as it was.
bool CCQLNDoc::SaveTo(const QString& path)
{
    if (saving_ || path.isEmpty()) return false;
    if (editorCommit_) editorCommit_();
    const QString absolute = QFileInfo(path).absoluteFilePath();

    saving_ = true;
    SaveProgressDialog dialog(dialogParent_);
    CSaveProgress progress;
    connect(&progress, &CSaveProgress::CommandSent, &dialog, &SaveProgressDialog::Command, Qt::QueuedConnection);
    connect(&progress, &CSaveProgress::StatusTextSent, this, &CCQLNDoc::StatusText, Qt::QueuedConnection);
    connect(&dialog, &SaveProgressDialog::CancelRequested, &progress, &CSaveProgress::Cancel);

    struct Outcome {
        bool saved = false;
        bool cancelled = false;
        int error = 0;
    } outcome;
    const Ptr<CProject> project = project_;
    const std::string corePath = ToCorePath(absolute);
    CBackgroundWork worker([&] {
        errno = 0;
        try {
            const SaveResult result = SaveProjectFile(*project, corePath, &progress);
            outcome.saved = result == SaveResult::Saved;
            outcome.cancelled = result == SaveResult::Cancelled;
        } catch (const std::bad_alloc&) {
            outcome.error = ENOMEM;
        } catch (...) {
            // The cause is what the failing call left in errno.
            outcome.error = errno != 0 ? errno : EIO;
        }
        progress.Command(SaveProgressDialog::kClose, 0);
    });

    dialog.show();
    // The worker starts from the event loop, once the dialog is up: a Cancel
    // that is already waiting is seen before the first sequence.
    QMetaObject::invokeMethod(
        &dialog, [&worker] { worker.Start(); }, Qt::QueuedConnection);
    worker.Wait();
    while (dialog.isVisible()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    // Status texts still queued are delivered before the dialog's signals go.
    QCoreApplication::sendPostedEvents(this);
    saving_ = false;
    // The keyboard goes back to the window the save was started from, as
    // after a modal dialog; some window managers leave it nowhere.
    if (QWidget* window = dialogParent_ ? dialogParent_->window() : nullptr) window->activateWindow();

    if (!outcome.saved) {
        if (!outcome.cancelled)
            ShowMessage(QString::asprintf("I/O error during save. Error code = %d.", outcome.error));
        return false;
    }
    untitled_ = false;
    SetPath(absolute);
    SetModified(false);
    emit RecentFileUsed(absolute);
    return true;
}

}  // namespace qln

#include "moc_QLNDoc.cpp"
