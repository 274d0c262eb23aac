#include "app/frame/MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>
#include <optional>

#include "app/frame/AboutDlg.h"
#include "widgets/ErrorMsgDialog.h"
#include "app/import/ImportSequencesDialog.h"
#include "app/frame/CommandEnabling.h"
#include "app/frame/CopyToDisk.h"
#include "app/frame/CopyToDiskCommand.h"
#include "app/frame/EditCommands.h"
#include "app/frame/DeleteTempFilesDialog.h"
#include "app/generation/GenerationForwarder.h"
#include "app/generation/GeneratorProgressDialog.h"
#include "widgets/Help.h"
#include "widgets/Latin1Text.h"
#include "app/document/QLNDoc.h"
#include "app/frame/QLNView.h"
#include "app/document/RecentFiles.h"
#include "app/frame/ResidueCleanup.h"
#include "app/st26/St26ExportCommand.h"
#include "app/st26/St26VerifyCommand.h"
#include "app/frame/TextFileViewer.h"
#include "app/frame/ToolIcons.h"
#include "widgets/BackgroundWork.h"
#include "widgets/WaitCursor.h"
#include "generator/GenerationRun.h"
#include "generator/WorkFile.h"
#include "model/ResidueFile.h"
#include "model/Sequence.h"
#include "screens/IndividualApplDialog.h"
#include "screens/OrganizationApplDialog.h"
#include "screens/PriorAppInfoDialog.h"
#include "screens/PublicationKind.h"
#include "screens/ProjectDataDialog.h"

namespace qln {

namespace {

constexpr const char* kAppName = "Quillion";
constexpr const char* kDeletedOnExit = "There are deleted sequences.  Exiting now will discard them.  Exit now?";

// A residue file that can't be read or written ends the program, as the
// run or the report has already told the user.
void QuitAfterResidueFileError()
{
    CResidueFiles::RemoveAll();
    QCoreApplication::exit(-1);
}

}  // namespace

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent), disk_(std::make_unique<CDiskInfo>())
{
    setObjectName(QStringLiteral("QLNClass"));
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    setAcceptDrops(true);

    document_ = std::make_unique<CCQLNDoc>(this);
    view_ = new CQLNView(*document_, this);
    setCentralWidget(view_);

    CreateActions();
    CreateMenus();
    CreateToolBar();
    statusBar();

    connect(document_.get(), &CCQLNDoc::ProjectReplaced, this, &CMainFrame::UpdateCommands);
    connect(document_.get(), &CCQLNDoc::ModifiedChanged, this, [this](bool modified) { setWindowModified(modified); });
    connect(document_.get(), &CCQLNDoc::PathChanged, this, [this] {
        UpdateTitle();
        UpdateCommands();
    });
    connect(document_.get(), &CCQLNDoc::StatusText, this, &CMainFrame::ShowStatus);
    connect(document_.get(), &CCQLNDoc::RecentFileUsed, &CRecentFiles::Instance(), &CRecentFiles::Add);
    connect(view_, &CQLNView::StatusText, this, &CMainFrame::ShowStatus);
    connect(view_, &CQLNView::CommandStateChanged, this, &CMainFrame::UpdateCommands);
    connect(view_, &CQLNView::ImportRequested, this, &CMainFrame::OnImport);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &CMainFrame::UpdateCommands);

    InstallHelpKey(this, QStringLiteral("ApplHelp.md"));
    UpdateTitle();
    UpdateCommands();
}

CMainFrame::~CMainFrame()
{
    // The view refers to the document: it goes first.
    delete view_;
    view_ = nullptr;
}

CCQLNDoc& CMainFrame::Document()
{
    return *document_;
}

CQLNView& CMainFrame::View()
{
    return *view_;
}

QAction* CMainFrame::Action(const QString& name) const
{
    return findChild<QAction*>(name);
}

void CMainFrame::SetDiskInfo(std::unique_ptr<CDiskInfo> disk)
{
    disk_ = std::move(disk);
}

// ---- actions, menus, tool bar ----

