#include "widgets/ErrorMsgDialog.h"

#include <QPlainTextEdit>

#include "widgets/Help.h"
#include "widgets/Latin1Text.h"
#include "generator/MessageText.h"
#include "ui_ErrorMsgDialog.h"

namespace qln {

CErrorMsgDialog::CErrorMsgDialog(QWidget* parent) : QDialog(parent)
{
    Ui::ErrorMsgDialog ui;
    ui.setupUi(this);
    messages_ = ui.messages;
    setModal(false);
    InstallHelpKey(this, QStringLiteral("SequenceHelp.md"));
}

void CErrorMsgDialog::ShowMessages(const StringList& messages)
{
    // The text ends every message with a carriage return and line feed; the
    // editor wants plain line feeds.
    QString text = ToQt(MessagesDialogText(messages));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
    messages_->setPlainText(text);
    show();
    raise();
    activateWindow();
}

QString CErrorMsgDialog::Text() const
{
    return messages_->toPlainText();
}

}  // namespace qln
