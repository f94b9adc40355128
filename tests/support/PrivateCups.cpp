#include "support/PrivateCups.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

namespace quorra::test {

namespace {

using namespace Qt::StringLiterals;

bool writeText(const QString& path, const QString& text, QFile::Permissions permissions = {}) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    file.write(text.toUtf8());
    file.close();
    return !permissions || file.setPermissions(permissions);
}

// A backend that copies the job into the file its device URI names.
const QString Backend = uR"(#!/bin/sh
if [ $# -eq 0 ]; then echo 'direct tofile "Unknown" "Copy to a file"'; exit 0; fi
out=${DEVICE_URI#tofile:}
if [ -n "$6" ]; then cat "$6" > "$out.part"; else cat > "$out.part"; fi
mv "$out.part" "$out"
)"_s;

const QFile::Permissions Open = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;

} // namespace

PrivateCups::PrivateCups() = default;

PrivateCups::~PrivateCups() {
    if (m_cupsd.state() != QProcess::NotRunning) {
        m_cupsd.terminate();
        if (!m_cupsd.waitForFinished(5000))
            m_cupsd.kill();
        m_cupsd.waitForFinished(5000);
    }
}

QString PrivateCups::start() {
    const QString cupsd = QStandardPaths::findExecutable(u"cupsd"_s, {u"/usr/sbin"_s, u"/sbin"_s});
    if (cupsd.isEmpty())
        return u"cupsd is not installed (Debian package cups)"_s;
    if (!m_dir.isValid())
        return u"no temporary folder"_s;
    const QString root = m_dir.path();
    QDir dir(root);
    for (const char* sub : {"conf/ppd", "state", "cache", "spool/tmp", "log", "out", "bin/backend"})
        dir.mkpath(QString::fromLatin1(sub));
    // The spooler runs backends as its own user (lp when started by root): it must reach
    // the folders and write the job file.
    QFile::setPermissions(root, Open);
    QFile::setPermissions(root + u"/bin"_s, Open);
    QFile::setPermissions(root + u"/bin/backend"_s, Open);
    QFile::setPermissions(root + u"/out"_s, Open | QFile::WriteGroup | QFile::WriteOther);
    QFile::link(u"/usr/lib/cups/filter"_s, root + u"/bin/filter"_s);
    QFile::link(u"/usr/lib/cups/daemon"_s, root + u"/bin/daemon"_s); // cups-exec starts backends
    const QString socket = root + u"/cups.sock"_s;
    const bool written =
        writeText(root + u"/bin/backend/tofile"_s, Backend, Open) &&
        writeText(root + u"/conf/cupsd.conf"_s,
                  u"Listen "_s + socket +
                      u"\nLogLevel info\nBrowsing No\nWebInterface No\nDefaultPolicy open\n"
                      u"<Location />\nOrder allow,deny\nAllow all\n</Location>\n"
                      u"<Policy open>\n<Limit All>\nOrder deny,allow\n</Limit>\n</Policy>\n"_s) &&
        writeText(root + u"/conf/cups-files.conf"_s,
                  u"ServerRoot %1/conf\nStateDir %1/state\nCacheDir %1/cache\nRequestRoot %1/spool\n"
                  u"TempDir %1/spool/tmp\nAccessLog %1/log/access_log\nErrorLog %1/log/error_log\n"
                  u"PageLog %1/log/page_log\nServerBin %1/bin\nDataDir /usr/share/cups\n"_s.arg(root));
    if (!written)
        return u"the configuration could not be written"_s;

    // Only this scheduler is asked, and no one's personal default printer gets in the way.
    qputenv("CUPS_SERVER", socket.toLocal8Bit());
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");
    qputenv("HOME", root.toLocal8Bit());

    m_cupsd.setProcessChannelMode(QProcess::MergedChannels);
    m_cupsd.start(
        cupsd, {u"-f"_s, u"-c"_s, root + u"/conf/cupsd.conf"_s, u"-s"_s, root + u"/conf/cups-files.conf"_s});
    if (!m_cupsd.waitForStarted(5000))
        return u"cupsd could not be started: "_s + m_cupsd.errorString();
    for (int i = 0; i < 100 && !QFile::exists(socket); ++i) {
        if (m_cupsd.waitForFinished(50))
            return u"cupsd stopped at once: "_s + QString::fromLocal8Bit(m_cupsd.readAll()).trimmed();
    }
    QString output;
    for (int i = 0; i < 50; ++i) {
        if (run(u"lpstat"_s, {u"-r"_s}, &output) && output.contains(u"is running"_s))
            break;
        QThread::msleep(100);
    }
    if (!run(u"lpadmin"_s, {u"-p"_s, u"summary"_s, u"-v"_s, u"tofile:"_s + jobFile(), u"-E"_s}, &output))
        return u"the queue could not be added: "_s + output;
    return {};
}

bool PrivateCups::run(const QString& program, const QStringList& arguments, QString* output) const {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    // The administration commands lie in /usr/sbin, which a user's PATH may leave out.
    QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty())
        path = QStandardPaths::findExecutable(program, {u"/usr/sbin"_s, u"/sbin"_s});
    process.start(path.isEmpty() ? program : path, arguments);
    const bool ok = process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit &&
                    process.exitCode() == 0;
    if (output)
        *output = QString::fromLocal8Bit(process.readAll());
    return ok;
}

} // namespace quorra::test
