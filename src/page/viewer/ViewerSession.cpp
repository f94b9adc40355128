#include "page/viewer/ViewerSession.h"

#include "Identity.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QThread>
#include <QUrl>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace quorra {

namespace {

using namespace Qt::StringLiterals;

// The running viewer's answer once it has taken a page.
constexpr QByteArrayView Taken = "taken\n";

// The kind of the file at path (S_IFREG, S_IFDIR...), or 0 when there is none.
mode_t kindOf(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & S_IFMT : 0;
}

} // namespace

ViewerSession::ViewerSession(const QStringList& folders, QObject* parent)
    : QObject(parent)
    , m_folders(folders) {}

ViewerSession::~ViewerSession() = default;

QStringList ViewerSession::candidateFolders() {
    QStringList folders;
    if (const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR"); runtime.startsWith(u'/'))
        folders << runtime;
    // Someone else may have taken a name under /tmp first; the next one is tried then.
    const QString own = u"/tmp/quorra-viewer-"_s + QString::number(::geteuid());
    folders << own << own + u"-2"_s << own + u"-3"_s;
    return folders;
}

QString ViewerSession::sessionName() {
    QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (display.isEmpty())
        display = qEnvironmentVariable("DISPLAY");
    const QString program = QString::fromLatin1(identity::ViewerName);
    if (display.isEmpty())
        return program;
    QString key;
    for (const QChar c : display)
        key += (c.isLetterOrNumber() && c.unicode() < 128) || c == u'.' || c == u':' || c == u'-' ? c : u'_';
    if (key.size() > 32) // a Wayland socket's path, say: a short name that stays the same
        key = QString::fromLatin1(
            QCryptographicHash::hash(display.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
    return program + u'-' + key;
}

bool ViewerSession::usable(const QString& folder) {
    const QByteArray path = QFile::encodeName(folder);
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0 && folder.startsWith(u"/tmp/"_s) && errno == ENOENT)
        ::mkdir(path.constData(), 0700); // a fallback folder is made on first use
    if (::lstat(path.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid() ||
        (st.st_mode & 077) != 0 || ::access(path.constData(), W_OK | X_OK) != 0)
        return false;
    const QString base = folder + u'/' + sessionName();
    const mode_t lock = kindOf(base + u".lock"_s);
    const mode_t socket = kindOf(base + u".socket"_s);
    return QFile::encodeName(base + u".socket"_s).size() < qsizetype(sizeof(sockaddr_un::sun_path)) &&
           (lock == 0 || lock == S_IFREG) && (socket == 0 || socket == S_IFSOCK || socket == S_IFREG);
}

bool ViewerSession::handOver(const QString& page) {
    for (const QString& folder : std::as_const(m_folders)) {
        if (!usable(folder))
            continue;
        switch (tryFolder(folder, page)) {
        case Outcome::HandedOver:
            return true;
        case Outcome::Running:
            return false;
        case Outcome::Unusable:
            break;
        }
    }
    m_problem = u"There is no private folder in which this viewer can let the next one find it (tried %1), "
                "so each page you view opens in a window of its own."_s.arg(m_folders.join(u", "_s));
    return false;
}

ViewerSession::Outcome ViewerSession::tryFolder(const QString& folder, const QString& page) {
    const QString base = folder + u'/' + sessionName();
    m_lock = std::make_unique<QLockFile>(base + u".lock"_s);
    m_socketPath = base + u".socket"_s;
    // A running viewer may run for days; only a lock whose process is gone is stale.
    m_lock->setStaleLockTime(0);
    const QDeadlineTimer deadline(5000);
    // Whoever holds the lock is the running viewer (or about to be one). A viewer that was
    // killed leaves its lock behind, but tryLock sees that its process is gone.
    while (!m_lock->tryLock()) {
        if (m_lock->error() != QLockFile::LockFailedError) // a full or read-only folder
            return Outcome::Unusable;
        if (deadline.hasExpired())
            return Outcome::Running; // the running viewer does not answer
        if (send(page))
            return Outcome::HandedOver;
        QThread::msleep(20); // the running viewer may not be listening yet
    }
    QLocalServer::removeServer(m_socketPath); // the socket a killed viewer left
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server.listen(m_socketPath)) {
        m_lock->unlock();
        return Outcome::Unusable;
    }
    connect(&m_server, &QLocalServer::newConnection, this, &ViewerSession::receive, Qt::UniqueConnection);
    return Outcome::Running;
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
