#include "widgets/Help.h"

#include <QDir>
#include <QFile>
#include <QKeySequence>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>

#include "widgets/DataFolder.h"
#include "ui_Help.h"

namespace qln {

CHelp::CHelp(const QString& path, QWidget* parent) : QDialog(parent)
{
    Ui::Help ui;
    ui.setupUi(this);
    page_ = ui.page;

    // The browser would show an empty page for a file it cannot read; the
    // user should learn which file is missing instead.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        page_->setPlainText(
            tr("The help page %1 could not be read: %2.").arg(QDir::toNativeSeparators(path), file.errorString()));
        return;
    }
    file.close();
    // Loading through the source keeps links between the pages working.
    page_->setSource(QUrl::fromLocalFile(path), QTextDocument::MarkdownResource);
}

void CHelp::ShowPage(QWidget* parent, const QString& page)
{
    CHelp help(CDataFolder::HelpPath(page), parent);
    help.exec();
}

void InstallHelpKey(QWidget* window, const QString& page)
{
    auto* key = new QShortcut(QKeySequence::HelpContents, window);
    key->setContext(Qt::WindowShortcut);
    QObject::connect(key, &QShortcut::activated, window, [window, page] { CHelp::ShowPage(window, page); });
}

}  // namespace qln
