#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

namespace quorra {

// Keeps the viewer to one window per user session: the first viewer to start becomes the
// running one and takes the pages of the viewers started after it, which hand their page
// over and end. The lock and the socket lie in a private folder of the user's and carry the
// session's display in their names, so each desktop session of a user has its own viewer.
class ViewerSession : public QObject {
    Q_OBJECT

public:
    // folders: where the lock and the socket may lie, the first usable one taken.
    explicit ViewerSession(const QStringList& folders = candidateFolders(), QObject* parent = nullptr);
    ~ViewerSession() override;

    // True when the running viewer took the page, so this one can end. Otherwise this viewer
    // becomes the running one and shows the page itself; it also stands alone when the
    // running viewer does not answer within a few seconds, so no preview is lost.
    bool handOver(const QString& page);

    // Why this viewer could not become one that takes the pages of later viewers (no usable
    // folder for the lock and the socket); empty when it is one, or handed its page over.
    QString problem() const { return m_problem; }

    // The user's runtime folder ($XDG_RUNTIME_DIR), then short private folders under /tmp.
    static QStringList candidateFolders();
    // The lock's and the socket's name without extension: MarlixExp, then the display.
    static QString sessionName();

signals:
    // A viewer started later handed this page over.
    void pageHandedOver(const QString& page);

private:
    // True when the viewer may keep its lock and socket in the folder: a folder of the
    // user's own that no one else may enter, writable, whose socket path is short enough
    // and whose lock and socket names are free or of the right kind.
    static bool usable(const QString& folder);
    // The outcome of trying one folder.
    enum class Outcome { HandedOver, Running, Unusable };
    Outcome tryFolder(const QString& folder, const QString& page);
    bool send(const QString& page);
    void receive();

    QStringList m_folders;
    std::unique_ptr<QLockFile> m_lock; // held by the running viewer for as long as it runs
    QString m_socketPath;
    QLocalServer m_server;
    QString m_problem;
};

} // namespace quorra