QAction* CMainFrame::MakeAction(const char* name, const QString& text, const QString& statusTip, const QString& toolTip)
{
    auto* action = new QAction(text, this);
    action->setObjectName(QString::fromLatin1(name));
    action->setStatusTip(statusTip);
    if (!toolTip.isEmpty()) action->setToolTip(toolTip);
    return action;
}

void CMainFrame::CreateActions()
{
    // One row per command: where the frame keeps it, its object name, menu
    // caption, status-bar prompt and tool tip (the program's own commands have
    // theirs, the standard commands the usual ones), shortcuts separated by
    // ";", tool-bar picture and what it does.
    using A = Actions;
    using F = CMainFrame;
    struct Row {
        QAction* A::*action;
        const char* name;
        const char* text;
        const char* statusTip;
        const char* toolTip;
        const char* shortcuts;
        std::optional<ToolIcon> icon;
        void (*run)(F&);
    };
    // clang-format off
    static const Row kRows[] = {
        {&A::newProject, "actionNew", "&New", "Create a new document", "New", "Ctrl+N", ToolIcon::New,
         [](F& f) { f.document_->NewDocument(); }},
        {&A::open, "actionOpen", "&Open...", "Open an existing document", "Open", "Ctrl+O", ToolIcon::Open,
         [](F& f) { f.OnOpen(); }},
        {&A::save, "actionSave", "&Save", "Save the active document", "Save", "Ctrl+S", ToolIcon::Save,
         [](F& f) { f.document_->Save(); }},
        {&A::saveAs, "actionSaveAs", "Save &As...", "Save the active document with a new name", "Save As", "", {},
         [](F& f) { f.document_->SaveAs(); }},
        {&A::exportSt26, "actionExportSt26", "Export ST.&26 XML...",
         "Write the project as an ST.26 XML sequence listing with a report of every change", "", "", {},
         [](F& f) { f.OnExportSt26(); }},
        {&A::verifySt26, "actionVerifySt26", "&Verify ST.26 XML...",
         "Check an ST.26 XML sequence listing and list every rule it breaks", "", "", {},
         [](F& f) { VerifySt26File(QFileInfo(f.document_->Path()).absolutePath(), &f); }},
        {&A::workFile, "actionViewWorkFile", "View/Print &Work In Progress", "", "", "", {},
         [](F& f) { f.OnViewWorkFile(); }},
        {&A::listing, "actionViewListing", "View/Print Sequence &Listing", "", "", "", {},
         [](F& f) { f.OnViewListing(); }},
        {&A::errorReport, "actionViewErrorReport", "View/Print &Error Report", "", "", "", {},
         [](F& f) { f.OnViewErrorReport(); }},
        {&A::print, "actionPrint", "&Print Sequence...", "Print the current sequence as the editor shows it", "Print",
         "Ctrl+P", {}, [](F& f) { f.OnPrint(); }},
        {&A::rename, "actionRenameSequence", "&Rename Sequence", "", "", "", {},
         [](F& f) { f.view_->RenameSequence(); }},
        {&A::exit, "actionExit", "E&xit Quillion", "Quit the application; prompts to save documents", "Exit", "", {},
         [](F& f) { f.close(); }},
        {&A::undo, "actionUndo", "&Undo", "Undo the last action", "Undo", "Ctrl+Z;Alt+Backspace", {},
         [](F& f) { f.view_->EditCommands().Undo(); }},
        {&A::cut, "actionCut", "Cu&t", "Cut the selection and put it on the Clipboard", "Cut", "Ctrl+X;Shift+Del",
         ToolIcon::Cut, [](F& f) { f.view_->EditCommands().Cut(); }},
        {&A::copy, "actionCopy", "&Copy", "Copy the selection and put it on the Clipboard", "Copy", "Ctrl+C;Ctrl+Ins",
         ToolIcon::Copy, [](F& f) { f.view_->EditCommands().Copy(); }},
        {&A::paste, "actionPaste", "&Paste", "Insert Clipboard contents", "Paste", "Ctrl+V;Shift+Ins", ToolIcon::Paste,
         [](F& f) { f.view_->EditCommands().Paste(); }},
        {&A::toolBar, "actionToolbar", "&Toolbar", "Show or hide the toolbar", "Toggle ToolBar", "", {}, nullptr},
        {&A::statusBar, "actionStatusBar", "&Status Bar", "Show or hide the status bar", "Toggle StatusBar", "", {},
         nullptr},
        {&A::projectData, "actionProjectData", "&Project Data", "Edit Project Data", "Project Data", "",
         ToolIcon::ProjectData, [](F& f) { CProjectDataDialog(*f.document_, f.view_).Run(); }},
        {&A::priorApplication, "actionPriorApplication", "P&rior Application Information",
         "Edit Prior Application Info", "Prior Apps", "", ToolIcon::PriorApplication,
         [](F& f) { CPriorAppInfoDialog(*f.document_, f.view_).Run(); }},
        {&A::individual, "actionIndividual", "&Individual", "Edit Individual Applicant Info", "Individual App", "",
         ToolIcon::Individual, [](F& f) { CIndividualApplDialog(*f.document_, f.view_).Run(); }},
        {&A::organization, "actionOrganization", "&Organization", "Edit Organizational Applicant Info",
         "Organizational Apps", "", ToolIcon::Organization,
         [](F& f) { COrganizationApplDialog(*f.document_, f.view_).Run(); }},
        {&A::customCodons, "actionCustomCodons", "&Define Custom Codons", "", "", "", {},
         [](F& f) { f.view_->OpenCustomCodonScreen(); }},
        {&A::featureData, "actionFeatureData", "&Feature Data", "Edit Feature data", "Feature Editor", "",
         ToolIcon::FeatureData, [](F& f) { f.view_->OpenFeatureScreen(); }},
        {&A::organismComment, "actionOrganismComment", "Artificial Sequence/&Unknown Comment", "", "", "", {},
         [](F& f) { f.view_->ShowOrganismComment(); }},
        {&A::database, "actionDatabase", "&Database", "Edit Publication Data", "Publications", "", ToolIcon::Database,
         [](F& f) { f.view_->OpenPublicationScreen(int(CPublicationKind::Database)); }},
        {&A::journal, "actionJournal", "&Journal", "Edit Publication Data", "Publications", "", {},
         [](F& f) { f.view_->OpenPublicationScreen(int(CPublicationKind::Journal)); }},
        {&A::patent, "actionPatent", "&Patent", "", "", "", {},
         [](F& f) { f.view_->OpenPublicationScreen(int(CPublicationKind::Patent)); }},
        {&A::thesis, "actionThesis", "&Thesis", "", "", "", {},
         [](F& f) { f.view_->OpenPublicationScreen(int(CPublicationKind::Thesis)); }},
        {&A::generate, "actionGenerate", "&Generate Sequence Listing", "Generate Sequence Listing", "Generate", "",
         ToolIcon::Generate, [](F& f) { f.OnGenerate(); }},
        {&A::copyToDisk, "actionCopyToDisk", "&Copy to Disk", "", "", "", {}, [](F& f) { f.OnCopyToDisk(); }},
        {&A::help, "actionHelp", "&Quillion Help", "", "", "", {},
         [](F& f) { CHelp::ShowPage(&f, QStringLiteral("ApplHelp.md")); }},
        {&A::editorHelp, "actionEditorHelp", "&Sequence Editor Help", "", "", "", {},
         [](F& f) { CHelp::ShowPage(&f, QStringLiteral("SequenceHelp.md")); }},
        {&A::about, "actionAbout", "&About Quillion...", "Display program information, version number and copyright",
         "About", "", ToolIcon::About, [](F& f) { CAboutDlg(&f).exec(); }},
    };
    // clang-format on
    for (const Row& row : kRows) {
        QAction* action = MakeAction(row.name, tr(row.text), tr(row.statusTip), tr(row.toolTip));
        QList<QKeySequence> shortcuts;
        for (const QString& keys : QString::fromLatin1(row.shortcuts).split(QLatin1Char(';'), Qt::SkipEmptyParts))
            shortcuts << QKeySequence(keys, QKeySequence::PortableText);
        action->setShortcuts(shortcuts);
        // Menus keep plain text, as the tool bar has the pictures.
        if (row.icon) action->setIcon(MakeToolIcon(*row.icon, style()));
        action->setIconVisibleInMenu(false);
        if (row.run) connect(action, &QAction::triggered, this, [this, run = row.run] { run(*this); });
        a_.*row.action = action;
    }
    for (QAction* bar : {a_.toolBar, a_.statusBar}) {
        bar->setCheckable(true);
        bar->setChecked(true);
    }
}

