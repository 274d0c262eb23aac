#include "app/GenerationForwarder.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>

#include "app/Latin1Text.h"

namespace qln {

CGenerationForwarder::CGenerationForwarder(QWidget* boxParent, QObject* parent)
    : QObject(parent), boxParent_(boxParent)
{
}

// The signals cross threads through queued connections made by Qt for
// receivers on the UI thread.
void CGenerationForwarder::Notify(int code, int value)
{
    emit Notified(code, value);
}

void CGenerationForwarder::MessageAdded(const std::string& text)
{
    emit Message(ToQt(text));
}

void CGenerationForwarder::SetStatusText(const std::string& text)
{
    emit StatusText(ToQt(text));
}

void CGenerationForwarder::ShowMessageBox(const std::string& text, Icon icon)
{
    const QString message = ToQt(text);
    if (QThread::currentThread() == thread()) {
        ShowBoxHere(message, icon);
        return;
    }
    // The run waits for the box to be answered, as it waits for any call.
    QMetaObject::invokeMethod(
        this, [this, message, icon] { ShowBoxHere(message, icon); }, Qt::BlockingQueuedConnection);
}

void CGenerationForwarder::ShowBoxHere(const QString& text, Icon icon)
{
    QWidget* parent = QApplication::activeModalWidget();
    if (!parent) parent = boxParent_.data();
    QMessageBox box(icon == Icon::Error ? QMessageBox::Critical : QMessageBox::Warning, QStringLiteral("Quillion"),
                    text, QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace qln
