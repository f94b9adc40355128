#include "page/viewer/ViewerSession.h"

#include "Identity.h"

#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>

namespace quorra {

namespace {
// The running viewer's answer once it has taken a page.
constexpr QByteArrayView Taken = "taken\n";
} // namespace

ViewerSession::ViewerSession(const QString& folder, QObject* parent)
    : QObject(parent)
    , m_lock(folder + u'/' + QLatin1StringView(identity::ViewerName) + QStringLiteral(".lock"))
    , m_socketPath(folder + u'/' + QLatin1StringView(identity::ViewerName) + QStringLiteral(".socket")) {
    // A running viewer may run for days; only a lock whose process is gone is stale.
    m_lock.setStaleLockTime(0);
}

QString ViewerSession::runtimeFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

bool ViewerSession::handOver(const QString& page) {
    const QDeadlineTimer deadline(5000);
    // Whoever holds the lock is the running viewer (or about to be one). A viewer that was
    // killed leaves its lock behind, but tryLock sees that its process is gone.
    while (!m_lock.tryLock()) {
        if (m_lock.error() != QLockFile::LockFailedError || deadline.hasExpired())
            return false;
        if (send(page))
            return true;
        QThread::msleep(20); // the running viewer may not be listening yet
    }
    QLocalServer::removeServer(m_socketPath); // the socket a killed viewer left
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    if (m_server.listen(m_socketPath))
        connect(&m_server, &QLocalServer::newConnection, this, &ViewerSession::receive);
    return false;
}

bool ViewerSession::send(const QString& page) {
    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    if (!socket.waitForConnected(500))
        return false;
    socket.write(QUrl::toPercentEncoding(page) + '\n'); // a line feed in the path stays in it
    QByteArray answer;
    while (answer.size() < Taken.size() && socket.waitForReadyRead(2000))
        answer += socket.readAll();
    return answer == Taken;
}

void ViewerSession::receive() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        const auto take = [this, socket] {
            if (!socket->canReadLine())
                return;
            const QString page = QUrl::fromPercentEncoding(socket->readLine().chopped(1));
            socket->write(Taken.data(), Taken.size());
            socket->disconnectFromServer();
            emit pageHandedOver(page);
        };
        connect(socket, &QLocalSocket::readyRead, this, take);
        take(); // the line may have come with the connection
    }
}

} // namespace quorra
