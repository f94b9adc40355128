#include "support/PrivateCups.h"

#include <csignal>

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

namespace quorra::test {

namespace {

using namespace Qt::StringLiterals;

// A backend that copies the job into the file its device URI names.
const QByteArray Backend = R"(#!/bin/sh
if [ $# -eq 0 ]; then echo 'direct tofile "Unknown" "Copy to a file"'; exit 0; fi
out=${DEVICE_URI#tofile:}
if [ -n "$6" ]; then cat "$6" > "$out.part"; else cat > "$out.part"; fi
mv "$out.part" "$out"
)";

const QFile::Permissions Open = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;

} // namespace

PrivateCups::~PrivateCups() {
    m_cupsd.terminate();
    m_cupsd.waitForFinished(5000);
}

QString PrivateCups::start() {
    const QString cupsd = QStandardPaths::findExecutable(u"cupsd"_s, {u"/usr/sbin"_s, u"/sbin"_s});
    if (cupsd.isEmpty())
        return u"cupsd is not installed (Debian package cups)"_s;
    const QString root = m_dir.path();
    for (const char* sub : {"conf/ppd", "state", "cache", "spool/tmp", "log", "out", "bin/backend"})
        QDir(root).mkpath(QString::fromLatin1(sub));
    // The spooler runs backends as its own user (lp when started by root): it must reach
    // the folders and write the job file.
    m_dir.write(u"bin/backend/tofile"_s, Backend);
    for (const QString& path :
         {root, root + u"/bin"_s, root + u"/bin/backend"_s, root + u"/bin/backend/tofile"_s})
        QFile::setPermissions(path, Open);
    QFile::setPermissions(root + u"/out"_s, Open | QFile::WriteGroup | QFile::WriteOther);
    QFile::link(u"/usr/lib/cups/filter"_s, root + u"/bin/filter"_s);
    QFile::link(u"/usr/lib/cups/daemon"_s, root + u"/bin/daemon"_s); // cups-exec starts backends
    const QString socket = root + u"/cups.sock"_s;
    m_dir.write(u"conf/cupsd.conf"_s,
                "Listen " + socket.toUtf8() +
                    "\nLogLevel info\nBrowsing No\nWebInterface No\nDefaultPolicy open\n"
                    "<Location />\nOrder allow,deny\nAllow all\n</Location>\n"
                    "<Policy open>\n<Limit All>\nOrder deny,allow\n</Limit>\n</Policy>\n");
    m_dir.write(u"conf/cups-files.conf"_s,
                u"ServerRoot %1/conf\nStateDir %1/state\nCacheDir %1/cache\nRequestRoot %1/spool\n"
                u"TempDir %1/spool/tmp\nAccessLog %1/log/access_log\nErrorLog %1/log/error_log\n"
                u"PageLog %1/log/page_log\nServerBin %1/bin\nDataDir /usr/share/cups\n"_s.arg(root)
                    .toUtf8());

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
    for (int i = 0; i < 50 && !(run(u"lpstat"_s, {u"-r"_s}, &output) && output.contains(u"is running"_s));
         ++i)
        QThread::msleep(100);
    if (!run(u"lpadmin"_s,
             {u"-p"_s, u"summary"_s, u"-v"_s, u"tofile:"_s + jobFile(), u"-P"_s,
              QStringLiteral(QUORRA_TEST_DATA "/letter.ppd"), u"-E"_s},
             &output))
        return u"the queue could not be added: "_s + output;
    return {};
}

void PrivateCups::pause(bool paused) {
    if (const qint64 pid = m_cupsd.processId(); pid > 0) // 0 would stop the test's own group
        ::kill(pid_t(pid), paused ? SIGSTOP : SIGCONT);
}

bool PrivateCups::run(const QString& program, const QStringList& arguments, QString* output) const {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    // The administration commands lie in /usr/sbin, which a user's PATH may leave out.
    const QStringList path = qEnvironmentVariable("PATH").split(u':') << u"/usr/sbin"_s << u"/sbin"_s;
    process.start(QStandardPaths::findExecutable(program, path), arguments);
    const bool ok = process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit &&
                    process.exitCode() == 0;
    if (output)
        *output = QString::fromLocal8Bit(process.readAll());
    return ok;
}

} // namespace quorra::test