void CMainFrame::CreateMenus()
{
    QMenu* project = menuBar()->addMenu(tr("&Project"));
    project->addActions({a_.newProject, a_.open, a_.save, a_.saveAs, a_.exportSt26, a_.verifySt26});
    project->addSeparator();
    project->addActions({a_.workFile, a_.listing, a_.errorReport, a_.print});
    project->addSeparator();
    project->addAction(a_.rename);
    recentSeparator_ = project->addSeparator();
    project->addSeparator();
    project->addAction(a_.exit);
    projectMenu_ = project;
    connect(project, &QMenu::aboutToShow, this, &CMainFrame::UpdateRecentMenu);

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->addActions({a_.undo});
    edit->addSeparator();
    edit->addActions({a_.cut, a_.copy, a_.paste});

    QMenu* view = menuBar()->addMenu(tr("&View"));
    view->addActions({a_.toolBar, a_.statusBar});

    QMenu* steps = menuBar()->addMenu(tr("Application S&teps"));
    steps->addActions({a_.projectData, a_.priorApplication});
    QMenu* applicants = steps->addMenu(tr("&Applicant Data"));
    applicants->addActions({a_.individual, a_.organization});
    steps->addSeparator();
    steps->addActions({a_.customCodons, a_.featureData, a_.organismComment});
    QMenu* publications = steps->addMenu(tr("Pu&blication Data"));
    publications->addActions({a_.database, a_.journal, a_.patent, a_.thesis});
    steps->addSeparator();
    steps->addActions({a_.generate, a_.copyToDisk});

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->addActions({a_.help, a_.editorHelp});
    help->addSeparator();
    help->addAction(a_.about);

    for (QMenu* menu : {project, edit, view, steps, applicants, publications, help})
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommands);
    connect(view, &QMenu::aboutToShow, this, [this] {
        a_.toolBar->setChecked(toolBar_->isVisible());
        a_.statusBar->setChecked(statusBar()->isVisible());
    });
    connect(a_.toolBar, &QAction::toggled, this, [this](bool on) { toolBar_->setVisible(on); });
    connect(a_.statusBar, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });
}

