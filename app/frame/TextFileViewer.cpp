#include "app/frame/TextFileViewer.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QKeySequence>
#include <QLocale>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QShortcut>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

#include "widgets/WaitCursor.h"
#include "ui_TextFileViewer.h"

namespace qln {

namespace {

constexpr const char* kNotFound = "Text not found.";
constexpr const char* kWrapped = "Passed the end of the file: found from the other end.";
constexpr const char* kDesktopFailed = "The desktop has no program for this file.";

QString CanonicalPath(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

// The viewer belongs to the program's main window, not to a dialog it was
// opened from: it stays when that dialog goes.
QWidget* MainWindowOf(QWidget* owner)
{
    QWidget* window = owner ? owner->window() : nullptr;
    while (window && window->parentWidget()) window = window->parentWidget()->window();
    return window;
}

}  // namespace

void PrintFixedPitch(const QString& text, QPrinter& printer)
{
    QTextDocument document;
    document.setDefaultFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    document.setPlainText(text);
    document.print(&printer);
}

CTextFileViewer* CTextFileViewer::Find(const QString& path)
{
    const QString wanted = CanonicalPath(path);
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* viewer = qobject_cast<CTextFileViewer*>(window);
        if (viewer && viewer->path_ == wanted) return viewer;
    }
    return nullptr;
}

CTextFileViewer* CTextFileViewer::Show(QWidget* owner, const QString& path)
{
    CTextFileViewer* viewer = Open(owner, path);
    if (!viewer) QMessageBox::critical(owner, QStringLiteral("Quillion"), QString::fromLatin1(kCantOpenForViewing));
    return viewer;
}

CTextFileViewer* CTextFileViewer::Open(QWidget* owner, const QString& path)
{
    CTextFileViewer* viewer = path.isEmpty() ? nullptr : Find(path);
    const bool fresh = !viewer;
    if (fresh) viewer = new CTextFileViewer(MainWindowOf(owner));
    bool loaded = false;
    {
        CWaitCursor wait;
        loaded = !path.isEmpty() && viewer->Load(path);
    }
    if (!loaded) {
        if (fresh) delete viewer;
        return nullptr;
    }
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
    return viewer;
}

CTextFileViewer::CTextFileViewer(QWidget* owner)
    : QWidget(owner, Qt::Window), ui_(std::make_unique<Ui::TextFileViewer>())
{
    ui_->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    ui_->text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // A listing line is 80 characters at most: the window shows it whole.
    const QFontMetrics pitch(ui_->text->font());
    ui_->text->setMinimumWidth(pitch.horizontalAdvance(QString(82, QLatin1Char('0'))) + 24);

    connect(ui_->findField, &QLineEdit::returnPressed, this, &CTextFileViewer::FindNext);
    connect(ui_->nextButton, &QPushButton::clicked, this, &CTextFileViewer::FindNext);
    connect(ui_->previousButton, &QPushButton::clicked, this, &CTextFileViewer::FindPrevious);
    connect(ui_->printButton, &QPushButton::clicked, this, &CTextFileViewer::Print);
    connect(ui_->desktopButton, &QPushButton::clicked, this, &CTextFileViewer::OpenWithDesktop);
    connect(ui_->closeButton, &QPushButton::clicked, this, &QWidget::close);

    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this] {
        ui_->findField->setFocus();
        ui_->findField->selectAll();
    });
    connect(new QShortcut(QKeySequence::FindNext, this), &QShortcut::activated, this, &CTextFileViewer::FindNext);
    connect(new QShortcut(QKeySequence::FindPrevious, this), &QShortcut::activated, this,
            &CTextFileViewer::FindPrevious);
    connect(new QShortcut(QKeySequence::Print, this), &QShortcut::activated, this, &CTextFileViewer::Print);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
}

CTextFileViewer::~CTextFileViewer() = default;

// The files are Latin-1 text, as the program writes them. A file read
// again replaces what was shown, keeping the place the user had reached.
bool CTextFileViewer::Load(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) return false;
    QString text;
    {
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError) return false;
        text = QString::fromLatin1(bytes);
    }
    const int scrolled = ui_->text->verticalScrollBar()->value();
    ui_->text->setPlainText(text);
    ui_->text->verticalScrollBar()->setValue(scrolled);
    path_ = CanonicalPath(path);
    setWindowTitle(QFileInfo(path).fileName() + QStringLiteral(" - Quillion"));
    summary_ = tr("%1  (%2 lines)")
                   .arg(QDir::toNativeSeparators(path_), QLocale().toString(ui_->text->document()->blockCount()));
    SetStatus({});
    return true;
}

QString CTextFileViewer::Text() const
{
    return ui_->text->toPlainText();
}

QString CTextFileViewer::StatusLine() const
{
    return ui_->statusLine->text();
}

void CTextFileViewer::SetStatus(const QString& text)
{
    ui_->statusLine->setText(text.isEmpty() ? summary_ : text);
}

bool CTextFileViewer::FindNext()
{
    return FindFrom(false);
}

bool CTextFileViewer::FindPrevious()
{
    return FindFrom(true);
}

bool CTextFileViewer::FindFrom(bool backward)
{
    const QString wanted = ui_->findField->text();
    if (wanted.isEmpty()) {
        ui_->findField->setFocus();
        return false;
    }
    const QTextDocument::FindFlags flags = backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    SetStatus({});
    if (ui_->text->find(wanted, flags)) return true;
    // Once round the end, from the other end of the file.
    const QTextCursor kept = ui_->text->textCursor();
    ui_->text->moveCursor(backward ? QTextCursor::End : QTextCursor::Start);
    if (ui_->text->find(wanted, flags)) {
        SetStatus(tr(kWrapped));
        return true;
    }
    ui_->text->setTextCursor(kept);
    QApplication::beep();
    SetStatus(tr(kNotFound));
    return false;
}

void CTextFileViewer::Print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QFileInfo(path_).fileName());
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(tr("Print %1").arg(QFileInfo(path_).fileName()));
    if (ui_->text->textCursor().hasSelection()) dialog.setOption(QAbstractPrintDialog::PrintSelection);
    if (dialog.exec() != QDialog::Accepted) return;
    CWaitCursor wait;
    PrintTo(printer);
}

void CTextFileViewer::PrintTo(QPrinter& printer) const
{
    ui_->text->print(&printer);
}

void CTextFileViewer::OpenWithDesktop()
{
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path_)))
        QMessageBox::warning(this, QStringLiteral("Quillion"), tr(kDesktopFailed));
}

}  // namespace qln
