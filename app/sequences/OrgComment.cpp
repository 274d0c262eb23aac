#include "app/sequences/OrgComment.h"

#include <QCheckBox>
#include <QPlainTextEdit>

#include "widgets/Help.h"
#include "widgets/Latin1Text.h"
#include "ui_OrgComment.h"

namespace qln {

COrgComment::COrgComment(const std::string& comment, QWidget* parent) : QDialog(parent)
{
    Ui::OrgComment ui;
    ui.setupUi(this);
    comment_ = ui.comment;
    applyToAll_ = ui.applyToAll;
    // Stored comments break their lines with a carriage return and line feed.
    QString text = ToQt(comment);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    comment_->setPlainText(text);
    comment_->setFocus();
    InstallHelpKey(this, QStringLiteral("SequenceHelp.md"));
}

std::string COrgComment::Comment() const
{
    QString text = comment_->toPlainText();
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return FromQt(text);
}

bool COrgComment::ApplyToAll() const
{
    return applyToAll_->isChecked();
}

}  // namespace qln