void CMainFrame::CreateToolBar()
{
    toolBar_ = addToolBar(tr("Standard"));
    toolBar_->setObjectName(QStringLiteral("toolBar"));
    toolBar_->setIconSize(QSize(24, 24));
    toolBar_->addActions({a_.newProject, a_.open, a_.save});
    toolBar_->addSeparator();
    toolBar_->addActions({a_.cut, a_.copy, a_.paste});
    toolBar_->addSeparator();
    toolBar_->addAction(a_.about);
    toolBar_->addSeparator();
    toolBar_->addActions({a_.projectData, a_.priorApplication, a_.individual, a_.organization, a_.database,
                          a_.featureData, a_.generate});
}

void CMainFrame::UpdateRecentMenu()
{
    for (QAction* action : recentActions_) {
        projectMenu_->removeAction(action);
        action->deleteLater();
    }
    recentActions_.clear();
    const QStringList files = CRecentFiles::Instance().Files();
    QAction* before = projectMenu_->actions().value(projectMenu_->actions().indexOf(recentSeparator_) + 1);
    if (files.isEmpty()) {
        auto* none = new QAction(tr("Recent File"), projectMenu_);
        none->setEnabled(false);
        projectMenu_->insertAction(before, none);
        recentActions_.append(none);
        return;
    }
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        auto* action = new QAction(CRecentFiles::MenuText(i, path), projectMenu_);
        action->setStatusTip(tr("Open this document"));
        connect(action, &QAction::triggered, this, [this, path] {
            if (!OpenProject(path) && !QFileInfo::exists(path)) CRecentFiles::Instance().Remove(path);
        });
        projectMenu_->insertAction(before, action);
        recentActions_.append(action);
    }
}

