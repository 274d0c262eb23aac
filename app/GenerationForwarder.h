// Carries what a generation run on a worker thread tells its observer over
// to the user-interface thread: notifications, messages and status text as
// queued signals; message boxes shown on the UI thread while the run waits.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

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

signals:
    void Notified(int code, int value);
    void Message(const QString& text);
    void StatusText(const QString& text);

private:
    void ShowBoxHere(const QString& text, Icon icon);

    QPointer<QWidget> boxParent_;
};

}  // namespace qln
