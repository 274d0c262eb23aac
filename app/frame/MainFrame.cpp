#include "app/frame/MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEventLoop>
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
#include <QThread>
#include <QToolBar>

#include "app/frame/AboutDlg.h"
#include "widgets/ErrorMsgDialog.h"
#include "app/import/ImportSequencesDialog.h"
#include "app/frame/CommandEnabling.h"
#include "app/frame/CopyToDisk.h"
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

QAction* CMainFrame::MakeAction(const char* name, const QString& text, const QString& statusTip,
                                const QString& toolTip)
{
    auto* action = new QAction(text, this);
    action->setObjectName(QString::fromLatin1(name));
    action->setStatusTip(statusTip);
    if (!toolTip.isEmpty()) action->setToolTip(toolTip);
    return action;
}

void CMainFrame::CreateActions()
{
    // Status-bar prompts and tool tips: the program's own commands have
    // theirs, the standard commands the usual ones.
    a_.newProject = MakeAction("actionNew", tr("&New"), tr("Create a new document"), tr("New"));
    a_.newProject->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    a_.open = MakeAction("actionOpen", tr("&Open..."), tr("Open an existing document"), tr("Open"));
    a_.open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    a_.save = MakeAction("actionSave", tr("&Save"), tr("Save the active document"), tr("Save"));
    a_.save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    a_.saveAs = MakeAction("actionSaveAs", tr("Save &As..."), tr("Save the active document with a new name"),
                           tr("Save As"));
    a_.exportSt26 = MakeAction("actionExportSt26", tr("Export ST.&26 XML..."),
                               tr("Write the project as an ST.26 XML sequence listing with a report of every change"));
    a_.workFile = MakeAction("actionViewWorkFile", tr("View/Print &Work In Progress"), {});
    a_.listing = MakeAction("actionViewListing", tr("View/Print Sequence &Listing"), {});
    a_.errorReport = MakeAction("actionViewErrorReport", tr("View/Print &Error Report"), {});
    a_.print = MakeAction("actionPrint", tr("&Print Sequence..."),
                          tr("Print the current sequence as the editor shows it"), tr("Print"));
    a_.print->setShortcut(QKeySequence::Print);
    a_.rename = MakeAction("actionRenameSequence", tr("&Rename Sequence"), {});
    a_.exit = MakeAction("actionExit", tr("E&xit Quillion"), tr("Quit the application; prompts to save documents"),
                         tr("Exit"));

    a_.undo = MakeAction("actionUndo", tr("&Undo"), tr("Undo the last action"), tr("Undo"));
    a_.undo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
    a_.cut = MakeAction("actionCut", tr("Cu&t"), tr("Cut the selection and put it on the Clipboard"), tr("Cut"));
    a_.cut->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)});
    a_.copy = MakeAction("actionCopy", tr("&Copy"), tr("Copy the selection and put it on the Clipboard"), tr("Copy"));
    a_.copy->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
    a_.paste = MakeAction("actionPaste", tr("&Paste"), tr("Insert Clipboard contents"), tr("Paste"));
    a_.paste->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)});

    a_.toolBar = MakeAction("actionToolbar", tr("&Toolbar"), tr("Show or hide the toolbar"), tr("Toggle ToolBar"));
    a_.toolBar->setCheckable(true);
    a_.toolBar->setChecked(true);
    a_.statusBar = MakeAction("actionStatusBar", tr("&Status Bar"), tr("Show or hide the status bar"),
                              tr("Toggle StatusBar"));
    a_.statusBar->setCheckable(true);
    a_.statusBar->setChecked(true);

    a_.projectData = MakeAction("actionProjectData", tr("&Project Data"), tr("Edit Project Data"), tr("Project Data"));
    a_.priorApplication = MakeAction("actionPriorApplication", tr("P&rior Application Information"),
                                     tr("Edit Prior Application Info"), tr("Prior Apps"));
    a_.individual = MakeAction("actionIndividual", tr("&Individual"), tr("Edit Individual Applicant Info"),
                               tr("Individual App"));
    a_.organization = MakeAction("actionOrganization", tr("&Organization"), tr("Edit Organizational Applicant Info"),
                                 tr("Organizational Apps"));
    a_.customCodons = MakeAction("actionCustomCodons", tr("&Define Custom Codons"), {});
    a_.featureData = MakeAction("actionFeatureData", tr("&Feature Data"), tr("Edit Feature data"),
                                tr("Feature Editor"));
    a_.organismComment = MakeAction("actionOrganismComment", tr("Artificial Sequence/&Unknown Comment"), {});
    a_.database = MakeAction("actionDatabase", tr("&Database"), tr("Edit Publication Data"), tr("Publications"));
    a_.journal = MakeAction("actionJournal", tr("&Journal"), tr("Edit Publication Data"), tr("Publications"));
    a_.patent = MakeAction("actionPatent", tr("&Patent"), {});
    a_.thesis = MakeAction("actionThesis", tr("&Thesis"), {});
    a_.generate = MakeAction("actionGenerate", tr("&Generate Sequence Listing"), tr("Generate Sequence Listing"),
                             tr("Generate"));
    a_.copyToDisk = MakeAction("actionCopyToDisk", tr("&Copy to Disk"), {});

    a_.help = MakeAction("actionHelp", tr("&Quillion Help"), {});
    a_.editorHelp = MakeAction("actionEditorHelp", tr("&Sequence Editor Help"), {});
    a_.about = MakeAction("actionAbout", tr("&About Quillion..."),
                          tr("Display program information, version number and copyright"), tr("About"));

    const QStyle* s = style();
    a_.newProject->setIcon(MakeToolIcon(ToolIcon::New, s));
    a_.open->setIcon(MakeToolIcon(ToolIcon::Open, s));
    a_.save->setIcon(MakeToolIcon(ToolIcon::Save, s));
    a_.cut->setIcon(MakeToolIcon(ToolIcon::Cut, s));
    a_.copy->setIcon(MakeToolIcon(ToolIcon::Copy, s));
    a_.paste->setIcon(MakeToolIcon(ToolIcon::Paste, s));
    a_.about->setIcon(MakeToolIcon(ToolIcon::About, s));
    a_.projectData->setIcon(MakeToolIcon(ToolIcon::ProjectData, s));
    a_.priorApplication->setIcon(MakeToolIcon(ToolIcon::PriorApplication, s));
    a_.individual->setIcon(MakeToolIcon(ToolIcon::Individual, s));
    a_.organization->setIcon(MakeToolIcon(ToolIcon::Organization, s));
    a_.database->setIcon(MakeToolIcon(ToolIcon::Database, s));
    a_.featureData->setIcon(MakeToolIcon(ToolIcon::FeatureData, s));
    a_.generate->setIcon(MakeToolIcon(ToolIcon::Generate, s));
    // Menus keep plain text, as the tool bar has the pictures.
    for (QAction* action : findChildren<QAction*>()) action->setIconVisibleInMenu(false);

    connect(a_.newProject, &QAction::triggered, this, [this] { document_->NewDocument(); });
    connect(a_.open, &QAction::triggered, this, &CMainFrame::OnOpen);
    connect(a_.save, &QAction::triggered, this, [this] { document_->Save(); });
    connect(a_.saveAs, &QAction::triggered, this, [this] { document_->SaveAs(); });
    connect(a_.exportSt26, &QAction::triggered, this, &CMainFrame::OnExportSt26);
    connect(a_.workFile, &QAction::triggered, this, &CMainFrame::OnViewWorkFile);
    connect(a_.listing, &QAction::triggered, this, &CMainFrame::OnViewListing);
    connect(a_.errorReport, &QAction::triggered, this, &CMainFrame::OnViewErrorReport);
    connect(a_.print, &QAction::triggered, this, &CMainFrame::OnPrint);
    connect(a_.rename, &QAction::triggered, this, [this] { view_->RenameSequence(); });
    connect(a_.exit, &QAction::triggered, this, &QWidget::close);
    connect(a_.undo, &QAction::triggered, this, [this] { view_->Undo(); });
    connect(a_.cut, &QAction::triggered, this, [this] { view_->Cut(); });
    connect(a_.copy, &QAction::triggered, this, [this] { view_->Copy(); });
    connect(a_.paste, &QAction::triggered, this, [this] { view_->Paste(); });
    connect(a_.organismComment, &QAction::triggered, this, [this] { view_->ShowOrganismComment(); });
    connect(a_.featureData, &QAction::triggered, this, [this] { view_->OpenFeatureScreen(); });
    connect(a_.customCodons, &QAction::triggered, this, [this] { view_->OpenCustomCodonScreen(); });
    connect(a_.projectData, &QAction::triggered, this, [this] { CProjectDataDialog(*document_, view_).Run(); });
    connect(a_.priorApplication, &QAction::triggered, this,
            [this] { CPriorAppInfoDialog(*document_, view_).Run(); });
    connect(a_.individual, &QAction::triggered, this, [this] { CIndividualApplDialog(*document_, view_).Run(); });
    connect(a_.organization, &QAction::triggered, this,
            [this] { COrganizationApplDialog(*document_, view_).Run(); });
    auto openPublications = [this](QAction* action, CPublicationKind kind) {
        connect(action, &QAction::triggered, this, [this, kind] { view_->OpenPublicationScreen(int(kind)); });
    };
    openPublications(a_.journal, CPublicationKind::Journal);
    openPublications(a_.patent, CPublicationKind::Patent);
    openPublications(a_.thesis, CPublicationKind::Thesis);
    openPublications(a_.database, CPublicationKind::Database);
    connect(a_.generate, &QAction::triggered, this, &CMainFrame::OnGenerate);
    connect(a_.copyToDisk, &QAction::triggered, this, &CMainFrame::OnCopyToDisk);
    connect(a_.help, &QAction::triggered, this, [this] { CHelp::ShowPage(this, QStringLiteral("ApplHelp.md")); });
    connect(a_.editorHelp, &QAction::triggered, this,
            [this] { CHelp::ShowPage(this, QStringLiteral("SequenceHelp.md")); });
    connect(a_.about, &QAction::triggered, this, [this] {
        CAboutDlg about(this);
        about.exec();
    });
}

