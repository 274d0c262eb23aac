// Carries what a generation run on a worker thread tells its observer over
// to the user-interface thread: notifications, messages and status text are
// queued in order and handed on as signals on the UI thread; message boxes
// are shown on the UI thread while the run waits.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <mutex>
#include <vector>

#include "generator/GenerationObserver.h"

namespace qln {

class CGenerationForwarder : public QObject, public CGenerationObserver {
    Q_OBJECT
public:
    // Message boxes belong to the window in front, else to boxParent. The
    // forwarder must live on the UI thread.
    explicit CGenerationForwarder(QWidget* boxParent, QObject* parent = nullptr);

    void Notify(int code, int value) override;
    void MessageAdded(const std::string& text) override;
    void ShowMessageBox(const std::string& text, Icon icon) override;
    void SetStatusText(const std::string& text) override;

    // Called on the run's thread before each notification is queued; tests
    // hold the run at a chosen point with it. Set it before the run starts.
    void SetNotifyHook(std::function<void(int code, int value)> hook) { hook_ = std::move(hook); }

    // Hands on at once what is still queued (UI thread).
    void Deliver();

signals:
    // Emitted on the UI thread, in the order the run made them, except that
    // the reports that reach the UI together are merged: their messages come
    // in one list and, of their progress counts (1027), only the last,
    // after the messages.
    void Notified(int code, int value);
    // Each message alone, and the messages that arrived together in one list.
    void Message(const QString& text);
    void Messages(const QStringList& texts);
    void StatusText(const QString& text);
    // A message box of the run has been answered (UI thread).
    void MessageBoxClosed(const QString& text);

private:
    enum class Kind { Notification, Message, Status };
    struct Item {
        Kind kind;
        int code = 0;
        int value = 0;
        QString text;
    };

    void Queue(Item item);
    void ShowBoxHere(const QString& text, Icon icon);

    QPointer<QWidget> boxParent_;
    std::function<void(int, int)> hook_;

    std::mutex mutex_;
    std::vector<Item> queued_;  // guarded by mutex_; a Deliver is on its way while not empty
};

}  // namespace qln