// ---- state ----

CFrameFacts CMainFrame::Facts() const
{
    CFrameFacts facts;
    const CSequence* current = view_->CurrentSequence();
    facts.hasCurrentSequence = current != nullptr;
    if (current) facts.currentTypeName = current->GetTypeName();
    facts.organismCommentAllowed = view_->CanShowOrganismComment();
    facts.hasProjectPath = !document_->Path().isEmpty();
    const COutputNames names = document_->OutputNames();
    facts.listingExists = !names.listing.empty() && QFileInfo(FromCorePath(names.listing)).isFile();
    facts.errorReportExists = !names.errorReport.empty() && QFileInfo(FromCorePath(names.errorReport)).isFile();
    return facts;
}

void CMainFrame::UpdateCommands()
{
    if (!view_) return;
    const CCommandEnabling enabling(Facts());
    a_.workFile->setEnabled(CCommandEnabling::WorkInProgress());
    a_.listing->setEnabled(enabling.ViewListing());
    a_.errorReport->setEnabled(enabling.ViewErrorReport());
    a_.rename->setEnabled(enabling.RenameSequence());
    a_.print->setEnabled(enabling.RenameSequence());
    a_.undo->setEnabled(view_->EditCommands().CanUndo());
    a_.cut->setEnabled(view_->EditCommands().CanCut());
    a_.copy->setEnabled(view_->EditCommands().CanCopy());
    a_.paste->setEnabled(view_->EditCommands().CanPaste());
    for (QAction* action : {a_.projectData, a_.priorApplication, a_.individual, a_.organization})
        action->setEnabled(CCommandEnabling::ProjectScreens());
    a_.customCodons->setEnabled(enabling.CustomCodons());
    a_.featureData->setEnabled(enabling.FeatureData());
    for (QAction* action : {a_.database, a_.journal, a_.patent, a_.thesis}) action->setEnabled(enabling.Publications());
    a_.organismComment->setEnabled(enabling.OrganismComment());
    a_.generate->setEnabled(enabling.Generate());
    a_.exportSt26->setEnabled(!document_->Path().isEmpty());
    a_.copyToDisk->setEnabled(enabling.CopyToDisk());
}

void CMainFrame::UpdateTitle()
{
    setWindowTitle(document_->Title() + QStringLiteral("[*] - ") + QLatin1String(kAppName));
    setWindowModified(document_->IsModified());
}

void CMainFrame::ShowStatus(const QString& text)
{
    if (text.isEmpty())
        statusBar()->clearMessage();
    else
        statusBar()->showMessage(text);
}

// ---- opening ----

bool CMainFrame::OpenProject(const QString& path)
{
    // The document asks about deleted sequences and unsaved changes itself.
    return document_->OpenDocument(path);
}

void CMainFrame::OnOpen()
{
    document_->Open();
}

