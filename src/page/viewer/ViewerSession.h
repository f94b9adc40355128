#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

namespace quorra {

// Keeps the viewer to one window per user: the first viewer to start becomes the running
// one and takes the pages of the viewers started after it, which hand their page over and
// end. The lock and the socket lie in the user's runtime folder.
class ViewerSession : public QObject {
    Q_OBJECT

public:
    explicit ViewerSession(const QString& folder = runtimeFolder(), QObject* parent = nullptr);

    // True when the running viewer took the page, so this one can end. Otherwise this viewer
    // becomes the running one and shows the page itself; it also stands alone when the
    // running viewer does not answer within a few seconds, so no preview is lost.
    bool handOver(const QString& page);

    // The user's runtime folder ($XDG_RUNTIME_DIR, or a private folder Qt makes).
    static QString runtimeFolder();

signals:
    // A viewer started later handed this page over.
    void pageHandedOver(const QString& page);

private:
    bool send(const QString& page);
    void receive();

    QLockFile m_lock; // held by the running viewer for as long as it runs
    QString m_socketPath;
    QLocalServer m_server;
};

} // namespace quorra
