// The document: the one open project, its file and the New, Open, Save and
// Save As commands around it.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>

#include "generator/OutputNames.h"
#include "model/Model.h"
#include "model/Project.h"
#include "screens/ScreenDocument.h"

class QWidget;

namespace qln {

// The first free name among Untitled.prj, Untitled1.prj, Untitled2.prj, ...
// in the folder.
QString FreeUntitledPath(const QString& folder);

// A file path as the core's std::string (the bytes the file system uses), and
// back. File names are not Latin-1 text: they go through these, not ToQt/FromQt.
std::string ToCorePath(const QString& path);
QString FromCorePath(const std::string& path);

class CCQLNDoc : public QObject, public CScreenDocument {
    Q_OBJECT
public:
    // dialogParent: the window the document's questions and dialogs belong to.
    explicit CCQLNDoc(QWidget* dialogParent = nullptr);
    ~CCQLNDoc() override;

    CProject& Project() const override;  // never null
    const QString& Path() const;         // the project file; an Untitled name after New
    bool IsUntitled() const;
    bool IsModified() const;
    void SetModified(bool modified = true) override;
    QString Title() const override;    // the file name shown in the title bar
    COutputNames OutputNames() const;  // file names in ToCorePath form
    bool HasFileOnDisk() const;        // the path names an existing file

    // The commands. Each returns false when it did not happen (the user said
    // no or cancelled, or it failed; failures have been shown).
    // NewDocument and OpenDocument ask their questions themselves (deleted
    // sequences, then save changes): callers do not ask again.
    bool NewDocument();
    bool OpenDocument(const QString& path);
    // The Open command: the "Open Quillion Project" file dialog in the
    // "ProjectDir" folder, then OpenDocument.
    bool Open();
    bool Reload();         // Reload Saved Project: reopens without asking
    bool Save() override;  // Save As when untitled
    bool SaveAs();
    bool SaveTo(const QString& path);
    // Save / Discard / Cancel when modified; false when the action should stop.
    bool AskToSaveChanges();
    // "There are deleted sequences.  Discard now?"; false on No.
    bool ConfirmDiscardDeleted();

    // Run before every save: the main view writes its pending edits.
    void SetEditorCommit(std::function<void()> commit);

    // An import added sequences to the open project: the view shows them.
    void NotifySequencesChanged() { emit SequencesChanged(); }

    // True while a save runs; the project must not change meanwhile.
    bool IsSaving() const { return saving_; }
    // Where New puts its Untitled names; the user's documents folder unless set.
    void SetDocumentsFolder(const QString& folder);
    static QString DefaultDocumentsFolder();

signals:
    void ProjectReplaced();   // New, Open, Reload: the view rebuilds
    void SequencesChanged();  // sequences added: the view lists them
    void ModifiedChanged(bool modified);
    void PathChanged(const QString& path);
    void StatusText(const QString& text);
    void RecentFileUsed(const QString& path);  // opened or saved under a name

private:
    bool Load(const QString& path);
    void ReplaceProject(Ptr<CProject> project, const QString& path, bool untitled);
    void SetPath(const QString& path);
    void ShowMessage(const QString& text) const;

    QWidget* dialogParent_;
    Ptr<CProject> project_;
    QString path_;
    QString documentsFolder_;
    bool untitled_ = true;
    bool modified_ = false;
    bool saving_ = false;
    std::function<void()> editorCommit_;
};

}  // namespace qln