static QString DroppedProject(const QMimeData* data)
{
    if (!data || !data->hasUrls()) return {};
    for (const QUrl& url : data->urls()) {
        const QString path = url.toLocalFile();
        if (!path.isEmpty() && path.endsWith(QLatin1String(".prj"), Qt::CaseInsensitive)) return path;
    }
    return {};
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppedProject(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const QString path = DroppedProject(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    activateWindow();
    OpenProject(path);
}

// ---- the generated files ----

void CMainFrame::OnViewWorkFile()
{
    const std::string path = document_->OutputNames().workFile;
    view_->CommitEditor();
    CWorkFileResult result;
    try {
        CWaitCursor wait;
        result = WriteWorkFile(document_->Project(), path);
    } catch (const CResidueFileError& e) {
        QMessageBox::critical(this, QLatin1String(kAppName), QString::fromLatin1(e.what()));
        QuitAfterResidueFileError();
        return;
    }
    view_->ReloadCurrentResidues();
    if (!result.written) {
        QMessageBox::warning(this, QLatin1String(kAppName), ToQt(result.message));
        return;
    }
    CTextFileViewer::Show(this, FromCorePath(path));
}

void CMainFrame::OnViewListing()
{
    CTextFileViewer::Show(this, FromCorePath(document_->OutputNames().listing));
}

void CMainFrame::OnViewErrorReport()
{
    CTextFileViewer::Show(this, FromCorePath(document_->OutputNames().errorReport));
}

void CMainFrame::OnGenerate()
{
    if (document_->Path().isEmpty()) {
        QMessageBox::critical(this, QLatin1String(kAppName), QString::fromLatin1(kSaveBeforeGenerating));
        return;
    }
    view_->CommitEditor();

    GenerationView view = GenerationView::Nothing;
    CGenerationResult result;
    {
        CGeneratorProgressDialog dialog(document_->Project(), document_->Path(), this);
        connect(&dialog, &CGeneratorProgressDialog::StatusText, this, &CMainFrame::ShowStatus);
        result = dialog.Exec();
        view = dialog.ViewRequest();
    }
    if (result.residueFileFailed) {
        QuitAfterResidueFileError();
        return;
    }
    view_->ReloadCurrentResidues();
    UpdateCommands();

    // The file is shown once the run has ended, so it is complete; the
    // command does nothing when there is no such file.
    if (view == GenerationView::Listing)
        a_.listing->trigger();
    else if (view == GenerationView::ErrorReport)
        a_.errorReport->trigger();
}

void CMainFrame::OnPrint()
{
    const QString text = view_->PrintableText();
    if (text.isEmpty()) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(ToQt(view_->CurrentSequence()->GetName()));
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(tr("Print Sequence"));
    if (dialog.exec() != QDialog::Accepted) return;
    CWaitCursor wait;
    PrintFixedPitch(text, printer);
}

void CMainFrame::OnExportSt26()
{
    view_->CommitEditor();
    try {
        ExportSt26(*document_, this);
    } catch (const CResidueFileError& e) {
        QMessageBox::critical(this, QLatin1String(kAppName), QString::fromLatin1(e.what()));
        QuitAfterResidueFileError();
        return;
    }
    view_->ReloadCurrentResidues();
}

// ---- Copy to Disk ----

void CMainFrame::OnImport()
{
    CImportSequencesDialog screen(*document_, this);
    connect(&screen, &CImportSequencesDialog::StatusText, this, &CMainFrame::ShowStatus);
    screen.exec();
    UpdateCommands();
}

void CMainFrame::OnCopyToDisk()
{
    CopyListingToDisk(this, FromCorePath(document_->OutputNames().listing), *disk_,
                      [this](const QString& text) { ShowStatus(text); });
}

// ---- exit ----

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (closed_) {
        event->accept();
        return;
    }
    if (document_->Project().HasDeletedSequences() &&
        QMessageBox::question(this, QLatin1String(kAppName), QString::fromLatin1(kDeletedOnExit),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes) {
        event->ignore();
        return;
    }
    if (!document_->AskToSaveChanges()) {
        event->ignore();
        return;
    }
    DeleteResidueFiles();
    closed_ = true;
    event->accept();
}

void CMainFrame::DeleteResidueFiles()
{
    std::unique_ptr<CResidueCleanup> cleanup;
    {
        CWaitCursor wait;
        cleanup = std::make_unique<CResidueCleanup>(CResidueFiles::GetFolder());
    }
    // Nobody may touch the project while its files go: the dialog is modal
    // to the whole program and can't be closed.
    CDeleteTempFilesDialog dialog(cleanup->Count(), this);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();

    CDeleteTempFilesDialog* target = &dialog;
    CBackgroundWork worker([&cleanup, target] {
        cleanup->Run([target](int deleted) {
            QMetaObject::invokeMethod(
                target, [target, deleted] { target->SetDeleted(deleted); }, Qt::QueuedConnection);
        });
    });
    worker.Start();
    worker.Wait();
    // The last counts are still queued for the dialog.
    QCoreApplication::sendPostedEvents(&dialog);
    dialog.hide();
    CResidueFiles::RemoveAll();
}

}  // namespace qln
