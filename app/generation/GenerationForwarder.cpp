#include "app/generation/GenerationForwarder.h"

#include <QApplication>
#include <QMessageBox>
#include <QMetaMethod>
#include <QThread>

#include "widgets/Latin1Text.h"

namespace qln {

CGenerationForwarder::CGenerationForwarder(QWidget* boxParent, QObject* parent) : QObject(parent), boxParent_(boxParent)
{
}

void CGenerationForwarder::Notify(int code, int value)
{
    if (hook_) hook_(code, value);
    Queue({Kind::Notification, code, value, {}});
}

void CGenerationForwarder::MessageAdded(const std::string& text)
{
    Queue({Kind::Message, 0, 0, ToQt(text)});
}

void CGenerationForwarder::SetStatusText(const std::string& text)
{
    Queue({Kind::Status, 0, 0, ToQt(text)});
}

// One posted event carries everything queued until the UI thread gets to it,
// so a run that reports faster than the dialog can draw costs the UI one
// event per batch, not one per report.
void CGenerationForwarder::Queue(Item item)
{
    bool post;
    {
        std::lock_guard lock(mutex_);
        post = queued_.empty();
        const bool progress = item.kind == Kind::Notification && item.code == kSequenceDone;
        if (progress && !queued_.empty() && queued_.back().kind == Kind::Notification &&
            queued_.back().code == kSequenceDone)
            queued_.back().value = item.value;
        else
            queued_.push_back(std::move(item));
    }
    if (!post) return;
    if (QThread::currentThread() == thread())
        Deliver();
    else
        QMetaObject::invokeMethod(this, &CGenerationForwarder::Deliver, Qt::QueuedConnection);
}

void CGenerationForwarder::Deliver()
{
    std::vector<Item> items;
    {
        std::lock_guard lock(mutex_);
        items.swap(queued_);
    }
    // Messages go out together; a progress count between them goes out
    // after them with its last value, as the count of the moment.
    QStringList batch;
    int progress = -1;
    auto flush = [&] {
        if (!batch.isEmpty()) {
            emit Messages(batch);
            if (isSignalConnected(QMetaMethod::fromSignal(&CGenerationForwarder::Message)))
                for (const QString& text : std::as_const(batch)) emit Message(text);
            batch.clear();
        }
        if (progress >= 0) emit Notified(kSequenceDone, progress);
        progress = -1;
    };
    for (Item& item : items) {
        if (item.kind == Kind::Message) {
            batch.append(std::move(item.text));
        } else if (item.kind == Kind::Notification && item.code == kSequenceDone) {
            progress = item.value;
        } else {
            flush();
            if (item.kind == Kind::Notification)
                emit Notified(item.code, item.value);
            else
                emit StatusText(item.text);
        }
    }
    flush();
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
    // What the run reported before the box is shown before it.
    Deliver();
    QWidget* parent = QApplication::activeModalWidget();
    if (!parent) parent = boxParent_.data();
    QMessageBox box(icon == Icon::Error ? QMessageBox::Critical : QMessageBox::Warning, QStringLiteral("Quillion"),
                    text, QMessageBox::Ok, parent);
    box.exec();
    emit MessageBoxClosed(text);
}

}  // namespace qln
