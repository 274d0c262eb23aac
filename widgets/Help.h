// The help window, and the help key that every window of the program answers
// with its own page.
#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;

namespace qln {

// "Quillion: HELP": one read-only page and an OK button.
class CHelp : public QDialog {
    Q_OBJECT
public:
    explicit CHelp(const QString& path, QWidget* parent = nullptr);
    // Shows the page of that name from the program's help folder, modally.
    static void ShowPage(QWidget* parent, const QString& page);

private:
    QTextBrowser* page_ = nullptr;
};

// The help key (QKeySequence::HelpContents) in this window shows the page.
void InstallHelpKey(QWidget* window, const QString& page);

}  // namespace qln
