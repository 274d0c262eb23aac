#include "app/document/SingleInstance.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QVariant>

#include <pwd.h>
#include <unistd.h>

namespace qln {

namespace {

constexpr int kTimeoutMs = 3000;

}  // namespace

CSingleInstance::CSingleInstance(const QString& serverName, QObject* parent) : QObject(parent), serverName_(serverName)
{
}

CSingleInstance::~CSingleInstance() = default;

QString CSingleInstance::DefaultServerName()
{
    QString user;
    if (const passwd* entry = getpwuid(getuid())) user = QString::fromLocal8Bit(entry->pw_name);
    if (user.isEmpty()) user = QString::number(getuid());
    return "Quillion-" + user;
}

bool CSingleInstance::Claim(const QString& message)
{
    if (SendToRunning(message)) return false;
    return Listen() || !SendToRunning(message);
}

bool CSingleInstance::SendToRunning(const QString& message)
{
    QLocalSocket socket;
    socket.connectToServer(serverName_);
    if (!socket.waitForConnected(kTimeoutMs)) return false;
    socket.write(message.toUtf8() + '\n');
    if (!socket.waitForBytesWritten(kTimeoutMs)) return false;
    socket.disconnectFromServer();
    return true;
}

bool CSingleInstance::Listen()
{
    server_ = new QLocalServer(this);
    // Only this user may talk to us.
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &CSingleInstance::OnNewConnection);
    if (server_->listen(serverName_)) return true;
    // Nobody answered on the name, so a socket file left by a program that
    // crashed is in the way.
    QLocalServer::removeServer(serverName_);
    return server_->listen(serverName_);
}

void CSingleInstance::OnNewConnection()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // The message ends at its line end; a client that closes first has
        // said all it will.
        auto take = [this, socket = QPointer<QLocalSocket>(socket)](bool closing) {
            if (!socket || socket->property("taken").toBool()) return;
            if (!socket->canReadLine() && !closing) return;
            QByteArray line = socket->canReadLine() ? socket->readLine() : socket->readAll();
            if (line.isEmpty()) return;  // connected and went without a word
            socket->setProperty("taken", true);
            if (line.endsWith('\n')) line.chop(1);
            emit MessageReceived(QString::fromUtf8(line));
        };
        connect(socket, &QLocalSocket::readyRead, this, [take] { take(false); });
        connect(socket, &QLocalSocket::disconnected, this, [take] { take(true); });
        take(false);
    }
}

}  // namespace qln

#include "moc_SingleInstance.cpp"
