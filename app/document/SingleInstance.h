// One running program per user: the first start listens on a local socket
// named after the user; a later start hands its command line over and ends.
#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace qln {

class CSingleInstance : public QObject {
    Q_OBJECT
public:
    explicit CSingleInstance(const QString& serverName = DefaultServerName(), QObject* parent = nullptr);
    ~CSingleInstance() override;

    // "Quillion-" and the user's login name.
    static QString DefaultServerName();

    // True when this process is now the running instance. False when another
    // one runs: it has been handed the message (a project path or empty).
    bool Claim(const QString& message);
    // Hands the message to a running instance; false when none answers.
    bool SendToRunning(const QString& message);

signals:
    // In the running instance: another start's message.
    void MessageReceived(const QString& message);

private:
    bool Listen();
    void OnNewConnection();

    QString serverName_;
    QLocalServer* server_ = nullptr;
};

}  // namespace qln
