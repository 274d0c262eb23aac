#include "screens/ScreenDialog.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>

#include "model/Project.h"
#include "widgets/ErrorMsgDialog.h"
#include "widgets/Help.h"
#include "screens/ScreenDocument.h"

namespace qln {

namespace {

constexpr const char* kValidationSuccessful = "Validation is successful.";

}  // namespace

CScreenDialog::CScreenDialog(CScreenDocument& document, QWidget* parent) : QDialog(parent), document_(document)
{
}

CScreenDialog::~CScreenDialog() = default;

void CScreenDialog::AttachCommonControls(const QString& captionName)
{
    setWindowTitle(windowTitle() + QStringLiteral(" - ") + captionName);
    statusLine_ = findChild<QLabel*>(QStringLiteral("statusLine"));

    // Enter must not press a button the user did not choose: no button is
    // the dialog's default, and Enter is handled in keyPressEvent.
    for (QPushButton* button : findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    auto connectButton = [this](const char* name, auto action) {
        if (auto* button = findChild<QPushButton*>(QLatin1String(name)))
            connect(button, &QPushButton::clicked, this, action);
    };
    connectButton("validateButton", [this] { Validate(); });
    connectButton("saveButton", [this] { SaveProject(); });
    connectButton("okButton", [this] { accept(); });
    connectButton("cancelButton", [this] { reject(); });
    connectButton("helpButton", [this] { ShowHelp(); });
    InstallHelpKey(this, HelpPage());
    for (QLineEdit* field : findChildren<QLineEdit*>())
        if (field->inputMask().isEmpty()) field->installEventFilter(this);
}

// A field the program or the keyboard moves to has its text selected, so that
// typing replaces it rather than adding to what the last entry left there.
// A click keeps the caret where it was put.
bool CScreenDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        auto* field = qobject_cast<QLineEdit*>(watched);
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (field && reason != Qt::MouseFocusReason && reason != Qt::PopupFocusReason &&
            reason != Qt::ActiveWindowFocusReason)
            field->selectAll();
    }
    return QDialog::eventFilter(watched, event);
}

bool CScreenDialog::Run()
{
    if (exec() != Accepted) return false;
    HandOver();
    return true;
}

bool CScreenDialog::Validate()
{
    StoreFields();
    ClearMainStatusBar();
    if (errors_) errors_->hide();
    const StringList messages = CollectMessages();
    if (messages.empty()) {
        SetStatusLine(QString::fromLatin1(kValidationSuccessful));
        return true;
    }
    SetStatusLine({});
    if (!errors_) errors_ = new CErrorMsgDialog(this);
    errors_->ShowMessages(messages);
    errors_->setFocus();
    return false;
}

void CScreenDialog::SaveProject()
{
    StoreFields();
    HandOver();
    // The document's save lets the main view write its editor first.
    document_.Save();
}

void CScreenDialog::FocusField(QWidget* field)
{
    if (!field) return;
    field->setFocus();
    if (auto* line = qobject_cast<QLineEdit*>(field); line && line->inputMask().isEmpty()) line->selectAll();
}

void CScreenDialog::ShowHelp()
{
    CHelp::ShowPage(this, HelpPage());
    if (QWidget* first = FirstField()) first->setFocus();
}

void CScreenDialog::accept()
{
    if (BeforeOK() && Validate()) QDialog::accept();
}

QString CScreenDialog::StatusLine() const
{
    return statusLine_ ? statusLine_->text() : QString();
}

void CScreenDialog::SetStatusLine(const QString& text)
{
    if (statusLine_) statusLine_->setText(text);
}

void CScreenDialog::ClearMainStatusBar()
{
    QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    if (auto* frame = qobject_cast<QMainWindow*>(owner)) frame->statusBar()->clearMessage();
}

void CScreenDialog::OnEnter(QWidget*)
{
    focusNextChild();
}

// Enter presses the button that has the focus and otherwise moves on, so
// that it never closes the screen behind the user's back; Escape still
// cancels.
void CScreenDialog::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || (event->modifiers() & ~Qt::KeypadModifier)) {
        QDialog::keyPressEvent(event);
        return;
    }
    QWidget* focus = focusWidget();
    if (auto* button = qobject_cast<QAbstractButton*>(focus))
        button->click();
    else
        OnEnter(focus);
}

}  // namespace qln
