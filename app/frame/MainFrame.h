// The main window: menus, tool bar and status bar around the main view.
#pragma once

#include <QList>
#include <QMainWindow>
#include <memory>

class QAction;
class QMenu;
class QToolBar;

namespace qln {

class CCQLNDoc;
class CQLNView;
class CDiskInfo;
struct CFrameFacts;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    CCQLNDoc& Document();
    CQLNView& View();
    // Opens a project (command line, second instance, dropped file, recent
    // list), asking first as Open does.
    bool OpenProject(const QString& path);

    // A menu command by its object name ("actionCopyToDisk").
    QAction* Action(const QString& name) const;
    // Where Copy to Disk learns free space and file system type.
    void SetDiskInfo(std::unique_ptr<CDiskInfo> disk);

public slots:
    // Re-evaluates which commands are available.
    void UpdateCommands();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QAction* MakeAction(const char* name, const QString& text, const QString& statusTip, const QString& toolTip = {});
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void UpdateRecentMenu();
    void UpdateTitle();
    void ShowStatus(const QString& text);
    CFrameFacts Facts() const;

    void OnOpen();
    void OnViewWorkFile();
    void OnViewListing();
    void OnViewErrorReport();
    void OnGenerate();
    // Ctrl+P: the current sequence as the editor shows it, through the print dialog.
    void OnPrint();
    void OnExportSt26();
    void OnCopyToDisk();
    void OnImport();
    // This run's residue files, deleted on a worker thread behind the
    // "Deleting temporary files" dialog.
    void DeleteResidueFiles();

    std::unique_ptr<CCQLNDoc> document_;
    CQLNView* view_ = nullptr;
    std::unique_ptr<CDiskInfo> disk_;
    QToolBar* toolBar_ = nullptr;
    QMenu* projectMenu_ = nullptr;
    QAction* recentSeparator_ = nullptr;
    QList<QAction*> recentActions_;
    bool closed_ = false;  // the exit sequence has run

    struct Actions {
        QAction *newProject, *open, *save, *saveAs, *exportSt26, *verifySt26, *workFile, *listing, *errorReport, *print,
            *rename, *exit;
        QAction *undo, *cut, *copy, *paste;
        QAction *toolBar, *statusBar;
        QAction *projectData, *priorApplication, *individual, *organization, *customCodons, *featureData,
            *organismComment, *database, *journal, *patent, *thesis, *generate, *copyToDisk;
        QAction *help, *editorHelp, *about;
    } a_{};
};

}  // namespace qln
