#include "ui/SingleInstance.h"

#include "platform/KnownFolders.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>

namespace {

constexpr int ConnectTimeoutMs = 2000;

// Per folder, so that a second profile (--home) runs beside the first.
QString ServerName(const QString& folder) {
    const QByteArray hash =
        QCryptographicHash::hash(QDir(folder).absolutePath().toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    return QStringLiteral("varnocet-") + QString::fromLatin1(hash);
}

} // namespace

SingleInstance::SingleInstance(const QString& configurationFolder, QObject* parent)
    : QObject(parent)
    , m_lock(QDir(configurationFolder).filePath(QStringLiteral("varnocet.lock")))
    , m_serverName(ServerName(configurationFolder)) {
    KnownFolders::EnsureFolder(configurationFolder);
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            emit RaiseRequested();
        }
    });
}

bool SingleInstance::Claim() {
    // A lock left by a run that crashed is taken over: QLockFile sees that
    // its process is gone.
    if (!m_lock.tryLock(0)) {
        AskRunningInstanceToRaise();
        return false;
    }
    QLocalServer::removeServer(m_serverName);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    m_server.listen(m_serverName);
    return true;
}

void SingleInstance::AskRunningInstanceToRaise() const {
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (socket.waitForConnected(ConnectTimeoutMs))
        socket.disconnectFromServer();
}