void CMainFrame::CreateMenus()
{
    QMenu* project = menuBar()->addMenu(tr("&Project"));
    project->addActions({a_.newProject, a_.open, a_.save, a_.saveAs, a_.exportSt26});
    QAction* verifySt26 = MakeAction("actionVerifySt26", tr("&Verify ST.26 XML..."),
                                     tr("Check an ST.26 XML sequence listing and list every rule it breaks"));
    connect(verifySt26, &QAction::triggered, this,
            [this] { VerifySt26File(QFileInfo(document_->Path()).absolutePath(), this); });
    project->addAction(verifySt26);
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
    a_.undo->setEnabled(view_->CanUndo());
    a_.cut->setEnabled(view_->CanCut());
    a_.copy->setEnabled(view_->CanCopy());
    a_.paste->setEnabled(view_->CanPaste());
    for (QAction* action : {a_.projectData, a_.priorApplication, a_.individual, a_.organization})
        action->setEnabled(CCommandEnabling::ProjectScreens());
    a_.customCodons->setEnabled(enabling.CustomCodons());
    a_.featureData->setEnabled(enabling.FeatureData());
    for (QAction* action : {a_.database, a_.journal, a_.patent, a_.thesis})
        action->setEnabled(enabling.Publications());
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
    const QString listing = FromCorePath(document_->OutputNames().listing);
    const CCopyToDisk copier(listing, *disk_);
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    for (;;) {
        QFileDialog dialog(this, tr("Copy to Disk"), folder);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setNameFilters(QString::fromLatin1(kCopyFilters).split(QStringLiteral(";;")));
        dialog.setDefaultSuffix(QString::fromLatin1(kCopyDefaultSuffix));
        dialog.selectFile(QFileInfo(listing).fileName());
        // A name typed without an extension takes the one of the chosen type.
        connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
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
            case Kind::Done: ShowStatus(outcome.message); return;
            case Kind::InsufficientSpace:
                QMessageBox::warning(this, QLatin1String(kAppName), outcome.message);
                continue;  // the user picks another place or a zip file
            case Kind::BadType: QMessageBox::critical(this, QLatin1String(kAppName), outcome.message); return;
            case Kind::CopyFailed:
            case Kind::OntoListing:
                QMessageBox::information(this, QLatin1String(kAppName), outcome.message);
                return;
            default: QMessageBox::warning(this, QLatin1String(kAppName), outcome.message); return;
        }
    }
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
    QThread* worker = QThread::create([&cleanup, target] {
        cleanup->Run([target](int deleted) {
            QMetaObject::invokeMethod(target, [target, deleted] { target->SetDeleted(deleted); }, Qt::QueuedConnection);
        });
    });
    QEventLoop loop;
    connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    // A quit request ends this loop too; the wait goes on until the files
    // are gone.
    while (!worker->isFinished()) loop.exec();
    worker->wait();
    delete worker;
    // The last counts are still queued for the dialog.
    QCoreApplication::sendPostedEvents(&dialog);
    dialog.hide();
    CResidueFiles::RemoveAll();
}

}  // namespace qln
